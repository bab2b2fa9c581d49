#pragma once
// Words by Tamil letters, for double-click and Ctrl+Left/Right in the box and in Orvane's own
// view: a letter with its signs and pulli is inside a word, and so is an English letter or a
// digit; spaces and punctuation stand between words. A line is taken as its segments, each a
// piece of a word or not.

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

namespace orvane {

struct WordPiece {
    std::size_t from, to;  // in the caller's units: bytes of the line, or the box's places
    bool word;
};

// Whether a segment's text is part of a word: Tamil, or a letter or digit of anything else.
bool isWordText(std::string_view text);
// The segments of a line's bytes, in bytes.
std::vector<WordPiece> wordPieces(std::string_view line);
// The word about an offset (where the piece there is no word, that piece; past the last, the
// offset itself).
std::pair<std::size_t, std::size_t> wordAround(const std::vector<WordPiece>& pieces, std::size_t offset);
// Forward: the end of this word or the next; back: the start of this word or the one before.
// The offset itself where no word is that way.
std::size_t wordStep(const std::vector<WordPiece>& pieces, std::size_t offset, bool forward);

} // namespace orvane
