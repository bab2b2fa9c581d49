#include "document/segments.h"

#include "document/bamini_table.h"
#include "document/other_text.h"
#include "platform/both_at_once.h"
#include "platform/utf8.h"

#include <algorithm>
#include <atomic>
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
    enum Action : unsigned char { Letter, Prefix, LineEnd, Pair, Kaal, Other, WordEnd };
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
    // A code that reads otherwise after a letter at a word's end (the comma key), whether a
    // code is a Tamil one (a letter, a sign, a mark), the code that draws nothing after a
    // letter with its vowel or pulli (a second pulli), and the codes it may follow.
    std::array<Code, 256> wordEnd{};
    std::array<bool, 256> tamil{};
    std::array<bool, 256> letterEnd{};  // may end a consonant's syllable: the consonant, a sign, a mark
    std::array<bool, 256> slipAfter{};
    unsigned char slip = 0;
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
        const Kind kind = t.kind[byte];
        d.tamil[byte] = kind == Kind::Consonant || kind == Kind::Vowel || kind == Kind::Sign || kind == Kind::Syllable
                        || kind == Kind::UuMark || kind == Kind::GranthaSign;
        d.letterEnd[byte] = d.tamil[byte] && kind != Kind::Vowel && !t.isPrefix(byte);
        d.slipAfter[byte] = (kind == Kind::Sign && !t.isPrefix(byte)) || kind == Kind::Syllable || kind == Kind::UuMark
                            || kind == Kind::GranthaSign;
        if (t.slip[byte])
            d.slip = byte;
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
        if (!t.atWordEnd[byte].empty() && d.actions[byte] == SegmentRules::Letter) {
            d.actions[byte] = SegmentRules::WordEnd;
            fits = fill(d.wordEnd[byte], t.atWordEnd[byte]) && fits;
        }
        if (d.actions[byte] != SegmentRules::Pair && d.actions[byte] != SegmentRules::Kaal)
            continue;
        d.pairRow[byte] = static_cast<unsigned char>(d.pairs.size());
        d.pairs.emplace_back();
        for (const bamini::Sequence& q : t.sequences[byte]) {
            SegmentRules::Code& pair = d.pairs.back()[static_cast<unsigned char>(q.codes[1])];
            fits = q.codes.size() == 2 && fill(pair, q.utf8) && fits;
            pair.unlessSignAfter = q.unlessSignAfter;
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
__attribute__((always_inline)) inline std::size_t SegmentReader::readOne(const SegmentRules& d, std::string_view bytes,
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
    if (action == SegmentRules::WordEnd && d.letterEnd[k > 0 ? static_cast<unsigned char>(bytes[k - 1]) : before]
        && !d.tamil[at(k + 1)]) {
        put(d.wordEnd[b]);  // the comma key after a word's last letter: a comma
        afterVowel = false;
        return 1;
    }
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
    if (action == SegmentRules::Letter || action == SegmentRules::Pair || action == SegmentRules::WordEnd) {
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

// The segment at k, with the pulli typed after it again, or after its vowel sign, which
// draws nothing: a slip of the finger, read as nothing.
std::size_t SegmentReader::readAt(const SegmentRules& d, std::string_view bytes, std::size_t k, char*& o)
{
    const std::size_t n = readOne(d, bytes, k, o);
    return n + std::size_t(k + n < bytes.size() && d.slip != 0 && static_cast<unsigned char>(bytes[k + n]) == d.slip
                           && afterVowel && d.slipAfter[static_cast<unsigned char>(bytes[k + n - 1])]);
}

// A character of other text at k, as it is; its run's end mark, when it follows, goes with
// it. marks: the bytes before k that belong to the segment (its run's start).
std::size_t SegmentReader::readOther(std::string_view bytes, std::size_t k, char*& o, std::size_t marks)
{
    std::size_t length = 0;
    if (k + 1 < bytes.size() && bytes[k] == OtherBegins && (bytes[k + 1] == OtherBegins || bytes[k + 1] == OtherEnds)) {
        *o++ = bytes[k + 1];  // a quoted mark
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

namespace {
enum TwoFlags : unsigned char {
    ReadsTwo = 1,       // the second code is part of the segment
    Decides = 2,        // the two codes decide the reading
    UnlessRaAfter = 4,  // ... unless the third makes the kaal ra
    EndsInVowel = 8,
    SignBefore = 16,    // e, ee or ai and its consonant: the sign follows, by the codes after
};
} // namespace

// Every pair of codes, read once with a third that changes nothing, and again after a vowel:
// where the reading is the same and looks no further (a letter and its sign, a pair, a line
// end), the pair's entry gives it. The e, ee and ai signs, the kaal alone, pairs that end in
// a sign of their own and other text look further, and are read code by code.
const SegmentReader::Two* SegmentReader::twoCodes()
{
    static const std::vector<Two> table = [] {
        const SegmentRules& d = dispatch();
        std::vector<Two> t(65536);
        const char neutral = ' ';
        if (d.signs[static_cast<unsigned char>(neutral)].length != 0 || d.raAfterKaal[static_cast<unsigned char>(neutral)])
            return t;  // no entry decides: every code is read on its own
        for (int b = 0; b < 256; ++b) {
            const auto first = static_cast<unsigned char>(b);
            const SegmentRules::Action action = d.actions[first];
            if (action == SegmentRules::Kaal || action == SegmentRules::Other || action == SegmentRules::WordEnd)
                continue;
            for (int n = 0; n < 256; ++n) {
                const auto second = static_cast<unsigned char>(n);
                if (action == SegmentRules::Prefix && d.consonants[second].length != 0) {
                    if (d.consonants[second].length > sizeof Two::utf8)
                        continue;  // read code by code
                    Two& e = t[std::size_t(first) << 8 | second];
                    std::memcpy(e.utf8, d.consonants[second].utf8, sizeof e.utf8);
                    e.length = d.consonants[second].length;
                    e.flags = Decides | ReadsTwo | SignBefore;
                    continue;
                }
                if (action == SegmentRules::Pair && d.pairs[d.pairRow[first]][second].unlessSignAfter)
                    continue;
                const char three[3] = {char(first), char(second), neutral};
                char outs[2][40];
                std::size_t lengths[2], read[2];
                bool vowel[2];
                for (int after = 0; after < 2; ++after) {
                    SegmentReader reader;
                    reader.afterVowel = after == 1;
                    char* o = outs[after];
                    read[after] = reader.readOne(d, std::string_view(three, 3), 0, o);
                    lengths[after] = std::size_t(o - outs[after]);
                    vowel[after] = reader.afterVowel;
                }
                if (read[0] != read[1] || lengths[0] != lengths[1] || vowel[0] != vowel[1] || lengths[0] > sizeof Two::utf8
                    || std::memcmp(outs[0], outs[1], lengths[0]) != 0 || read[0] > 2)
                    continue;
                Two& e = t[std::size_t(first) << 8 | second];
                std::memcpy(e.utf8, outs[0], lengths[0]);
                e.length = static_cast<unsigned char>(lengths[0]);
                e.flags = Decides | (read[0] == 2 ? ReadsTwo : 0) | (vowel[0] ? EndsInVowel : 0)
                          | (second == d.kaal ? UnlessRaAfter : 0);
            }
        }
        return t;
    }();
    return table.data();
}

// One segment at k, from its pair's entry where that decides it.
__attribute__((always_inline)) inline std::size_t SegmentReader::step(const SegmentRules& d, const Two* two,
                                                                      std::string_view bytes, std::size_t k,
                                                                      std::size_t fastStop, char*& o)
{
    const auto* u = reinterpret_cast<const unsigned char*>(bytes.data());
    if (k < fastStop && !inOther) {
        const unsigned char b = u[k];
        const Two& e = two[std::size_t(b) << 8 | u[k + 1]];
        if ((e.flags & Decides) && !((e.flags & UnlessRaAfter) && d.raAfterKaal[u[k + 2]])) {
            std::memcpy(o, &e, sizeof e);  // the text, and what follows it: written over next
            o += e.length;
            if (!(e.flags & SignBefore)) {
                afterVowel = (e.flags & EndsInVowel) != 0;
                const std::size_t n = 1 + (e.flags & ReadsTwo);
                return n + std::size_t((u[k + n] == d.slip) & afterVowel & d.slipAfter[u[k + n - 1]] & (d.slip != 0));
            }
            // After e, ee or ai and its consonant: its sign, made o, oo or au by a kaal or the
            // au mark after the consonant (as readAt reads it, without a branch to guess).
            const unsigned char after = u[k + 2], third = u[k + 3];
            const bool before = true;
            const bool o2 = (after == d.kaal) & (b != d.ai) & !d.raAfterKaal[third];
            const bool signThird = (d.signs[third].length != 0) & !((third == d.kaal) & d.raAfterKaal[u[k + 4]]);
            const bool au2 = !o2 & (after == d.au) & (b == d.e) & !signThird;
            const std::size_t form = std::size_t(o2) * (b == d.e ? 1 : 2) + std::size_t(au2) * 3;
            std::memcpy(o, d.prefixSigns[b][form].data(), 4);
            o += before ? 3 : 0;
            afterVowel = before | ((e.flags & EndsInVowel) != 0);
            return 1 + (e.flags & ReadsTwo) + std::size_t(before & (o2 | au2));
        }
    }
    return readAt(d, bytes, k, o);
}

std::size_t SegmentReader::appendText(std::string_view bytes, bool atEnd, std::string& out, bool halves)
{
    // A long stretch is read in two halves at once, the second on a thread of its own, where
    // a line feed divides it and no run of other text is open across it.
    constexpr std::size_t Halved = std::size_t(256) << 10;
    if (halves && bytes.size() >= Halved) {
        const std::size_t feed = bytes.find('\n', bytes.size() / 2);
        const std::size_t stop = atEnd ? bytes.size() : bytes.size() - std::min(bytes.size(), Lookahead);
        if (feed != std::string_view::npos && feed + 1 < stop && !otherOpenAfter(bytes.substr(0, feed + 1), inOther)) {
            const std::string_view first = bytes.substr(0, feed + 1), second = bytes.substr(feed + 1);
            std::string later;
            SegmentReader secondReader;
            std::size_t secondRead = 0;
            bothAtOnce([&] { appendWhole(first, true, out); },
                       [&] { secondRead = secondReader.appendWhole(second, atEnd, later); });
            out.append(later);
            afterVowel = secondReader.afterVowel;
            inOther = secondReader.inOther;
            const std::size_t read = first.size() + secondRead;
            before = static_cast<unsigned char>(bytes[read - 1]);
            return read;
        }
    }
    return appendWhole(bytes, atEnd, out);
}

std::size_t SegmentReader::appendWhole(std::string_view bytes, bool atEnd, std::string& out)
{
    const SegmentRules& d = dispatch();
    // The pairs' table takes a millisecond to make: a few words (the clock, a caption) are read
    // code by code until something longer has it made.
    static std::atomic<bool> made{false};
    const bool pairs = bytes.size() >= 1024 || made.load(std::memory_order_relaxed);
    const Two* two = pairs ? twoCodes() : nullptr;
    if (pairs)
        made.store(true, std::memory_order_relaxed);
    const std::size_t stop = atEnd ? bytes.size() : bytes.size() > Lookahead ? bytes.size() - Lookahead : 0;
    // The pairs' entries are used where three codes follow: the end is read code by code.
    const std::size_t fastStop = pairs ? std::min(stop, bytes.size() > 4 ? bytes.size() - 4 : 0) : 0;
    // Written in blocks to buffers with room for the longest reading of every code.
    constexpr std::size_t Block = 8192;
    static thread_local char written[2][Block * sizeof buffer + sizeof buffer];
    std::size_t k = 0;
    while (k < stop) {
        const std::size_t blockEnd = std::min(stop, k + Block);
        char* o = written[0];
        // No segment reaches over a line feed, and none after it depends on what came
        // before (unless a run of other text is open, which may go on over it). So a block
        // with a line feed past its middle is read as two stretches at once, a segment of
        // each in turn: the processor works on both while each waits for its tables.
        const std::string_view block = bytes.substr(k, blockEnd - k);
        const std::size_t half = block.size() / 2;
        const std::size_t feed = block.find('\n', half);
        if (feed != std::string_view::npos && feed + 1 < block.size() && !otherOpenAfter(block.substr(0, feed + 1), inOther)) {
            const std::size_t mid = k + feed + 1;
            SegmentReader second;  // at the start of a line
            char* o2 = written[1];
            std::size_t k2 = mid;
            while (k < mid && k2 < blockEnd) {
                k += step(d, two, bytes, k, fastStop, o);
                k2 += second.step(d, two, bytes, k2, fastStop, o2);
            }
            while (k < mid)
                k += step(d, two, bytes, k, fastStop, o);
            while (k2 < blockEnd)
                k2 += second.step(d, two, bytes, k2, fastStop, o2);
            out.append(written[0], std::size_t(o - written[0]));
            out.append(written[1], std::size_t(o2 - written[1]));
            afterVowel = second.afterVowel;
            inOther = second.inOther;
            k = k2;
            continue;
        }
        while (k < blockEnd)
            k += step(d, two, bytes, k, fastStop, o);
        out.append(written[0], std::size_t(o - written[0]));
    }
    if (k > 0)
        before = static_cast<unsigned char>(bytes[k - 1]);
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
