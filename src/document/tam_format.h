#pragma once
// The ".tam" document file: the text's bytes, CR LF line breaks, one closing CR LF.

#include <string>
#include <string_view>

namespace orvane {

// What a save writes after the text.
inline constexpr std::string_view TamClosingLineEnd = "\r\n";

// The bytes a save writes for a text.
std::string tamFileBytes(std::string_view text);

// The text a file's bytes open as. Lines end at CR LF or at a lone CR and are joined
// with CR LF; the file's closing terminator (the one a save writes) adds no line. A lone
// LF stays an ordinary character of its line. Takes the bytes over: a file with no lone
// CR, as Orvane writes them, is opened without a copy.
std::string tamText(std::string bytes);

} // namespace orvane
