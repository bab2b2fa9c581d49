#pragma once
// What the window holds: a document's size, its lines and the memory they take, and the
// paragraphs the text box is slow with. Opening, restoring and saving all measure by these.

#include <cstddef>
#include <string>
#include <string_view>

namespace orvane {

// The most the window holds: larger files are refused rather than read, and a save that
// would write more asks first. Each line costs the text box a few hundred bytes of its own,
// so a file of little else than line ends is held to its count of lines.
inline constexpr std::size_t MaxDocumentBytes = 64u * 1024 * 1024;
inline constexpr std::size_t MaxDocumentLines = 2'000'000;

// What the window takes to hold a text, measured with room to spare: the text box's two bytes
// a character with its layout and some 200 bytes a line, and the document's own storage, a
// byte a byte (see README's limits).
inline constexpr std::size_t boxMemoryFor(std::size_t bytes, std::size_t lines)
{
    return 5 * bytes + 260 * lines + (std::size_t(64) << 20);
}

// The text box lays a paragraph out whole on every key: past this size a key takes longer
// than 50 ms, so opening a file with a longer one asks first.
inline constexpr std::size_t LongParagraphBytes = std::size_t(256) << 10;

// Documents larger than this open after the window stands, behind a progress indication
// that can stop them.
inline constexpr std::size_t OpenInPiecesBytes = std::size_t(1) << 20;

struct TextMeasure {
    std::size_t lines = 1;             // paragraphs: CR LF between them
    std::size_t longestParagraph = 0;  // bytes
};
TextMeasure measureText(std::string_view bytes);

// Whether a document's bytes fit the window.
enum class Fit { Fits, TooLarge, TooManyLines, NoMemory };
Fit fitsTheWindow(std::string_view bytes, const TextMeasure& measure);
// Why a document does not fit, in words, with the limit's own number.
std::string fitReason(Fit fit);

} // namespace orvane
