#include "window/unicode_view.h"

#include "document/segments.h"
#include "window/text_box.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <functional>

namespace orvane {

namespace {
// A paragraph's reading, kept with it while its text stays as it was.
struct Reading final : QTextBlockUserData {
    int revision = -1;
    int length = -1;
    QString unicode;
    std::vector<int> unicodeAt;  // for each box offset, the Unicode offset of its segment
    std::vector<int> boxAt;      // for each Unicode offset, the box offset of its segment
};

const Reading& readingOf(const QTextBlock& block)
{
    auto* reading = static_cast<Reading*>(block.userData());
    if (reading && reading->revision == block.revision() && reading->length == block.length())
        return *reading;
    if (!reading) {
        reading = new Reading;
        const_cast<QTextBlock&>(block).setUserData(reading);
    }
    const TextBox::ParagraphBytes paragraph = TextBox::paragraphBytes(block);
    reading->revision = block.revision();
    reading->length = block.length();
    reading->unicode.clear();
    reading->unicodeAt.assign(std::size_t(block.length()), 0);
    reading->boxAt.clear();
    forEachSegment(paragraph.bytes, [&](const Segment& s) {
        const QString text = QString::fromUtf8(s.text.data(), qsizetype(s.text.size()));
        const int from = paragraph.boxAt[s.begin], to = paragraph.boxAt[s.begin + s.length];
        for (int k = from; k < std::max(to, from + 1) && k < int(reading->unicodeAt.size()); ++k)
            reading->unicodeAt[std::size_t(k)] = int(reading->unicode.size());
        for (qsizetype k = 0; k < text.size(); ++k)
            reading->boxAt.push_back(from);
        reading->unicode += text;
    });
    reading->unicodeAt.back() = int(reading->unicode.size());
    reading->boxAt.push_back(block.length() - 1);
    return *reading;
}
} // namespace

void UnicodeView::ensureOffsets()
{
    if (revision == document->revision())
        return;
    paragraphStart.clear();
    total = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        paragraphStart.push_back(total);
        total += int(readingOf(block).unicode.size()) + 1;
    }
    total = std::max(0, total - 1);  // no line feed after the last paragraph
    revision = document->revision();
}

int UnicodeView::length()
{
    ensureOffsets();
    return total;
}

QString joinedLines(const std::vector<int>& starts, int total, int start, int end,
                    const std::function<const QString&(std::size_t)>& lineText)
{
    start = std::clamp(start, 0, total);
    end = std::clamp(end, start, total);
    QString out;
    std::size_t index = std::size_t(std::upper_bound(starts.begin(), starts.end(), start) - starts.begin() - 1);
    for (; index < starts.size() && starts[index] < end; ++index) {
        const int begin = starts[index];
        const QString& unicode = lineText(index);
        const int lineEnd = begin + int(unicode.size());  // where the line feed after it stands
        const int from = std::max(start, begin), to = std::min(end, lineEnd);
        if (to > from)
            out += unicode.mid(from - begin, to - from);
        if (index + 1 < starts.size() && lineEnd >= start && lineEnd < end)
            out += QLatin1Char('\n');
    }
    return out;
}

QString UnicodeView::text(int start, int end)
{
    ensureOffsets();
    return joinedLines(paragraphStart, total, start, end, [this](std::size_t index) -> const QString& {
        return readingOf(document->findBlockByNumber(int(index))).unicode;
    });
}

void UnicodeView::forget(int from, int to)
{
    for (QTextBlock block = document->findBlock(from); block.isValid() && block.position() <= to; block = block.next())
        block.setUserData(nullptr);
    revision = -1;
}

int UnicodeView::toUnicode(int boxPosition)
{
    ensureOffsets();
    const QTextBlock block = document->findBlock(boxPosition);
    if (!block.isValid())
        return total;
    const Reading& reading = readingOf(block);
    const int inBlock = std::clamp(boxPosition - block.position(), 0, int(reading.unicodeAt.size()) - 1);
    return paragraphStart[std::size_t(block.blockNumber())] + reading.unicodeAt[std::size_t(inBlock)];
}

int UnicodeView::toBox(int unicodeOffset)
{
    ensureOffsets();
    unicodeOffset = std::clamp(unicodeOffset, 0, total);
    const auto it = std::upper_bound(paragraphStart.begin(), paragraphStart.end(), unicodeOffset) - 1;
    const QTextBlock block = document->findBlockByNumber(int(it - paragraphStart.begin()));
    const Reading& reading = readingOf(block);
    const int inBlock = std::min(unicodeOffset - *it, int(reading.boxAt.size()) - 1);
    return block.position() + reading.boxAt[std::size_t(inBlock)];
}

} // namespace orvane
