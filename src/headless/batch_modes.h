#pragma once

#include <string>
#include <vector>

namespace orvane {

// orvane --transliterate, --to-unicode and --from-unicode [INPUT [OUTPUT]]; each returns
// the exit status.
int runTransliterate(const std::vector<std::string>& operands);
int runToUnicode(const std::vector<std::string>& operands);
int runFromUnicode(const std::vector<std::string>& operands);

} // namespace orvane
