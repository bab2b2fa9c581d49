#include "document/segments.h"

#include "document/bamini_table.h"

#include <cstring>

namespace orvane {

namespace {
using bamini::Kind;

// Whether UTF-8 text ends in a Tamil vowel, a vowel sign or the pulli.
bool endsInVowel(std::string_view utf8)
{
    if (utf8.size() < 3 || static_cast<unsigned char>(utf8[utf8.size() - 3]) != 0xE0)
        return false;
    const auto second = static_cast<unsigned char>(utf8[utf8.size() - 2]);
    if (second != 0xAE && second != 0xAF)
        return false;
    const char32_t c = 0x0B80 | ((second & 1) << 6) | (static_cast<unsigned char>(utf8.back()) & 0x3F);
    return (c >= 0x0B85 && c <= 0x0B94) || (c >= 0x0BBE && c <= 0x0BCD) || c == bamini::AuLength;
}

// The UTF-8 of the three-byte Tamil sign c.
void appendSign(char32_t c, char*& out)
{
    *out++ = char(0xE0);
    *out++ = char(0x80 | ((c >> 6) & 0x3F));
    *out++ = char(0x80 | (c & 0x3F));
}

void append(std::string_view s, char*& out)
{
    std::memcpy(out, s.data(), s.size());
    out += s.size();
}
} // namespace

std::size_t SegmentReader::next(std::string_view bytes, std::size_t k, std::string_view& text)
{
    const bamini::Table& t = bamini::table();
    const auto at = [&](std::size_t n) -> unsigned char {
        return n < bytes.size() ? static_cast<unsigned char>(bytes[n]) : 0;
    };
    // Whether the code at n is a sign of the letter before it (the kaal before i, ii or the
    // pulli is the letter ra instead).
    const auto signAt = [&](std::size_t n) {
        return t.attaches(at(n)) && !(at(n) == t.kaal && t.followsRaKaal(at(n + 1)));
    };
    const unsigned char b = at(k);
    char* out = buffer;
    std::size_t length = 1;

    if (b == '\r' || b == '\n') {
        text = "\n";
        afterVowel = false;
        return b == '\r' && at(k + 1) == '\n' ? 2 : 1;
    }
    if (t.isPrefix(b)) {
        // A sign before its consonant: e, ee, ai; with the kaal after it o and oo; with lla
        // after it (and no sign of lla's own) au.
        if (t.kind[at(k + 1)] == Kind::Consonant) {
            append(t.utf8[at(k + 1)], out);
            const unsigned char after = at(k + 2);
            if (after == t.kaal && b != t.ai && !t.followsRaKaal(at(k + 3))) {
                appendSign(b == t.e ? bamini::SignO : bamini::SignOo, out);
                length = 3;
            } else if (after == t.au && b == t.e && !signAt(k + 3)) {
                appendSign(bamini::SignAu, out);
                length = 3;
            } else {
                append(t.utf8[b], out);
                length = 2;
            }
        } else {
            // With no letter after it, the sign stands on a dotted circle, so that it does not
            // join the letter before it.
            append("\u25CC", out);
            append(t.utf8[b], out);
        }
    } else if (const bamini::Sequence* sequence = [&]() -> const bamini::Sequence* {
                   for (const bamini::Sequence& s : t.sequences[b])
                       if (bytes.substr(k).starts_with(s.codes) && !(s.endsInAuMark && signAt(k + s.codes.size())))
                           return &s;
                   return nullptr;
               }()) {
        append(sequence->utf8, out);
        length = sequence->codes.size();
    } else if (t.kind[b] == Kind::Consonant) {
        append(t.utf8[b], out);
        if (signAt(k + 1)) {
            append(t.utf8[at(k + 1)], out);
            length = 2;
        }
    } else if (b == t.kaal && afterVowel) {
        // The kaal after a letter that already has its vowel (or pulli) can be no aa sign:
        // it stands for ra, which it draws alone.
        appendSign(bamini::LetterRa, out);
    } else if (t.kind[b] == Kind::UuMark || t.kind[b] == Kind::GranthaSign) {
        // "+", "}", "{" and "_" mean something only after their letters, read above.
        append(t.plain[b], out);
    } else {
        append(t.utf8[b], out);
    }
    text = std::string_view(buffer, std::size_t(out - buffer));
    // A sign standing alone on its dotted circle is no letter with its vowel.
    afterVowel = endsInVowel(text) && !text.starts_with("\u25CC");
    return length;
}

} // namespace orvane
