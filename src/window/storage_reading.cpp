#include "window/storage_reading.h"

#include "document/segments.h"
#include "window/unicode_view.h"

#include <algorithm>

namespace orvane {

const StorageReading::Line& StorageReading::line(std::size_t index)
{
    if (const auto found = kept.find(index); found != kept.end())
        return found->second;
    if (kept.size() > 256)
        kept.clear();
    Line& l = kept[index];
    const std::string bytes = storage.text(storage.lineStart(index), storage.lineEnd(index));
    l.unicodeAt.assign(bytes.size() + 1, 0);
    forEachSegment(bytes, [&](const Segment& s) {
        const QString text = QString::fromUtf8(s.text.data(), qsizetype(s.text.size()));
        std::fill(l.unicodeAt.begin() + std::ptrdiff_t(s.begin), l.unicodeAt.begin() + std::ptrdiff_t(s.begin + s.length),
                  int(l.unicode.size()));
        l.byteAt.insert(l.byteAt.end(), std::size_t(text.size()), std::uint32_t(s.begin));
        l.unicode += text;
    });
    l.unicodeAt.back() = int(l.unicode.size());
    l.byteAt.push_back(std::uint32_t(bytes.size()));
    return l;
}

void StorageReading::ensureStarts()
{
    if (generation == storage.generation() && edits == storage.edits())
        return;
    kept.clear();
    lineStart.clear();
    total = 0;
    for (std::size_t k = 0; k < storage.lineCount(); ++k) {
        lineStart.push_back(total);
        total += int(line(k).unicode.size()) + 1;
        if (kept.size() > 64)
            kept.clear();
    }
    total = std::max(0, total - 1);  // no line feed after the last line
    generation = storage.generation();
    edits = storage.edits();
}

void StorageReading::edited(std::size_t first, std::size_t was, std::size_t now, std::uint64_t editsBefore)
{
    if (generation != storage.generation() || edits != editsBefore || was == 0 || now == 0
        || first + was > lineStart.size() || lineStart.size() - was + now != storage.lineCount())
        return;  // not read as it stood before this edit: all of it again, when asked
    // Where the line after the edit began (or would, after the last line's feed).
    const int oldEnd = first + was < lineStart.size() ? lineStart[first + was] : total + 1;
    // The lines kept from the edit on are read again, or are another's now.
    for (auto it = kept.begin(); it != kept.end();)
        it = it->first >= first ? kept.erase(it) : std::next(it);
    std::vector<int> starts;
    starts.reserve(now);
    int at = lineStart[first];
    for (std::size_t k = 0; k < now; ++k) {
        starts.push_back(at);
        at += int(line(first + k).unicode.size()) + 1;
    }
    const int grew = at - oldEnd;
    const auto begin = lineStart.begin() + std::ptrdiff_t(first);
    lineStart.erase(begin, begin + std::ptrdiff_t(was));
    lineStart.insert(lineStart.begin() + std::ptrdiff_t(first), starts.begin(), starts.end());
    for (std::size_t k = first + now; k < lineStart.size(); ++k)
        lineStart[k] += grew;
    total += grew;
    edits = storage.edits();
}

int StorageReading::length()
{
    ensureStarts();
    return total;
}

QString StorageReading::text(int start, int end)
{
    ensureStarts();
    return joinedLines(lineStart, total, start, end, [this](std::size_t index) -> const QString& { return line(index).unicode; });
}

int StorageReading::toUnicode(std::size_t byte)
{
    ensureStarts();
    byte = std::min(byte, storage.size());
    const std::size_t index = storage.lineOf(byte);
    const Line& l = line(index);
    const std::size_t inLine = std::min(byte - storage.lineStart(index), l.unicodeAt.size() - 1);
    return lineStart[index] + l.unicodeAt[inLine];
}

std::size_t StorageReading::toByte(int offset)
{
    ensureStarts();
    offset = std::clamp(offset, 0, total);
    const auto it = std::upper_bound(lineStart.begin(), lineStart.end(), offset) - 1;
    const std::size_t index = std::size_t(it - lineStart.begin());
    const Line& l = line(index);
    const std::size_t inLine = std::min(std::size_t(offset - *it), l.byteAt.size() - 1);
    return storage.lineStart(index) + l.byteAt[inLine];
}

} // namespace orvane
