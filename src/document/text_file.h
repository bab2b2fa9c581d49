#pragma once
// What a file's bytes open as, and what a save writes: a .tam document as it is, or Unicode
// text, converted to the codes that draw it and back again.
//
// The rule: a file that starts with the UTF-8 byte-order mark and is UTF-8 after it, or that
// is UTF-8 and holds at least one Tamil character, is Unicode text. Everything else (pure
// ASCII, UTF-8 without Tamil, bytes that are no UTF-8, an empty file) is a .tam document.

#include "document/document.h"

#include <string>
#include <string_view>

namespace orvane {

struct OpenedText {
    std::string text;           // the document's bytes
    DocumentFormat format;
    std::size_t unconvertible = 0;  // Unicode characters that became "?"
};

DocumentFormat formatOf(std::string_view bytes);
OpenedText openText(std::string bytes);

// The bytes a save writes for a Unicode document: UTF-8, line ends and byte-order mark as
// the file had them.
std::string unicodeFileBytes(std::string_view text, const DocumentFormat& format);

} // namespace orvane
