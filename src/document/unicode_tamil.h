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

// What becomes of the characters of UTF-8 text that no Bamini code means.
struct UnicodeReading {
    enum Other {
        AsCodes,      // a .tam document's: the byte of the 8-bit set, or "?"
        AsOtherText,  // a Unicode document's: other text, kept as it is
    };
    Other other = AsCodes;
    std::size_t unconvertible = 0;  // AsCodes: characters that became "?" (malformed bytes too)
    std::size_t drawnAs = 0;        // syllables Bamini has no glyph for, written as one it has (ஞு as ஞ)
};

// UTF-8 text as a document's bytes, syllable by syllable. Line breaks (LF, CR LF or CR)
// become CR LF; what becomes of characters no code means, reading says, and counts.
std::string unicodeToBamini(std::string_view utf8, UnicodeReading& reading);
// As a .tam document's bytes: characters neither Tamil Bamini can draw nor in the 8-bit set
// become "?", as do malformed bytes.
std::string unicodeToBamini(std::string_view utf8);

// The codes of one syllable with the last character of its reading taken off, as Backspace
// takes it in a Unicode document (கொ becomes க, க் becomes க); empty when it reads as one.
std::string withoutLastCharacter(std::string_view codes);

// Text pasted into a document: Bamini codes typed elsewhere (each character its 8-bit code,
// and Tamil Unicode its codes), or Unicode (Tamil as its codes, the rest as other text). A
// byte-order mark leading it marks its encoding; it is no character of it.
enum class PastedAs { Bamini, Unicode };
std::string pastedText(std::string_view utf8, PastedAs as);
// What plain text is when nothing else says: Unicode when it holds Tamil Unicode, else what
// the document holds, Bamini codes in a .tam document and other text in a Unicode one.
PastedAs plainTextReading(std::string_view utf8, bool unicodeDocument);

} // namespace orvane
