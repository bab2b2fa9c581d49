#pragma once
// Bamini codes to Unicode Tamil and back, driven by resources/bamini.tsv: what every code
// means, read in Bamini's visual order (the signs "n", "N" and "i" stand before their
// consonant), never by chains of string replacements.

#include <string>
#include <string_view>

namespace orvane {

// A document's bytes as UTF-8 Tamil in NFC. Line breaks (CR LF, or a lone LF) become LF;
// a code with no Tamil meaning stays the character it is.
std::string baminiToUnicode(std::string_view bytes);

// UTF-8 text as a document's bytes, syllable by syllable. Line breaks (LF, CR LF or CR)
// become CR LF; characters that are neither Tamil Bamini can draw nor in the 8-bit set
// become "?", as do malformed bytes.
std::string unicodeToBamini(std::string_view utf8);
// The same, counting the characters that became "?" for want of a code.
std::string unicodeToBamini(std::string_view utf8, std::size_t* unconvertible);

} // namespace orvane
