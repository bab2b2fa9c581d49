#pragma once
// Where a document's bytes stand in the text box: the box's places. A Tamil code is one
// place (the code 0E, written 0E 0F, too), a line end (CR LF) one, a character of other
// text as many as its UTF-16 units (one, or two past U+FFFF); the marks of a run of other
// text are no place of their own: the one that begins it goes with its first character, the
// one that ends it with its last. This is the one reading of places; the find bar, the
// paragraphs the box reads for syllables, and the screen reader's text go by it.

#include <cstddef>
#include <string_view>
#include <vector>

namespace orvane {

// The places of byte offsets, asked in increasing order: the places of the characters whose
// own bytes (a run's first past its mark) begin before each offset.
class PlaceCounter {
public:
    explicit PlaceCounter(std::string_view bytes);
    std::size_t of(std::size_t offset);

    // The next character, passed: its bytes (with the marks that go with it) and its places.
    struct Character {
        std::size_t from, to, places;
    };
    Character next();

private:
    std::string_view bytes;
    bool tamilOnly;
    bool inOther = false;
    std::size_t at = 0, place = 0;
};

// For each byte of a line's bytes, the place (from the line's start) of the character it
// belongs to; and one more, the line's length in places.
std::vector<int> placesOf(std::string_view line);

} // namespace orvane
