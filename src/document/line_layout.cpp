#include "document/line_layout.h"

#include "document/other_text.h"
#include "document/segments.h"

#include <algorithm>

namespace orvane {

std::size_t LineLayout::rowOf(std::size_t syllable) const
{
    return std::size_t(std::upper_bound(rows.begin(), rows.end(), std::uint32_t(syllable)) - rows.begin()) - 1;
}

void otherCharacter(std::string_view bytes, std::string& utf8)
{
    utf8.clear();
    std::size_t k = 0;
    if (!bytes.empty() && bytes[0] == OtherBegins && !(bytes.size() > 1 && (bytes[1] == OtherBegins || bytes[1] == OtherEnds)))
        k = 1;  // the run's start
    for (; k < bytes.size(); ++k) {
        if (bytes[k] == OtherBegins && k + 1 < bytes.size()) {
            utf8 += bytes[++k];  // a quoted mark
            continue;
        }
        if (bytes[k] != OtherEnds)
            utf8 += bytes[k];
    }
}

namespace {
// Lays the syllables of line from byte `from` (where a row begins, the reader resumed as the
// reading stood there) into part, its indexes counted from that row: rows filled as wide as
// width lets them. At each row that begins at a syllable (its index in part, its first byte)
// stop may end it there: Met, the row is one the layout had before, and it and all after it
// are left out of part; Cut, the rest is laid out later, and part ends with the row's first
// syllable as where it goes on. Else part ends with the line's end.
enum class Stop { No, Met, Cut, Short };
using StopAt = std::function<Stop(std::size_t index, std::size_t begin)>;

Stop layOutPart(LineBytes line, std::size_t from, SegmentReader& reader, const Advances& advances, float width,
                LineLayout& part, const StopAt& stop, std::size_t& stopAt)
{
    part.syllables.clear();
    part.rows.assign(1, 0);
    // The row being filled: where it may end after a space (the syllable after the space,
    // and the row's width up to it), and how wide it is so far.
    std::size_t breakAt = 0;
    float breakX = 0, x = 0;
    bool inOther = reader.withinOtherText();
    Stop stopped = Stop::No;
    std::size_t stopBegin = 0, lastRowBegin = from;
    std::string character;
    const auto rowBegins = [&](std::size_t index, std::size_t begin) {
        part.rows.push_back(std::uint32_t(index));
        lastRowBegin = begin;
        if (stopped == Stop::No && stop && (stopped = stop(index, begin)) != Stop::No) {
            stopAt = index;
            stopBegin = begin;
        }
    };
    const auto place = [&](const Segment& s, bool other) {
        const bool lineBreak = !other && s.text == "\n";
        const bool space = !other && (s.text == " " || s.text == "\t");
        float w = 0;
        if (other) {
            otherCharacter(line.substr(s.begin, s.length), character);
            w = advances.other ? advances.other(character) : 0;
        } else if (!lineBreak) {
            for (std::size_t k = s.begin; k < s.begin + s.length; ++k) {
                const auto c = static_cast<unsigned char>(line[k]);
                w += advances.code[c];
                k += c == static_cast<unsigned char>(OtherBegins);  // the code 0E is written 0E 0F
            }
        }
        const std::size_t index = part.syllables.size();
        if (!space && width > 0 && index > part.rows.back() && x + w > width) {
            if (breakAt > part.rows.back()) {  // after the row's last space
                for (std::size_t k = breakAt; k < index; ++k)
                    part.syllables[k].x -= breakX;
                x -= breakX;
                rowBegins(breakAt, breakAt < index ? part.syllables[breakAt].begin : s.begin);
            }
            if (index > part.rows.back() && x + w > width) {  // a word longer than the row
                x = 0;
                rowBegins(index, s.begin);
            }
        }
        part.syllables.push_back({std::uint32_t(s.begin), x, other, space, reader.endedInVowel(), reader.withinOtherText()});
        x += w;
        if (space) {
            breakAt = index + 1;
            breakX = x;
        }
        if (lineBreak) {  // a lone line feed or return: the row ends after it
            x = 0;
            rowBegins(index + 1, s.begin + s.length);
        }
    };
    const auto visit = [&](const Segment& s) {
        if (stopped != Stop::No)
            return;
        const bool other = inOther || (line[s.begin] == OtherBegins && !(s.length == 2 && line[s.begin + 1] == OtherEnds));
        inOther = reader.withinOtherText();
        place(s, other);
    };
    // Read a stretch at a time, so that a layout that meets the old one stops soon after.
    constexpr std::size_t Stretch = 2048;
    std::size_t at = from;
    while (at < line.size() && stopped == Stop::No) {
        const std::size_t end = stop ? std::min(line.heldEnd(), at + Stretch) : line.heldEnd();
        const std::size_t read = reader.read(line.substr(at, end - at), end == line.size(), visit, at);
        at += read;
        if (end == line.heldEnd() && end < line.size() && (read == 0 || at + SegmentReader::Lookahead >= end))
            break;  // the bytes held end here: the rest goes on from the last row begun
    }
    if (stopped == Stop::No && at < line.size()) {
        if (part.rows.back() == 0)
            return Stop::Short;
        stopped = Stop::Cut;
        stopAt = part.rows.back();
        stopBegin = lastRowBegin;
    }
    if (stopped == Stop::No) {
        part.syllables.push_back({std::uint32_t(line.size()), x, false, false, reader.endedInVowel(), reader.withinOtherText()});
        return Stop::No;
    }
    part.syllables.resize(stopAt);
    part.rows.resize(std::size_t(std::find(part.rows.begin(), part.rows.end(), std::uint32_t(stopAt)) - part.rows.begin()));
    if (stopped == Stop::Cut) {
        part.syllables.push_back({std::uint32_t(stopBegin), 0, false, false, false, false});
        part.rows.push_back(std::uint32_t(stopAt));
    }
    return stopped;
}

// Where an edit is far enough past the rows laid out that none of them may read into it.
constexpr std::size_t RowsPastAnEdit = 16;
// The most bytes one syllable takes (its codes, and a pulli typed twice after them).
constexpr std::size_t LongestSyllable = SegmentReader::Lookahead + 1;

SegmentReader readerBefore(const LineLayout& layout, std::size_t syllable, LineBytes line)
{
    SegmentReader reader;
    if (syllable > 0) {
        const LineLayout::Syllable& before = layout.syllables[syllable - 1];
        reader.resume(before.vowelAfter, before.openAfter, static_cast<unsigned char>(line[layout.syllables[syllable].begin - 1]));
    }
    return reader;
}

// Items from..to of a long vector replaced by others, the ones after them moved once.
template <typename T>
void splice(std::vector<T>& v, std::size_t from, std::size_t to, const std::vector<T>& with)
{
    const std::size_t kept = std::min(to - from, with.size());
    std::copy(with.begin(), with.begin() + std::ptrdiff_t(kept), v.begin() + std::ptrdiff_t(from));
    if (with.size() > kept)
        v.insert(v.begin() + std::ptrdiff_t(from + kept), with.begin() + std::ptrdiff_t(kept), with.end());
    else
        v.erase(v.begin() + std::ptrdiff_t(from + kept), v.begin() + std::ptrdiff_t(to));
}
} // namespace

LineLayout layOutLine(std::string_view line, const Advances& advances, float width, std::size_t rows, std::size_t through)
{
    LineLayout layout;
    layout.syllables.push_back({});
    layout.complete = false;
    layOutFurther(layout, line, advances, width, rows, through);
    return layout;
}

void layOutFurther(LineLayout& layout, std::string_view line, const Advances& advances, float width, std::size_t rows,
                   std::size_t through)
{
    if (layout.complete || (layout.rows.size() > rows && layout.syllables.back().begin > through))
        return;
    const std::size_t goesOn = layout.syllables.size() - 1;  // the first syllable of a row
    const std::size_t from = layout.syllables[goesOn].begin;
    SegmentReader reader = readerBefore(layout, goesOn, line);
    layout.syllables.pop_back();
    layout.rows.pop_back();
    const std::size_t laidRows = layout.rows.size();
    LineLayout part;
    const StopAt stop = [&](std::size_t, std::size_t begin) {
        return laidRows + part.rows.size() > rows && begin > through ? Stop::Cut : Stop::No;
    };
    std::size_t stopAt = 0;
    const bool whole = rows == std::size_t(-1) && through == std::size_t(-1);
    layout.complete = layOutPart(line, from, reader, advances, width, part, whole ? StopAt() : stop, stopAt) == Stop::No;
    for (const std::uint32_t r : part.rows)
        layout.rows.push_back(std::uint32_t(r + goesOn));
    layout.syllables.insert(layout.syllables.end(), part.syllables.begin(), part.syllables.end());
}

namespace {
// The row an edit at `at` is on, and each row before it whose end was decided by a syllable
// the edit may change (one whose reading may look into it): a row that ended after a space
// was ended by a syllable of the word after it, on the next row up to its first space; one
// that ended inside a word, by the syllable that begins the next.
std::size_t restartRow(const LineLayout& layout, std::size_t at)
{
    const std::vector<LineLayout::Syllable>& old = layout.syllables;
    const auto on = std::upper_bound(old.begin(), old.end(), std::uint32_t(at),
                                     [](std::uint32_t b, const LineLayout::Syllable& s) { return b < s.begin; });
    std::size_t row = layout.rowOf(std::size_t(std::max<std::ptrdiff_t>(0, on - old.begin() - 1)));
    while (row > 0) {
        std::size_t decided = layout.rows[row];
        // The row where a layout not complete goes on was decided by syllables not laid out
        // yet: after a space, by one of the word that begins it; else by its first.
        const bool goesOn = !layout.complete && row + 1 == layout.rows.size();
        if (old[decided - 1].space) {
            if (goesOn) {
                --row;
                continue;
            }
            while (decided < layout.rowEnd(row) && !old[decided].space)
                ++decided;
        }
        const std::size_t decidedEnd = goesOn ? old[decided].begin + LongestSyllable
                                              : old[std::min(decided + 1, old.size() - 1)].begin;
        if (decidedEnd + SegmentReader::Lookahead <= at)
            break;
        --row;
    }
    return row;
}

// Whether an edit at `at` is past all a layout has laid out and all that decided it.
bool pastTheLaidOut(const LineLayout& layout, std::size_t at)
{
    const std::vector<LineLayout::Syllable>& s = layout.syllables;
    return !layout.complete && s.size() > 1 && !s[s.size() - 2].space
           && at >= s.back().begin + LongestSyllable + SegmentReader::Lookahead;
}
} // namespace

std::size_t relayOutFrom(const LineLayout& layout, std::size_t at)
{
    if (pastTheLaidOut(layout, at))
        return at;
    const std::size_t from = layout.syllables[layout.rows[restartRow(layout, at)]].begin;
    return from > 0 ? from - 1 : 0;  // with the byte before, which the reading looks back at
}

ChangedRows relayOutLine(LineLayout& layout, LineBytes line, std::size_t at, std::size_t removed, std::size_t added,
                         const Advances& advances, float width)
{
    std::vector<LineLayout::Syllable>& old = layout.syllables;
    std::vector<std::uint32_t>& rows = layout.rows;
    const std::ptrdiff_t moved = std::ptrdiff_t(added) - std::ptrdiff_t(removed);
    if (pastTheLaidOut(layout, at))
        return {rows.size(), rows.size()};
    const std::size_t row = restartRow(layout, at);
    const std::size_t first = rows[row], from = old[first].begin;
    SegmentReader reader = readerBefore(layout, first, line);
    // The rows are the old ones again from a row that begins at the same syllable (its bytes
    // moved by the edit), past the edit and what reads into it, with the reading the same
    // (the first syllable of what is not laid out yet is such a row). Where they never are
    // again (a word that grew to the next row moves every one after it), the rows well past
    // the edit are laid out when they are needed.
    std::size_t oldRow = 0, rowsPast = 0;
    LineLayout part;
    const StopAt stop = [&](std::size_t index, std::size_t begin) {
        if (begin < at + added + SegmentReader::Lookahead || index == 0)
            return Stop::No;
        const auto was = std::uint32_t(std::ptrdiff_t(begin) - moved);
        const auto r = std::lower_bound(rows.begin() + std::ptrdiff_t(row), rows.end(), was,
                                        [&old](std::uint32_t s, std::uint32_t b) { return old[s].begin < b; });
        if (r != rows.end() && old[*r].begin == was) {
            const LineLayout::Syllable &before = old[*r - 1], &now = part.syllables[index - 1];
            const bool goesOn = !layout.complete && *r + 1 == old.size();
            if (goesOn || (before.vowelAfter == now.vowelAfter && before.openAfter == now.openAfter)) {
                oldRow = std::size_t(r - rows.begin());
                return Stop::Met;
            }
        }
        return ++rowsPast > RowsPastAnEdit ? Stop::Cut : Stop::No;
    };
    std::size_t stopAt = 0;
    const Stop stopped = layOutPart(line, from, reader, advances, width, part, stop, stopAt);
    if (stopped == Stop::Short)
        return {0, std::size_t(-1), false};
    for (std::uint32_t& r : part.rows)
        r += std::uint32_t(first);
    if (stopped != Stop::Met) {
        old.resize(first);
        old.insert(old.end(), part.syllables.begin(), part.syllables.end());
        rows.resize(row);
        rows.insert(rows.end(), part.rows.begin(), part.rows.end());
        layout.complete = stopped == Stop::No;
        return {row, std::size_t(-1)};
    }
    // Syllables: those before the rows laid out, the new ones, and the old from where the
    // layouts met, their bytes moved; rows the same way.
    const std::size_t metAt = rows[oldRow];
    const std::ptrdiff_t shift = std::ptrdiff_t(first + stopAt) - std::ptrdiff_t(metAt);
    for (std::size_t k = metAt; k < old.size(); ++k)
        old[k].begin = std::uint32_t(std::ptrdiff_t(old[k].begin) + moved);
    splice(old, first, metAt, part.syllables);
    for (std::size_t k = oldRow; k < rows.size(); ++k)
        rows[k] = std::uint32_t(std::ptrdiff_t(rows[k]) + shift);
    const bool sameRows = part.rows.size() == oldRow - row;
    splice(rows, row, oldRow, part.rows);
    return {row, sameRows ? row + part.rows.size() : std::size_t(-1)};
}

} // namespace orvane
