#include "document/segments.h"

#include "document/bamini_table.h"

#include <algorithm>
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
// them; a consonant looks at the code after it (its sign), a code that starts a pair (J} thuu,
// hp ri) at the code after it, and the signs e, ee and ai at the consonant after them and
// what follows that. The rest are read by next().
struct Dispatch {
    enum Action : unsigned char { Letter, Prefix, LineEnd, Pair, Kaal, LookAround };
    struct Code {
        char utf8[14];
        unsigned char length;  // 0: none
        bool endsInVowel;
    };
    std::array<Code, 256> codes{};
    std::array<Action, 256> actions{};
    std::array<bool, 256> takesSigns{};   // a consonant, read with the sign after it
    std::array<Code, 256> consonants{};   // the consonants after e, ee and ai
    std::array<Code, 256> signs{};        // the signs that attach to a consonant
    std::array<bool, 256> raAfterKaal{};  // the codes after which a kaal is ra
    // For e, ee and ai: the sign alone, as o, as oo, as au (three bytes each).
    std::array<std::array<std::array<char, 4>, 4>, 256> prefixSigns{};
    // Codes that read as one letter with the code after them (J} thuu, hp ri), by the first
    // code's row and the second code; a Pair code read alone is a Letter, the kaal ra after
    // a letter with its vowel and the aa sign otherwise.
    std::array<unsigned char, 256> pairRow{};
    std::vector<std::array<Code, 256>> pairs;
    Code ra{};
};

std::array<char, 4> signBytes(char32_t c)
{
    std::array<char, 4> out{};
    char* o = out.data();
    appendSign(c, o);
    return out;
}

const Dispatch& dispatch()
{
    static const Dispatch d = [] {
        const bamini::Table& t = bamini::table();
        Dispatch d;
        auto fill = [](Dispatch::Code& code, const std::string& text) {
            if (text.size() > sizeof code.utf8)
                return false;
            std::memcpy(code.utf8, text.data(), text.size());
            code.length = static_cast<unsigned char>(text.size());
            code.endsInVowel = endsInVowel(text) && !text.starts_with("\u25CC");
            return true;
        };
        bool signsFit = true;
        for (int b = 0; b < 256; ++b) {
            const auto byte = static_cast<unsigned char>(b);
            d.raAfterKaal[byte] = t.followsRaKaal(byte);
            if (t.attaches(byte))
                signsFit = fill(d.signs[byte], t.utf8[byte]) && signsFit;
            if (t.kind[byte] == Kind::Consonant)
                fill(d.consonants[byte], t.utf8[byte]);
        }
        for (int b = 0; b < 256; ++b) {
            const auto byte = static_cast<unsigned char>(b);
            const Kind kind = t.kind[byte];
            const std::string& text = kind == Kind::UuMark || kind == Kind::GranthaSign ? t.plain[byte] : t.utf8[byte];
            d.actions[byte] = Dispatch::LookAround;
            if (t.isPrefix(byte)) {
                if (t.utf8[byte].size() != 3)
                    continue;
                d.actions[byte] = Dispatch::Prefix;
                std::memcpy(d.prefixSigns[byte][0].data(), t.utf8[byte].data(), 3);
                d.prefixSigns[byte][1] = signBytes(bamini::SignO);
                d.prefixSigns[byte][2] = signBytes(bamini::SignOo);
                d.prefixSigns[byte][3] = signBytes(bamini::SignAu);
                continue;
            }
            if (b == '\r' || b == '\n') {
                d.actions[byte] = Dispatch::LineEnd;
                continue;
            }
            const bool pairs = std::all_of(t.sequences[byte].begin(), t.sequences[byte].end(), [](const bamini::Sequence& q) {
                return q.codes.size() == 2 && !q.endsInAuMark;
            });
            if (!pairs || (kind == Kind::Consonant && !signsFit) || !fill(d.codes[byte], text))
                continue;
            d.actions[byte] = byte == t.kaal ? Dispatch::Kaal : t.sequences[byte].empty() ? Dispatch::Letter : Dispatch::Pair;
            d.takesSigns[byte] = kind == Kind::Consonant && byte != t.kaal;
            if (d.actions[byte] != Dispatch::Letter) {
                d.pairRow[byte] = static_cast<unsigned char>(d.pairs.size());
                d.pairs.emplace_back();
                for (const bamini::Sequence& q : t.sequences[byte])
                    fill(d.pairs.back()[static_cast<unsigned char>(q.codes[1])], q.utf8);
            }
        }
        char ra[4] = {};
        char* end = ra;
        appendSign(bamini::LetterRa, end);
        fill(d.ra, std::string(ra, end));
        return d;
    }();
    return d;
}
} // namespace

std::size_t SegmentReader::appendText(std::string_view bytes, bool atEnd, std::string& out)
{
    const bamini::Table& t = bamini::table();
    const Dispatch& d = dispatch();
    const unsigned char kaal = t.kaal, au = t.au, e = t.e, ai = t.ai;
    const auto at = [&](std::size_t n) -> unsigned char {
        return n < bytes.size() ? static_cast<unsigned char>(bytes[n]) : 0;
    };
    // Whether the code at n is a sign of the letter before it.
    const auto signAt = [&](std::size_t n) {
        const unsigned char c = at(n);
        return d.signs[c].length != 0 && !(c == kaal && d.raAfterKaal[at(n + 1)]);
    };
    const std::size_t stop = atEnd ? bytes.size() : bytes.size() > Lookahead ? bytes.size() - Lookahead : 0;
    // Written in blocks to a buffer with room for the longest reading of every code. The
    // choices within a reading are made without branches: the order of letters in a text is
    // anyone's, and a processor that guesses it wrong waits.
    constexpr std::size_t Block = 4096;
    static thread_local char written[Block * sizeof buffer + sizeof buffer];
    std::size_t k = 0;
    while (k < stop) {
        const std::size_t blockEnd = std::min(stop, k + Block);
        char* o = written;
        while (k < blockEnd) {
            const auto b = static_cast<unsigned char>(bytes[k]);
            const Dispatch::Action action = d.actions[b];
            if (action == Dispatch::Pair || action == Dispatch::Kaal) {
                const Dispatch::Code& pair = d.pairs[d.pairRow[b]][at(k + 1)];
                const Dispatch::Code& alone = action == Dispatch::Kaal && afterVowel ? d.ra : d.codes[b];
                if (pair.length != 0 || action == Dispatch::Kaal) {
                    const Dispatch::Code& code = pair.length != 0 ? pair : alone;
                    std::memcpy(o, code.utf8, sizeof code.utf8);
                    o += code.length;
                    afterVowel = code.endsInVowel;
                    k += pair.length != 0 ? 2 : 1;
                    continue;
                }
            }
            if (action == Dispatch::Letter || action == Dispatch::Pair) {
                // The letter, with its sign after it unless that is the kaal of ra (before
                // i, ii or the pulli).
                const Dispatch::Code& code = d.codes[b];
                std::memcpy(o, code.utf8, sizeof code.utf8);
                o += code.length;
                const unsigned char sign = at(k + 1);
                const Dispatch::Code& s = d.signs[sign];
                const bool takes = d.takesSigns[b] & (s.length != 0) & !((sign == kaal) & d.raAfterKaal[at(k + 2)]);
                std::memcpy(o, s.utf8, sizeof s.utf8);
                o += takes ? s.length : 0;
                afterVowel = takes ? s.endsInVowel : code.endsInVowel;
                k += takes ? 2 : 1;
                continue;
            }
            if (action == Dispatch::LineEnd) {  // CR LF, or a CR or LF alone: one line end
                *o++ = '\n';
                k += (b == '\r') & (at(k + 1) == '\n') ? 2 : 1;
                afterVowel = false;
                continue;
            }
            const Dispatch::Code& consonant = d.consonants[at(k + 1)];
            if (action == Dispatch::Prefix && consonant.length != 0) {
                // e, ee or ai before its consonant; with the kaal after it o or oo, with lla
                // (and no sign of lla's own) au.
                std::memcpy(o, consonant.utf8, sizeof consonant.utf8);
                o += consonant.length;
                const unsigned char after = at(k + 2);
                const bool o2 = (after == kaal) & (b != ai) & !d.raAfterKaal[at(k + 3)];
                const bool au2 = !o2 & (after == au) & (b == e) & !signAt(k + 3);
                const int form = o2 ? (b == e ? 1 : 2) : au2 ? 3 : 0;
                std::memcpy(o, d.prefixSigns[b][std::size_t(form)].data(), 4);
                o += 3;
                k += o2 | au2 ? 3 : 2;
                afterVowel = true;  // it ends in its vowel sign
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
                   for (const bamini::Sequence& s : t.sequences[b]) {
                       std::size_t n = 1;  // the first code is b
                       while (n < s.codes.size() && at(k + n) == static_cast<unsigned char>(s.codes[n]))
                           ++n;
                       if (n == s.codes.size() && !(s.endsInAuMark && signAt(k + n)))
                           return &s;
                   }
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
