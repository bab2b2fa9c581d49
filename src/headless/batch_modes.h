#pragma once

#include <string>
#include <vector>

namespace orvane {

// orvane --transliterate [INPUT [OUTPUT]]; returns the exit status.
int runTransliterate(const std::vector<std::string>& operands);

} // namespace orvane
