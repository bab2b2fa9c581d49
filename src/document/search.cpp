#include "document/search.h"

#include "document/segments.h"

#include <algorithm>
#include <string>

namespace orvane {

namespace {
// The first code point of UTF-8 text that begins with a three-byte character, or 0.
char32_t firstTamil(std::string_view utf8)
{
    if (utf8.size() < 3 || static_cast<unsigned char>(utf8[0]) != 0xE0)
        return 0;
    const auto second = static_cast<unsigned char>(utf8[1]);
    if (second != 0xAE && second != 0xAF)
        return 0;
    return 0x0B80 | ((second & 1) << 6) | (static_cast<unsigned char>(utf8[2]) & 0x3F);
}
} // namespace

std::vector<TextRange> findAll(std::string_view bytes, std::string_view query)
{
    std::vector<TextRange> found;
    if (query.empty())
        return found;
    struct Piece {
        std::size_t unicode, begin, end;
    };
    std::vector<Piece> pieces;
    std::string text;
    text.reserve(bytes.size() * 2);
    forEachSegment(bytes, [&](const Segment& s) {
        pieces.push_back({text.size(), s.begin, s.begin + s.length});
        text.append(s.text);
    });
    const auto byUnicode = [](const Piece& p, std::size_t at) { return p.unicode < at; };
    for (std::size_t at = text.find(query); at != std::string::npos;) {
        const auto first = std::lower_bound(pieces.begin(), pieces.end(), at, byUnicode);
        if (first == pieces.end() || first->unicode != at) {
            at = text.find(query, at + 1);  // inside a segment: no match
            continue;
        }
        const std::size_t end = at + query.size();
        const auto last = std::lower_bound(first, pieces.end(), end, byUnicode) - 1;
        found.push_back({first->begin, last->end});
        at = text.find(query, end);
    }
    return found;
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
        const char32_t c = firstTamil(s.text);
        if (c == 0x0B83 || (c >= 0x0B85 && c <= 0x0BB9))
            ++counts.letters;
    });
    return counts;
}

} // namespace orvane
