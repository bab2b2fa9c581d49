#pragma once
// Finding in a document as a Unicode editor would: the document is read in segments and
// searched as the Unicode it stands for, letter by letter. So க finds the க of கா, கொ and க்,
// ர finds the ர of ஸ்ரீ, and English finds English. A match covers the whole segments it
// touches (a syllable's codes are drawn as one); a replacement changes exactly the letters
// matched and keeps the rest of each syllable, written back in Bamini's visual order.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

struct TextRange {
    std::size_t begin = 0;  // bytes: the whole segments the match touches
    std::size_t end = 0;
    std::string reading;    // their Unicode
    std::size_t from = 0;   // the match within it (UTF-8 offsets)
    std::size_t to = 0;
};

// How a query matches: English letters in either case unless matchCase (Tamil has no case);
// anywhere, or only as whole words (no letter or digit just before or after it).
struct FindOptions {
    bool matchCase = false;
    bool wholeWords = false;
};

// Every place the query (UTF-8, NFC) stands in the document's bytes, in order, no two
// touching one segment.
std::vector<TextRange> findAll(std::string_view bytes, std::string_view query, FindOptions options = {});

// The bytes that take the place of a match's segments when its letters are replaced by
// replacement (UTF-8): Tamil as its codes, other text as it is.
std::string replacedBytes(const TextRange& match, std::string_view replacement);

// Words, Tamil letters, characters and lines of a text: words are runs between spaces,
// tabs and line breaks; a Tamil letter is a syllable or letter however many codes draw it;
// characters are the Unicode characters of the text's reading, as other tools count them
// (a line break is one); lines as the window shows them.
struct TextCounts {
    std::size_t words = 0;
    std::size_t letters = 0;
    std::size_t characters = 0;
    std::size_t lines = 0;
};

TextCounts countText(std::string_view bytes);

// The letters in a line's bytes, as a column counts them: a syllable is one, however many
// codes draw it, and so is each character of other text.
std::size_t lettersIn(std::string_view line);

} // namespace orvane
