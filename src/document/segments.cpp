#include "document/segments.h"

#include "document/bamini_table.h"
#include "document/other_text.h"
#include "platform/utf8.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace orvane {

namespace {
using bamini::Kind;

// Whether UTF-8 text ends in a Tamil vowel, a vowel sign or the pulli.
bool endsInVowel(std::string_view utf8)
{
    const char32_t c = utf8.size() >= 3 ? utf8::tamilAt(utf8, utf8.size() - 3) : 0;
    return (c >= 0x0B85 && c <= 0x0B94) || (c >= 0x0BBE && c <= 0x0BCD) || c == bamini::AuLength;
}

// How to read each code, worked out once from the table (resources/bamini.tsv): the one
// description of Bamini's reading. Most codes read as themselves whatever surrounds them; a
// consonant takes the sign after it; a code that starts a pair (J} thuu, hp ri, xs au) reads
// with the code after it; the kaal alone is the aa sign, or ra after a letter that already
// has its vowel; the signs e, ee and ai stand before their consonant, and with the kaal after
// it make o and oo, with the au mark au.
} // namespace

struct SegmentRules {
    enum Action : unsigned char { Letter, Prefix, LineEnd, Pair, Kaal, Other };
    struct Code {
        char utf8[14];
        unsigned char length;      // 0: none
        bool endsInVowel;
        bool unlessSignAfter;      // a pair: not when a sign of its second code follows
    };
    std::array<Code, 256> codes{};        // each code read alone
    std::array<Action, 256> actions{};
    std::array<bool, 256> takesSigns{};   // a consonant, read with the sign after it
    std::array<Code, 256> consonants{};   // the consonants after e, ee and ai
    std::array<Code, 256> signs{};        // the signs that attach to a consonant
    std::array<bool, 256> raAfterKaal{};  // the codes after which a kaal is ra
    // For e, ee and ai: the sign alone, as o, as oo, as au (three bytes each); and the sign
    // with no letter after it, on a dotted circle so that it joins nothing.
    std::array<std::array<std::array<char, 4>, 4>, 256> prefixSigns{};
    std::array<Code, 256> prefixAlone{};
    // Codes that read as one letter with the code after them, by the first code's row and
    // the second code.
    std::array<unsigned char, 256> pairRow{};
    std::vector<std::array<Code, 256>> pairs;
    Code ra{};
    unsigned char kaal = 0, au = 0, e = 0, ai = 0;
};

namespace {

std::array<char, 4> signBytes(char32_t c)
{
    std::array<char, 4> out{};
    std::string s;
    utf8::append(c, s);
    std::memcpy(out.data(), s.data(), 3);
    return out;
}

bool fill(SegmentRules::Code& code, const std::string& text)
{
    if (text.size() > sizeof code.utf8)
        return false;
    std::memcpy(code.utf8, text.data(), text.size());
    code.length = static_cast<unsigned char>(text.size());
    code.endsInVowel = endsInVowel(text) && !text.starts_with("\u25CC");
    return true;
}

SegmentRules build()
{
    const bamini::Table& t = bamini::table();
    SegmentRules d;
    bool fits = true;
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        d.raAfterKaal[byte] = t.followsRaKaal(byte);
        if (t.attaches(byte))
            fits = fill(d.signs[byte], t.utf8[byte]) && fits;
        if (t.kind[byte] == Kind::Consonant)
            fits = fill(d.consonants[byte], t.utf8[byte]) && fits;
    }
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const Kind kind = t.kind[byte];
        // The marks of the uu forms and the grantha signs mean something only after their
        // letters (read as pairs); alone they are the characters they are.
        fits = fill(d.codes[byte], kind == Kind::UuMark || kind == Kind::GranthaSign ? t.plain[byte] : t.utf8[byte]) && fits;
        if (t.isPrefix(byte)) {
            d.actions[byte] = SegmentRules::Prefix;
            fits = t.utf8[byte].size() == 3 && fill(d.prefixAlone[byte], "\u25CC" + t.utf8[byte]) && fits;
            std::memcpy(d.prefixSigns[byte][0].data(), t.utf8[byte].data(), 3);
            d.prefixSigns[byte][1] = signBytes(bamini::SignO);
            d.prefixSigns[byte][2] = signBytes(bamini::SignOo);
            d.prefixSigns[byte][3] = signBytes(bamini::SignAu);
            continue;
        }
        if (b == '\r' || b == '\n') {
            d.actions[byte] = SegmentRules::LineEnd;
            continue;
        }
        if (char(b) == OtherBegins) {
            d.actions[byte] = SegmentRules::Other;
            continue;
        }
        d.takesSigns[byte] = kind == Kind::Consonant && byte != t.kaal;
        d.actions[byte] = byte == t.kaal ? SegmentRules::Kaal : t.sequences[byte].empty() ? SegmentRules::Letter : SegmentRules::Pair;
        if (d.actions[byte] == SegmentRules::Letter)
            continue;
        d.pairRow[byte] = static_cast<unsigned char>(d.pairs.size());
        d.pairs.emplace_back();
        for (const bamini::Sequence& q : t.sequences[byte]) {
            SegmentRules::Code& pair = d.pairs.back()[static_cast<unsigned char>(q.codes[1])];
            fits = q.codes.size() == 2 && fill(pair, q.utf8) && fits;
            pair.unlessSignAfter = q.endsInAuMark;
        }
    }
    std::string ra;
    utf8::append(bamini::LetterRa, ra);
    fill(d.ra, ra);
    d.kaal = t.kaal;
    d.au = t.au;
    d.e = t.e;
    d.ai = t.ai;
    if (!fits)
        std::abort();  // resources/bamini.tsv holds what the reading cannot: a sequence of three codes, say
    return d;
}

const SegmentRules& dispatch()
{
    static const SegmentRules d = build();
    return d;
}
} // namespace

// Reads the segment at k and writes its text at o, which has room for 16 bytes more than
// any text; returns the segment's length. The choices are made without branches where the
// order of letters decides them: a text's order is anyone's, and a processor that guesses
// it wrong waits.
__attribute__((always_inline)) inline std::size_t SegmentReader::readAt(const SegmentRules& d, std::string_view bytes,
                                                                        std::size_t k, char*& o)
{
    const unsigned char kaal = d.kaal, au = d.au, e = d.e, ai = d.ai;
    const auto at = [&](std::size_t n) -> unsigned char {
        return n < bytes.size() ? static_cast<unsigned char>(bytes[n]) : 0;
    };
    // Whether the code at n is a sign of the letter before it (the kaal before i, ii or the
    // pulli is the letter ra instead).
    const auto signAt = [&](std::size_t n) {
        const unsigned char c = at(n);
        return d.signs[c].length != 0 && !(c == kaal && d.raAfterKaal[at(n + 1)]);
    };
    const auto put = [&o](const SegmentRules::Code& code) {
        std::memcpy(o, code.utf8, sizeof code.utf8);
        o += code.length;
    };
    if (inOther)
        return readOther(bytes, k, o, 0);
    const auto b = static_cast<unsigned char>(bytes[k]);
    const SegmentRules::Action action = d.actions[b];
    if (action == SegmentRules::Other) {
        if (at(k + 1) == static_cast<unsigned char>(OtherEnds)) {  // the code itself
            put(d.codes[b]);
            afterVowel = false;
            return 2;
        }
        inOther = true;
        return readOther(bytes, k + 1, o, 1);
    }
    if (action == SegmentRules::Pair || action == SegmentRules::Kaal) {
        const SegmentRules::Code& pair = d.pairs[d.pairRow[b]][at(k + 1)];
        if (pair.length != 0 && !(pair.unlessSignAfter && signAt(k + 2))) {
            put(pair);
            afterVowel = pair.endsInVowel;
            return 2;
        }
        if (action == SegmentRules::Kaal) {
            // After a letter that already has its vowel (or pulli) the kaal can be no aa
            // sign: it stands for ra, which it draws alone.
            const SegmentRules::Code& code = afterVowel ? d.ra : d.codes[b];
            put(code);
            afterVowel = code.endsInVowel;
            return 1;
        }
    }
    if (action == SegmentRules::Letter || action == SegmentRules::Pair) {
        // The letter, with its sign after it unless that is the kaal of ra.
        const SegmentRules::Code& code = d.codes[b];
        put(code);
        const unsigned char sign = at(k + 1);
        const SegmentRules::Code& s = d.signs[sign];
        const bool takes = d.takesSigns[b] & (s.length != 0) & !((sign == kaal) & d.raAfterKaal[at(k + 2)]);
        std::memcpy(o, s.utf8, sizeof s.utf8);
        o += takes ? s.length : 0;
        afterVowel = takes ? s.endsInVowel : code.endsInVowel;
        return takes ? 2 : 1;
    }
    if (action == SegmentRules::LineEnd) {  // CR LF, or a CR or LF alone: one line end
        *o++ = '\n';
        afterVowel = false;
        return (b == '\r') & (at(k + 1) == '\n') ? 2 : 1;
    }
    const SegmentRules::Code& consonant = d.consonants[at(k + 1)];
    if (consonant.length == 0) {
        put(d.prefixAlone[b]);
        afterVowel = false;
        return 1;
    }
    // e, ee or ai before its consonant; with the kaal after it o or oo, with the au mark
    // (and no sign of its own after that) au.
    put(consonant);
    const unsigned char after = at(k + 2);
    const bool o2 = (after == kaal) & (b != ai) & !d.raAfterKaal[at(k + 3)];
    const bool au2 = !o2 & (after == au) & (b == e) & !signAt(k + 3);
    const int form = o2 ? (b == e ? 1 : 2) : au2 ? 3 : 0;
    std::memcpy(o, d.prefixSigns[b][std::size_t(form)].data(), 4);
    o += 3;
    afterVowel = true;  // it ends in its vowel sign
    return o2 | au2 ? 3 : 2;
}

// A character of other text at k, as it is; its run's end mark, when it follows, goes with
// it. marks: the bytes before k that belong to the segment (its run's start).
std::size_t SegmentReader::readOther(std::string_view bytes, std::size_t k, char*& o, std::size_t marks)
{
    std::size_t length = 0;
    if (k < bytes.size() && bytes[k] == OtherBegins && k + 1 < bytes.size()) {
        *o++ = bytes[k + 1];  // a quoted byte
        length = 2;
    } else if (k < bytes.size() && bytes[k] != OtherEnds) {
        char32_t c = 0;
        length = utf8::sequenceAt(bytes, k, c);
        if (length == 0) {
            length = 1;
            std::memcpy(o, "\xEF\xBF\xBD", 3);  // no character: U+FFFD
            o += 3;
        } else {
            std::memcpy(o, bytes.data() + k, length);
            o += length;
        }
    }
    afterVowel = false;
    if (k + length >= bytes.size() || bytes[k + length] == OtherEnds) {
        inOther = false;
        length += k + length < bytes.size();
    }
    return marks + length;
}

std::size_t SegmentReader::appendText(std::string_view bytes, bool atEnd, std::string& out)
{
    const SegmentRules& d = dispatch();
    const std::size_t stop = atEnd ? bytes.size() : bytes.size() > Lookahead ? bytes.size() - Lookahead : 0;
    // Written in blocks to a buffer with room for the longest reading of every code.
    constexpr std::size_t Block = 4096;
    static thread_local char written[Block * sizeof buffer + sizeof buffer];
    std::size_t k = 0;
    while (k < stop) {
        const std::size_t blockEnd = std::min(stop, k + Block);
        char* o = written;
        while (k < blockEnd)
            k += readAt(d, bytes, k, o);
        out.append(written, std::size_t(o - written));
    }
    return k;
}

std::size_t SegmentReader::next(std::string_view bytes, std::size_t k, std::string_view& text)
{
    char* o = buffer;
    const std::size_t length = readAt(dispatch(), bytes, k, o);
    text = std::string_view(buffer, std::size_t(o - buffer));
    return length;
}

} // namespace orvane
