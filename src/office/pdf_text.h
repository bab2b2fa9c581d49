#pragma once
// The text of a PDF printed from a document typed in a Bamini font: each line in reading
// order, the spans drawn in a font with Bamini's layout read as Tamil, the rest as it is.

#include "office/office_document.h"

#include <string>
#include <string_view>

namespace orvane::office {

// UTF-8 text, a line for each of the PDF's lines and an empty line between pages; false, with
// why, when the PDF cannot be read (or its module is missing).
bool pdfText(std::string_view in, const ConvertOptions& options, std::string& text, ConvertReport& report,
             std::string& error);

} // namespace orvane::office
