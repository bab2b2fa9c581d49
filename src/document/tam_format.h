#pragma once
// The ".tam" document file: the text's bytes, CR LF line breaks, one closing CR LF.

#include <string>
#include <string_view>

namespace orvane {

// The most the window holds: larger files are refused rather than read, and a save that
// would write more asks first. Each line costs the text box a few hundred bytes of its own,
// so a file of little else than line ends is held to its count of lines.
inline constexpr std::size_t MaxDocumentBytes = 64u * 1024 * 1024;
inline constexpr std::size_t MaxDocumentLines = 2'000'000;

// What the text box takes to hold a text, measured with room to spare: two bytes a
// character, and about 140 bytes a line (260 for lines of 60 characters).
inline constexpr std::size_t boxMemoryFor(std::size_t bytes, std::size_t lines)
{
    return 4 * bytes + 200 * lines + (std::size_t(32) << 20);
}

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
