#pragma once
// A line of a document's bytes laid out in rows of a width, as the view draws it: its
// syllables (the segments of its reading) in order, where each stands in its row, and where
// each row begins. A row ends only between syllables: after the last space that fits where
// the row has one, else before the syllable that does not fit (a word longer than the row),
// never inside one. Spaces at a row's end hang past its edge, as in every editor.
//
// A Tamil code is one glyph of a fixed advance (Bamini needs no shaping): a syllable is as
// wide as its codes. A character of other text is as wide as the view's measure says.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace orvane {

struct Advances {
    std::array<float, 256> code{};                     // each Tamil code's advance
    std::function<float(std::string_view utf8)> other;  // one character of other text's
};

struct LineLayout {
    struct Syllable {
        std::uint32_t begin = 0;  // its first byte, in the line
        float x = 0;              // where it begins in its row
        bool other = false;       // a character of other text, not Tamil codes
        bool space = false;       // a space or tab: a row may end after it
        // How the reading stands after it: it ended in a vowel; a run of other text is open.
        bool vowelAfter = false, openAfter = false;
    };
    // In order, and one more past the last: the line's end (x: where the last row ends).
    std::vector<Syllable> syllables;
    // The first syllable of each row: row 0 begins at 0.
    std::vector<std::uint32_t> rows{0};
    // A long line is laid out as far as it is looked at: when not complete, the last
    // syllable is where the rest goes on (the first of a row, the last row, not laid out).
    bool complete = true;

    std::size_t rowOf(std::size_t syllable) const;
    // The syllable that ends row `row` (the next row's first, or the end).
    std::size_t rowEnd(std::size_t row) const
    {
        return row + 1 < rows.size() ? rows[row + 1] : syllables.size() - 1;
    }
};

// The bytes of a line, or of a stretch of one from `base` on (a long line need not be copied
// whole for every key), indexed as the line's.
struct LineBytes {
    std::string_view held;
    std::size_t base = 0, length = 0;  // where held begins in the line, and the line's length
    LineBytes(std::string_view line) : held(line), length(line.size()) {}
    LineBytes(std::string_view stretch, std::size_t base, std::size_t length) : held(stretch), base(base), length(length) {}
    std::size_t size() const { return length; }
    std::size_t heldEnd() const { return base + held.size(); }
    char operator[](std::size_t at) const { return held[at - base]; }
    std::string_view substr(std::size_t at, std::size_t n) const { return held.substr(at - base, n); }
};

// width <= 0: one row, however long. Laid out until it has more than `rows` rows and
// reaches past byte `through`, or whole.
LineLayout layOutLine(std::string_view line, const Advances& advances, float width, std::size_t rows = std::size_t(-1),
                      std::size_t through = std::size_t(-1));
// The same for one laid out part of the way, from where it goes on.
void layOutFurther(LineLayout& layout, std::string_view line, const Advances& advances, float width,
                   std::size_t rows = std::size_t(-1), std::size_t through = std::size_t(-1));
// The same after an edit of the line it was made for: its bytes at..at+removed became
// `added` bytes, and line is the line now. Only the rows about the edit are laid out again,
// from the row before it (which may take back a word) to where the rows are those of before.
// Returns the rows that may look otherwise now: from..to (to: npos, every one after from).
// line may hold only a stretch of the line, from relayOutFrom on: where that is too short
// for a row, the layout is left as it was and done is false (give it the whole line).
struct ChangedRows {
    std::size_t from = 0, to = std::size_t(-1);
    bool done = true;
};
ChangedRows relayOutLine(LineLayout& layout, LineBytes line, std::size_t at, std::size_t removed, std::size_t added,
                         const Advances& advances, float width);
// The first byte of the line that an edit at `at` reads again.
std::size_t relayOutFrom(const LineLayout& layout, std::size_t at);

// The UTF-8 of a character of other text, from its bytes in the line (its run's marks and
// quotes taken off).
void otherCharacter(std::string_view bytes, std::string& utf8);

} // namespace orvane
