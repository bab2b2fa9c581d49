#pragma once
// UTF-8, read and written in one place: whole, shortest-form sequences of code points up to
// U+10FFFF that are no surrogates. Everything else is ill-formed, one byte at a time.

#include <cstddef>
#include <string>
#include <string_view>

namespace orvane::utf8 {

constexpr bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The length of the well-formed sequence that starts at i, 0 when there is none; c gets its
// code point.
inline std::size_t sequenceAt(std::string_view text, std::size_t i, char32_t& c)
{
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
        c = b;
        return 1;
    }
    const std::size_t length = (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    c = length == 2 ? (b & 0x1F) : length == 3 ? (b & 0x0F) : (b & 0x07);
    for (std::size_t k = 1; k < length; ++k) {
        const auto cont = static_cast<unsigned char>(text[i + k]);
        if (!isContinuation(cont))
            return 0;
        c = (c << 6) | (cont & 0x3F);
    }
    if ((length == 2 && c < 0x80) || (length == 3 && c < 0x800) || (length == 4 && c < 0x10000) || c > 0x10FFFF
        || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

// The code point whose UTF-8 starts at i, which moves past it; an ill-formed byte is U+FFFD
// and i moves by one.
inline char32_t decodeAt(std::string_view text, std::size_t& i)
{
    char32_t c = 0;
    const std::size_t length = sequenceAt(text, i, c);
    i += length == 0 ? 1 : length;
    return length == 0 ? char32_t(0xFFFD) : c;
}

inline bool isValid(std::string_view text)
{
    char32_t c = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = sequenceAt(text, i, c);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

inline std::u32string decode(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();)
        out += decodeAt(text, i);
    return out;
}

inline void append(char32_t c, std::string& out)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// The character of the Tamil block whose three bytes start at i (E0 AE xx or E0 AF xx), or 0.
inline char32_t tamilAt(std::string_view text, std::size_t i)
{
    if (i + 3 > text.size() || static_cast<unsigned char>(text[i]) != 0xE0)
        return 0;
    const auto second = static_cast<unsigned char>(text[i + 1]), third = static_cast<unsigned char>(text[i + 2]);
    if ((second & 0xFE) != 0xAE || !isContinuation(third))
        return 0;
    return 0x0B80 | char32_t((second & 1) << 6) | (third & 0x3F);
}

inline bool containsTamil(std::string_view text)
{
    for (std::size_t k = text.find('\xE0'); k != std::string_view::npos; k = text.find('\xE0', k + 1))
        if (tamilAt(text, k) != 0)
            return true;
    return false;
}

} // namespace orvane::utf8
