#pragma once
// --to-unicode and --from-unicode on a word-processor document.

#include "headless/command_line.h"

#include <optional>

namespace orvane::office {

// The exit status of converting INPUT as a document, or nothing when INPUT is no document
// of a word processor (plain text, standard input), which the text converters take.
std::optional<int> convertDocumentCommand(const CommandLine& line);

} // namespace orvane::office
