#pragma once
// Finding Tamil in a document by its letters, not its bytes: the document is read in
// segments and searched as Unicode, and a match begins where a segment begins. So கொ finds
// கொ and never the kaal of another syllable, and ர finds the ra of ரி written with the kaal.

#include <cstddef>
#include <string_view>
#include <vector>

namespace orvane {

struct TextRange {
    std::size_t begin = 0;  // bytes
    std::size_t end = 0;
};

// Every place the query (UTF-8, NFC) stands in the document's bytes, in order, none
// overlapping; each covers the whole segments it touches.
std::vector<TextRange> findAll(std::string_view bytes, std::string_view query);

// Words, Tamil letters, characters and lines of a text: words are runs between spaces,
// tabs and line breaks; a Tamil letter is a syllable or letter however many codes draw it;
// characters are what a reader counts (a syllable is one); lines as the window shows them.
struct TextCounts {
    std::size_t words = 0;
    std::size_t letters = 0;
    std::size_t characters = 0;
    std::size_t lines = 0;
};

TextCounts countText(std::string_view bytes);

} // namespace orvane
