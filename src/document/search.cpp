#include "document/search.h"

#include "document/bamini_table.h"
#include "document/other_text.h"
#include "document/segments.h"
#include "document/unicode_tamil.h"
#include "platform/both_at_once.h"
#include "platform/utf8.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>

namespace orvane {


namespace {
// English letters in one case, as a search that ignores case compares them; each keeps its
// byte, so offsets stay those of the text.
void foldCase(std::string& text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
}

// A letter, a sign or a digit: what a whole word may not touch. Spaces, punctuation and the
// general punctuation block stand between words.
bool inWord(char32_t c)
{
    if (c < 0x80)
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    return !(c == 0xA0 || (c >= 0x2000 && c <= 0x206F) || c == 0x3000 || c == 0xFEFF || (c >= 0xBF0 && c <= 0xBFA));
}

// The character of UTF-8 text that ends just before at.
char32_t characterBefore(std::string_view text, std::size_t at)
{
    std::size_t k = at;
    while (k > 0 && utf8::isContinuation(static_cast<unsigned char>(text[k - 1])))
        --k;
    if (k == 0)
        return 0;
    --k;
    return utf8::decodeAt(text, k);
}

// The matches in one stretch of a document (offset: where it starts) that the reading of
// the stretch alone decides. query is folded already unless options.matchCase.
void findIn(std::string_view bytes, std::size_t offset, std::string_view query, std::vector<TextRange>& found,
            FindOptions options)
{
    struct Piece {
        std::size_t unicode, begin, end;
    };
    std::vector<Piece> pieces;
    std::string text;
    forEachSegment(bytes, [&](const Segment& s) {
        pieces.push_back({text.size(), offset + s.begin, offset + s.begin + s.length});
        text.append(s.text);
    });
    // The segment that holds the Unicode offset at.
    const auto segmentAt = [&pieces](std::size_t at) {
        return std::upper_bound(pieces.begin(), pieces.end(), at, [](std::size_t a, const Piece& p) { return a < p.unicode; })
               - 1;
    };
    std::string folded;
    if (!options.matchCase) {
        folded = text;
        foldCase(folded);
    }
    const std::string& hay = options.matchCase ? text : folded;
    for (std::size_t at = hay.find(query); at != std::string::npos; at = hay.find(query, at + 1)) {
        const std::size_t end = at + query.size();
        if (options.wholeWords) {
            std::size_t next = end;
            if (inWord(characterBefore(text, at)) || (end < text.size() && inWord(utf8::decodeAt(text, next))))
                continue;
        }
        const auto first = segmentAt(at), last = segmentAt(end - 1);
        if (!found.empty() && found.back().end > first->begin)
            continue;  // in a segment the match before touches
        const std::size_t readingEnd = last + 1 == pieces.end() ? text.size() : (last + 1)->unicode;
        found.push_back({first->begin, last->end, text.substr(first->unicode, readingEnd - first->unicode),
                         at - first->unicode, end - first->unicode});
        at = end - 1;
    }
}

// The codes whose reading, alone or with others, may hold the UTF-8 piece: a superset, so
// that a place none of them stands cannot hold it.
using CodeSet = std::array<bool, 256>;

void addCodesThatMayRead(std::string_view piece, CodeSet& may)
{
    const bamini::Table& t = bamini::table();
    // What a code reads as where it stands: the kaal after a letter with its vowel is ர, and
    // the lla after an e-sign's letter the au length mark.
    std::string ra, auLength;
    utf8::append(bamini::LetterRa, ra);
    utf8::append(bamini::AuLength, auLength);
    if (piece.find(ra) != std::string_view::npos)
        may[t.kaal] = true;
    if (piece.find(auLength) != std::string_view::npos)
        may[t.au] = true;
    for (std::size_t b = 0; b < 256; ++b) {
        may[b] = may[b] || t.utf8[b].find(piece) != std::string::npos || t.plain[b].find(piece) != std::string::npos;
        // A sequence that reads as the piece stands whole in the segment: its first code will
        // do (its pulli or sign would make every pulli or sign a place to look).
        for (const bamini::Sequence& s : t.sequences[b])
            if (s.utf8.find(piece) != std::string::npos)
                may[static_cast<unsigned char>(s.codes[0])] = true;
    }
}

// What a stretch of the document must hold to hold the query: for each of its characters,
// one of the codes that may read as it (as either half of a two-part sign, which the reading
// makes of two codes), with the spaces the query has before that character.
struct Needed {
    CodeSet codes{};
    std::size_t spacesBefore = 0;
};

// The most segments a match of the query may touch: a segment's reading begins with a letter
// or another character, never a sign (a sign with no letter reads after a dotted circle), so
// each segment but the first begins at one of the query's; the first may begin before it.
std::size_t segmentsOf(std::string_view query)
{
    std::size_t bases = 0;
    bool first = true, startsWithSign = false;
    for (std::size_t i = 0; i < query.size();) {
        const char32_t c = utf8::decodeAt(query, i);
        const bool sign = c == 0x0B82 || (c >= 0x0BBE && c <= 0x0BCD) || c == 0x0BD7;
        startsWithSign = startsWithSign || (first && sign);
        bases += !sign;
        first = false;
    }
    return bases + startsWithSign;
}

std::vector<Needed> neededFor(std::string_view query)
{
    std::vector<Needed> needed;
    std::size_t spaces = 0;
    for (std::size_t i = 0; i < query.size();) {
        const char32_t c = utf8::decodeAt(query, i);
        if (c == bamini::DottedCircle)
            return {};  // what a sign with no letter reads as: any sign
        if (c == ' ' || c == 0xFFFD) {
            spaces += c == ' ';
            continue;
        }
        std::string whole;
        utf8::append(c, whole);
        std::vector<std::u32string> halves;
        switch (c) {
        case bamini::SignO: halves = {{bamini::SignE}, {bamini::SignAa}}; break;
        case bamini::SignOo: halves = {{bamini::SignEe}, {bamini::SignAa}}; break;
        case bamini::SignAu: halves = {{bamini::SignE}, {bamini::AuLength}}; break;
        case bamini::LetterAu: halves = {{bamini::LetterO}, {bamini::AuLength}}; break;
        default: halves = {{}};
        }
        for (const std::u32string& half : halves) {
            Needed n;
            n.spacesBefore = spaces;
            addCodesThatMayRead(whole, n.codes);
            if (!half.empty()) {
                std::string part;
                utf8::append(half[0], part);
                addCodesThatMayRead(part, n.codes);
            }
            needed.push_back(n);
        }
    }
    return needed;
}

// In a document of Tamil codes alone, a space ends every segment and the reading after it
// starts afresh, as at a line's start. So only the words about the places where the least
// common of the codes the query needs stands are looked at (from as many spaces back as the
// query has before that character to as many on as it has after it), and only those that
// hold a code for every character of the query are read. The lines from first to last.
void findInWords(std::string_view bytes, std::size_t first, std::size_t last, std::string_view query,
                 const std::vector<Needed>& needed, std::vector<TextRange>& found, FindOptions options)
{
    const Needed& anchor = needed.front();
    const std::size_t spacesAfter = std::size_t(std::count(query.begin(), query.end(), ' ')) - anchor.spacesBefore;
    const auto lineEnd = [](char b) { return b == '\r' || b == '\n'; };
    const char* const data = bytes.data();
    // A match's segments stand together: all it needs is within `span` bytes of the line
    // about the place (a segment is at most Lookahead + 1 bytes). For a short query that is
    // much nearer than the words about it, and decides most places without reading them.
    constexpr std::size_t Longest = SegmentReader::Lookahead + 1;
    const std::size_t span = segmentsOf(query) * Longest;
    const bool near = span <= 4 * Longest && needed.size() <= 64;
    std::array<std::uint64_t, 256> entries{};  // of each code, the needs it may meet
    for (std::size_t j = 0; j < needed.size() && near; ++j)
        for (std::size_t b = 0; b < 256; ++b)
            entries[b] |= needed[j].codes[b] ? std::uint64_t(1) << j : 0;
    const std::uint64_t all = needed.size() == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << needed.size()) - 1;
    const auto entriesAt = [&](std::size_t i) { return entries[static_cast<unsigned char>(data[i])]; };
    const auto meetsAll = [&](std::size_t at) {
        std::size_t lo = at, hi = at + 1;
        while (lo > first && at - lo < span - 1 && !lineEnd(data[lo - 1]))
            --lo;
        while (hi < last && hi - at < span && !lineEnd(data[hi]))
            ++hi;
        std::uint64_t around = 0;
        for (std::size_t i = lo; i < hi; ++i)
            around |= entriesAt(i);
        if (around != all)
            return false;
        // Within one stretch of span bytes that holds the place.
        for (std::size_t from = lo; from <= at; ++from) {
            std::uint64_t within = 0;
            for (std::size_t i = from; i < std::min(hi, from + span); ++i)
                within |= entriesAt(i);
            if (within == all)
                return true;
        }
        return false;
    };
    std::size_t begin = 0, end = 0;  // words to read, not yet read
    std::string reading;
    const auto read = [&] {
        if (end <= begin)
            return;
        // Read quickly first: most words that hold the codes do not hold the query.
        reading.clear();
        SegmentReader().appendText(bytes.substr(begin, end - begin), true, reading);
        if (reading.find(query) != std::string::npos)
            findIn(bytes.substr(begin, end - begin), begin, query, found, options);
    };
    // The anchor's codes, where they are few, are looked for sixteen bytes at a time.
    std::vector<unsigned char> anchorCodes;
    for (std::size_t b = 0; b < 256; ++b)
        if (anchor.codes[b])
            anchorCodes.push_back(static_cast<unsigned char>(b));
    const auto nextAnchor = [&](std::size_t at) {
#ifdef __SSE2__
        if (anchorCodes.size() <= 8) {
            __m128i codes[8];
            for (std::size_t k = 0; k < 8; ++k)
                codes[k] = _mm_set1_epi8(static_cast<char>(anchorCodes[std::min(k, anchorCodes.size() - 1)]));
            for (; at + 16 <= last; at += 16) {
                const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
                __m128i hit = _mm_cmpeq_epi8(block, codes[0]);
                for (std::size_t k = 1; k < anchorCodes.size(); ++k)
                    hit = _mm_or_si128(hit, _mm_cmpeq_epi8(block, codes[k]));
                if (const int mask = _mm_movemask_epi8(hit))
                    return at + std::size_t(__builtin_ctz(unsigned(mask)));
            }
        }
#endif
        while (at < last && !anchor.codes[static_cast<unsigned char>(data[at])])
            ++at;
        return at;
    };
    for (std::size_t at = first; (at = nextAnchor(at)) < last; ++at) {
        if (near && !meetsAll(at))
            continue;
        std::size_t from = at;
        for (std::size_t spaces = 0; from > first && !lineEnd(data[from - 1]); --from)
            if (data[from - 1] == ' ' && ++spaces > anchor.spacesBefore)
                break;
        std::size_t to = at + 1, wordEnd = std::string_view::npos;
        for (std::size_t spaces = 0; to < last && !lineEnd(data[to]); ++to) {
            if (data[to] != ' ')
                continue;
            wordEnd = std::min(wordEnd, to);
            if (++spaces > spacesAfter)
                break;
        }
        at = std::min(wordEnd, to);  // the rest of this word has the same words about it
        const std::string_view words = bytes.substr(from, to - from);
        const bool holdsAll = std::all_of(needed.begin() + 1, needed.end(), [words](const Needed& n) {
            return std::any_of(words.begin(), words.end(), [&n](char b) { return n.codes[static_cast<unsigned char>(b)]; });
        });
        if (!holdsAll)
            continue;
        if (from > end) {  // words that overlap those waiting are read with them
            read();
            begin = from;
        }
        end = std::max(end, to);
    }
    read();
}

// The same over a whole document, false where it holds other text or the query no letter;
// a long document in two halves at once, divided at a line end.
bool findAmongTamilCodes(std::string_view bytes, std::string_view query, std::vector<TextRange>& found,
                         FindOptions options)
{
    std::vector<Needed> needed = neededFor(query);
    if (needed.empty() || bytes.find(OtherBegins) != std::string_view::npos)
        return false;
    // How common each code is, from the first stretch of the document: the rarest need leads.
    std::array<std::size_t, 256> seen{};
    for (const char b : bytes.substr(0, std::size_t(1) << 20))
        ++seen[static_cast<unsigned char>(b)];
    const auto often = [&seen](const Needed& n) {
        std::size_t count = 0;
        for (std::size_t b = 0; b < 256; ++b)
            count += n.codes[b] ? seen[b] : 0;
        return count;
    };
    std::stable_sort(needed.begin(), needed.end(), [&](const Needed& x, const Needed& y) { return often(x) < often(y); });
    const std::size_t feed = bytes.size() >= (std::size_t(1) << 20) ? bytes.find('\n', bytes.size() / 2) : std::string_view::npos;
    if (feed == std::string_view::npos) {
        findInWords(bytes, 0, bytes.size(), query, needed, found, options);
        return true;
    }
    std::vector<TextRange> later;
    bothAtOnce([&] { findInWords(bytes, 0, feed + 1, query, needed, found, options); },
               [&] { findInWords(bytes, feed + 1, bytes.size(), query, needed, later, options); });
    found.insert(found.end(), std::make_move_iterator(later.begin()), std::make_move_iterator(later.end()));
    return true;
}
} // namespace

std::vector<TextRange> findAll(std::string_view bytes, std::string_view asked, FindOptions options)
{
    std::vector<TextRange> found;
    if (asked.empty())
        return found;
    std::string folded(asked);
    if (!options.matchCase)
        foldCase(folded);
    const std::string_view query = folded;
    if (query.find('\n') != std::string_view::npos) {
        findIn(bytes, 0, query, found, options);
        return found;
    }
    // A document of Tamil codes alone reads as no English letter: case changes nothing there.
    if (findAmongTamilCodes(bytes, query, found, options))
        return found;
    // A line's reading never depends on another line, and a query without a line break
    // never spans two. So the text is read quickly in stretches of whole lines, and only a
    // line whose text holds the query is read again segment by segment, to find where each
    // match begins and ends. Line k of the text ("\n" between) is line k of the bytes.
    constexpr std::size_t Stretch = std::size_t(64) << 10;
    auto lineEnd = [&bytes](std::size_t from) {
        while (from < bytes.size() && bytes[from] != '\r' && bytes[from] != '\n')
            ++from;
        return from;
    };
    std::string text;
    for (std::size_t at = 0; at < bytes.size();) {
        std::size_t end = bytes.find("\r\n", std::min(bytes.size(), at + Stretch));
        end = end == std::string_view::npos ? bytes.size() : end + 2;
        text.clear();
        SegmentReader().appendText(bytes.substr(at, end - at), true, text);
        if (!options.matchCase)
            foldCase(text);  // only to find the lines that hold it
        std::size_t line = 0, lineBytes = at;  // the same line in the text and in the bytes
        for (std::size_t hit = text.find(query); hit != std::string::npos;) {
            const std::size_t lineBreak = text.find('\n', line);
            const std::size_t bytesEnd = lineEnd(lineBytes);
            if (lineBreak == std::string::npos || hit < lineBreak)
                findIn(bytes.substr(lineBytes, bytesEnd - lineBytes), lineBytes, query, found, options);
            if (lineBreak == std::string::npos)
                break;
            line = lineBreak + 1;
            lineBytes = bytesEnd + (bytes.compare(bytesEnd, 2, "\r\n") == 0 ? 2 : 1);
            if (hit < line)
                hit = text.find(query, line);
        }
        at = end;
    }
    return found;
}

std::string replacedBytes(const TextRange& match, std::string_view replacement)
{
    const std::string reading = match.reading.substr(0, match.from) + std::string(replacement) + match.reading.substr(match.to);
    return pastedText(reading, PastedAs::Unicode);
}

std::size_t lettersIn(std::string_view line)
{
    std::size_t letters = 0;
    forEachSegment(line, [&](const Segment&) { ++letters; });
    return letters;
}

TextCounts countText(std::string_view bytes)
{
    TextCounts counts;
    bool inWord = false;
    counts.lines = bytes.empty() ? 0 : 1;
    forEachSegment(bytes, [&](const Segment& s) {
        // Characters as other tools count them (wc -m): the Unicode the text reads as,
        // each line break one.
        for (const char byte : s.text)
            counts.characters += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
        if (s.text == "\n") {
            ++counts.lines;
            inWord = false;
            return;
        }
        const bool space = s.text == " " || s.text == "\t" || s.text == "\u00A0";
        if (!space && !inWord)
            ++counts.words;
        inWord = !space;
        const char32_t c = utf8::tamilAt(s.text, 0);
        if (c == 0x0B83 || (c >= 0x0B85 && c <= 0x0BB9))
            ++counts.letters;
    });
    return counts;
}

} // namespace orvane
