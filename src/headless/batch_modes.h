#pragma once

#include <string>
#include <vector>

namespace orvane {

// orvane --transliterate, --to-unicode and --from-unicode [INPUT [OUTPUT]]; each returns
// the exit status. They stream: memory stays small whatever the size of INPUT. large lets a
// .tam OUTPUT pass the size the editor opens.
int runTransliterate(const std::vector<std::string>& operands, bool large);
int runToUnicode(const std::vector<std::string>& operands);
int runFromUnicode(const std::vector<std::string>& operands, bool large);

} // namespace orvane
