#pragma once
// The text box's document as the Unicode Tamil it draws, with positions mapped both ways:
// what a screen reader reads instead of the Bamini codes. Each paragraph keeps its reading
// until its text changes (the document's revisions tell); paragraphs are joined with a line
// feed.

#include <QString>

#include <cstddef>
#include <functional>
#include <vector>

class QTextDocument;

namespace orvane {

// Unicode offsets start..end of lines joined with a line feed: starts holds each line's
// offset, total the whole length, and lineText(k) gives line k's Unicode. The box's reading
// and the storage's share it.
QString joinedLines(const std::vector<int>& starts, int total, int start, int end,
                    const std::function<const QString&(std::size_t)>& lineText);

class UnicodeView {
public:
    explicit UnicodeView(QTextDocument* document) : document(document) {}

    int length();
    QString text(int start, int end);
    // The Unicode offset of the segment at a position of the box, and the box position of
    // the segment holding a Unicode offset.
    int toUnicode(int boxPosition);
    int toBox(int unicodeOffset);
    // Drops what is kept of the paragraphs between two box positions: read while their
    // edit is still going on, it would outlive the edit.
    void forget(int from, int to);
private:
    void ensureOffsets();

    QTextDocument* document;
    std::vector<int> paragraphStart;  // Unicode offset of each paragraph
    int total = 0;
    int revision = -1;  // of the document the offsets were read from
};

} // namespace orvane
