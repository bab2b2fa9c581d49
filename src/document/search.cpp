#include "document/search.h"

#include "document/segments.h"
#include "document/unicode_tamil.h"
#include "platform/utf8.h"

#include <algorithm>
#include <string>

namespace orvane {


namespace {
// The matches in one stretch of a document (offset: where it starts) that the reading of
// the stretch alone decides.
void findIn(std::string_view bytes, std::size_t offset, std::string_view query, std::vector<TextRange>& found)
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
    for (std::size_t at = text.find(query); at != std::string::npos; at = text.find(query, at + 1)) {
        const std::size_t end = at + query.size();
        const auto first = segmentAt(at), last = segmentAt(end - 1);
        if (!found.empty() && found.back().end > first->begin)
            continue;  // in a segment the match before touches
        const std::size_t readingEnd = last + 1 == pieces.end() ? text.size() : (last + 1)->unicode;
        found.push_back({first->begin, last->end, text.substr(first->unicode, readingEnd - first->unicode),
                         at - first->unicode, end - first->unicode});
        at = end - 1;
    }
}
} // namespace

std::vector<TextRange> findAll(std::string_view bytes, std::string_view query)
{
    std::vector<TextRange> found;
    if (query.empty())
        return found;
    if (query.find('\n') != std::string_view::npos) {
        findIn(bytes, 0, query, found);
        return found;
    }
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
        std::size_t line = 0, lineBytes = at;  // the same line in the text and in the bytes
        for (std::size_t hit = text.find(query); hit != std::string::npos;) {
            const std::size_t lineBreak = text.find('\n', line);
            const std::size_t bytesEnd = lineEnd(lineBytes);
            if (lineBreak == std::string::npos || hit < lineBreak)
                findIn(bytes.substr(lineBytes, bytesEnd - lineBytes), lineBytes, query, found);
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

TextCounts countText(std::string_view bytes)
{
    TextCounts counts;
    bool inWord = false;
    counts.lines = bytes.empty() ? 0 : 1;
    forEachSegment(bytes, [&](const Segment& s) {
        if (s.text == "\n") {
            ++counts.lines;
            inWord = false;
            return;
        }
        ++counts.characters;
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
