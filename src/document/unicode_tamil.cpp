#include "document/unicode_tamil.h"

#include "document/bamini_table.h"
#include "document/segments.h"
#include "platform/charset.h"

#include <algorithm>

namespace orvane {

namespace {
using namespace bamini;

bool isTamil(char32_t c) { return c >= 0x0B80 && c <= 0x0BFF; }
bool isTamilConsonant(char32_t c) { return c >= 0x0B95 && c <= 0x0BB9; }
bool isDependentSign(char32_t c) { return (c >= 0x0BBE && c <= 0x0BCD) || c == AuLength; }

std::u32string composeTamil(std::u32string text)
{
    std::u32string out;
    out.reserve(text.size());
    for (const char32_t c : text) {
        if (!out.empty()) {
            char32_t& last = out.back();
            if (c == SignAa && (last == SignE || last == SignEe)) {
                last = last == SignE ? SignO : SignOo;
                continue;
            }
            if (c == AuLength && (last == SignE || last == LetterO)) {
                last = last == SignE ? SignAu : LetterAu;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace

std::string baminiToUnicode(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    forEachSegment(bytes, [&](const Segment& s) { out.append(s.text); });
    return out;
}

std::string unicodeToBamini(std::string_view utf8) { return unicodeToBamini(utf8, nullptr); }

std::string unicodeToBamini(std::string_view utf8, std::size_t* unconvertible)
{
    std::size_t lost = 0;
    const Table& t = table();
    const std::u32string text = composeTamil(decodeUtf8(utf8));
    std::string out;
    out.reserve(text.size());
    auto codeOf = [&](const std::u32string& s) -> const std::string* {
        const auto it = t.codes.find(s);
        return it == t.codes.end() ? nullptr : &it->second;
    };
    for (std::size_t k = 0; k < text.size();) {
        const char32_t c = text[k];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            k += (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ? 2 : 1;
            continue;
        }
        if (c == DottedCircle && k + 1 < text.size() && isDependentSign(text[k + 1])) {
            ++k;  // only the sign is written
            continue;
        }
        // Longest first: sri before sa, a syllable before its consonant.
        bool matched = false;
        for (std::size_t length = std::min<std::size_t>(4, text.size() - k); length >= 2 && !matched; --length) {
            if (const std::string* codes = codeOf(text.substr(k, length))) {
                out += *codes;
                k += length;
                matched = true;
            }
        }
        if (matched)
            continue;
        if (isTamilConsonant(c) && k + 1 < text.size() && isDependentSign(text[k + 1]) && codeOf({c})) {
            const std::string& base = *codeOf({c});
            const char32_t sign = text[k + 1];
            k += 2;
            switch (sign) {
            case SignE: case SignEe: case SignAi:
                out += *codeOf({sign});
                out += base;
                break;
            case SignO: case SignOo:
                out += char(sign == SignO ? t.e : t.ee);
                out += base;
                out += char(t.kaal);
                break;
            case SignAu:
                out += char(t.e);
                out += base;
                out += char(t.au);
                break;
            default:
                out += base;
                if (const std::string* s = codeOf({sign})) {
                    out += *s;
                } else {
                    out += '?';
                    ++lost;
                }
            }
            continue;
        }
        ++k;
        if (const std::string* codes = codeOf({c})) {
            out += *codes;
        } else if (c == SignO || c == SignOo || c == SignAu) {  // a two-part sign with no letter
            out += char(c == SignOo ? t.ee : t.e);
            out += char(c == SignAu ? t.au : t.kaal);
        } else if (const int b = charset::toByte(c); b >= 0 && !isTamil(c)) {
            out += char(b);
        } else {
            out += '?';
            ++lost;
        }
    }
    if (unconvertible)
        *unconvertible = lost;
    return out;
}

bool isUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > bytes.size())
            return false;
        char32_t c = b & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto cont = static_cast<unsigned char>(bytes[i + k]);
            if ((cont >> 6) != 2)
                return false;
            c = (c << 6) | (cont & 0x3F);
        }
        if ((length == 2 && c < 0x80) || (length == 3 && c < 0x800) || (length == 4 && c < 0x10000) || c > 0x10FFFF
            || (c >= 0xD800 && c <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

bool containsTamil(std::string_view utf8)
{
    // Every character of the block is E0 AE xx or E0 AF xx in UTF-8.
    for (std::size_t k = 0; k + 1 < utf8.size(); ++k)
        if (static_cast<unsigned char>(utf8[k]) == 0xE0
            && (static_cast<unsigned char>(utf8[k + 1]) == 0xAE || static_cast<unsigned char>(utf8[k + 1]) == 0xAF))
            return true;
    return false;
}

} // namespace orvane
