#include "document/segments.h"

#include "document/bamini_table.h"

#include <array>
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
// For each code, what reading it takes: most codes read as themselves whatever surrounds
// them, and a consonant looks only at the code after it.
struct Dispatch {
    enum Action : unsigned char { Alone, Consonant, LookAround };
    struct Code {
        char utf8[14];
        unsigned char length;
        Action action;
        bool endsInVowel;
    };
    std::array<Code, 256> codes{};
    std::array<Code, 256> signs{};  // the text of the signs that attach to a consonant
};

const Dispatch& dispatch()
{
    static const Dispatch d = [] {
        const bamini::Table& t = bamini::table();
        Dispatch d;
        bool signsFit = true;
        for (int b = 0; b < 256; ++b)
            signsFit = signsFit && !(t.attaches(static_cast<unsigned char>(b)) && t.utf8[std::size_t(b)].size() > sizeof(Dispatch::Code::utf8));
        for (int b = 0; b < 256; ++b) {
            Dispatch::Code& code = d.codes[std::size_t(b)];
            const auto byte = static_cast<unsigned char>(b);
            const Kind kind = t.kind[byte];
            const std::string& text = kind == Kind::UuMark || kind == Kind::GranthaSign ? t.plain[byte] : t.utf8[byte];
            const bool special = b == '\r' || b == '\n' || t.isPrefix(byte) || !t.sequences[byte].empty()
                                 || byte == t.kaal || text.size() > sizeof code.utf8;
            if (t.attaches(byte) && t.utf8[byte].size() <= sizeof code.utf8) {
                Dispatch::Code& sign = d.signs[std::size_t(b)];
                std::memcpy(sign.utf8, t.utf8[byte].data(), t.utf8[byte].size());
                sign.length = static_cast<unsigned char>(t.utf8[byte].size());
                sign.endsInVowel = endsInVowel(t.utf8[byte]);
            }
            code.action = special                                 ? Dispatch::LookAround
                          : kind != Kind::Consonant            ? Dispatch::Alone
                          : signsFit                            ? Dispatch::Consonant
                                                                : Dispatch::LookAround;
            if (special)
                continue;
            std::memcpy(code.utf8, text.data(), text.size());
            code.length = static_cast<unsigned char>(text.size());
            code.endsInVowel = endsInVowel(text) && !text.starts_with("\u25CC");
        }
        return d;
    }();
    return d;
}
} // namespace

std::size_t SegmentReader::appendText(std::string_view bytes, bool atEnd, std::string& out)
{
    const bamini::Table& t = bamini::table();
    const Dispatch::Code* const codes = dispatch().codes.data();
    const Dispatch::Code* const signs = dispatch().signs.data();
    const std::size_t stop = atEnd ? bytes.size() : bytes.size() > Lookahead ? bytes.size() - Lookahead : 0;
    // Written in blocks to a buffer with room for the longest reading of every code.
    constexpr std::size_t Block = 4096;
    static thread_local char written[Block * sizeof buffer + sizeof buffer];
    std::size_t k = 0;
    while (k < stop) {
        const std::size_t blockEnd = std::min(stop, k + Block);
        char* o = written;
        while (k < blockEnd) {
            const auto b = static_cast<unsigned char>(bytes[k]);
            const Dispatch::Code& code = codes[b];
            if (code.action == Dispatch::Alone) {
                std::memcpy(o, code.utf8, sizeof code.utf8);
                o += code.length;
                afterVowel = code.endsInVowel;
                ++k;
                continue;
            }
            if (code.action == Dispatch::Consonant) {
                std::memcpy(o, code.utf8, sizeof code.utf8);
                o += code.length;
                const auto sign = k + 1 < bytes.size() ? static_cast<unsigned char>(bytes[k + 1]) : 0;
                const auto after = k + 2 < bytes.size() ? static_cast<unsigned char>(bytes[k + 2]) : 0;
                if (t.attaches(sign) && !(sign == t.kaal && t.followsRaKaal(after))) {
                    std::memcpy(o, signs[sign].utf8, sizeof signs[sign].utf8);
                    o += signs[sign].length;
                    afterVowel = signs[sign].endsInVowel;
                    k += 2;
                } else {
                    afterVowel = code.endsInVowel;
                    ++k;
                }
                continue;
            }
            std::string_view text;
            k += next(bytes, k, text);
            std::memcpy(o, text.data(), text.size());
            o += text.size();
        }
        out.append(written, std::size_t(o - written));
    }
    return k;
}

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
