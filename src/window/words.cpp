#include "window/words.h"

#include "document/segments.h"
#include "platform/utf8.h"

#include <QChar>

namespace orvane {

bool isWordText(std::string_view text)
{
    if (text.empty())
        return false;
    std::size_t at = 0;
    const char32_t c = utf8::decodeAt(text, at);
    if (c >= 0x0B80 && c <= 0x0BFF)
        return c != 0x0BF3 && c != 0x0BF4 && c != 0x0BF5;  // not the Tamil day, month and year signs
    if (c == '_')
        return true;
    return QChar::isLetterOrNumber(c) || QChar::category(c) == QChar::Mark_NonSpacing;
}

std::vector<WordPiece> wordPieces(std::string_view line)
{
    std::vector<WordPiece> pieces;
    forEachSegment(line, [&](const Segment& s) { pieces.push_back({s.begin, s.begin + s.length, isWordText(s.text)}); });
    return pieces;
}

std::pair<std::size_t, std::size_t> wordAround(const std::vector<WordPiece>& pieces, std::size_t offset)
{
    std::size_t k = 0;
    while (k < pieces.size() && pieces[k].to <= offset)
        ++k;
    if (k == pieces.size() || !pieces[k].word)
        return k == pieces.size() ? std::pair{offset, offset} : std::pair{pieces[k].from, pieces[k].to};
    std::size_t first = k, last = k;
    while (first > 0 && pieces[first - 1].word)
        --first;
    while (last + 1 < pieces.size() && pieces[last + 1].word)
        ++last;
    return {pieces[first].from, pieces[last].to};
}

std::size_t wordStep(const std::vector<WordPiece>& pieces, std::size_t offset, bool forward)
{
    std::size_t target = offset;
    if (forward) {
        std::size_t k = 0;
        while (k < pieces.size() && pieces[k].to <= offset)
            ++k;
        while (k < pieces.size() && !pieces[k].word)
            ++k;
        while (k < pieces.size() && pieces[k].word)
            target = pieces[k++].to;
    } else {
        std::size_t k = pieces.size();
        while (k > 0 && pieces[k - 1].from >= offset)
            --k;
        while (k > 0 && !pieces[k - 1].word)
            --k;
        while (k > 0 && pieces[k - 1].word)
            target = pieces[--k].from;
    }
    return target;
}

} // namespace orvane
