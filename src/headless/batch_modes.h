#pragma once

#include "phonetic/keyboards.h"

#include <string>
#include <optional>
#include <string_view>
#include <vector>

namespace orvane {

// Why INPUT is refused when its first bytes (TextSniffBytes of them, or all there are) say it
// is no text (what it looks like: a PDF, an image, a program, NUL bytes); nothing for text.
inline constexpr std::size_t TextSniffBytes = 4096;
std::optional<std::string> notText(std::string_view head);

// orvane --transliterate, --to-unicode and --from-unicode [INPUT [OUTPUT]]; each returns
// the exit status. They stream: memory stays small whatever the size of INPUT. large lets
// OUTPUT pass its limit (a .tam one the size the editor opens, Unicode text 4 GB); allTamil
// reads INPUT as Bamini codes even where it looks like no text; keyboard is what the keys
// of a transliteration were typed on.
int runTransliterate(const std::vector<std::string>& operands, bool large, Keyboard keyboard = Keyboard::Phonetic);
int runToUnicode(const std::vector<std::string>& operands, bool large, bool allTamil);
int runFromUnicode(const std::vector<std::string>& operands, bool large);

} // namespace orvane
