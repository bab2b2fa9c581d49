#pragma once
// A document's storage as the Unicode Tamil it stands for, with places mapped both ways: what
// a screen reader reads of Orvane's own view instead of the Bamini codes. Offsets are UTF-16
// units, as Qt's accessibility counts them; lines are joined with a line feed. What is read
// is kept until the storage changes (its generation or its count of edits).

#include "document/text_storage.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace orvane {

class StorageReading {
public:
    explicit StorageReading(const TextStorage& storage) : storage(storage) {}

    int length();
    QString text(int start, int end);
    // The Unicode offset of the segment at a byte, and the first byte of the segment that
    // holds a Unicode offset.
    int toUnicode(std::size_t byte);
    std::size_t toByte(int offset);
    // The storage was edited from line `first` on, the `was` lines the edit touched now
    // `now` lines, and had `editsBefore` edits before: only those lines are read again, and
    // the lines after them move by what they grew, so that a key or a paste costs what it
    // changed, not the document. Where the reading was not of the text as it stood before,
    // everything is read again when next asked.
    void edited(std::size_t first, std::size_t was, std::size_t now, std::uint64_t editsBefore);

private:
    struct Line {
        QString unicode;
        std::vector<int> unicodeAt;        // for each byte of the line (and its end), its segment's offset
        std::vector<std::uint32_t> byteAt;  // for each offset (and the end), its segment's first byte
    };
    void ensureStarts();
    const Line& line(std::size_t index);

    const TextStorage& storage;
    std::uint64_t generation = std::uint64_t(-1), edits = 0;  // of the text read
    std::vector<int> lineStart;  // the Unicode offset of each line
    int total = 0;
    std::unordered_map<std::size_t, Line> kept;
};

} // namespace orvane
