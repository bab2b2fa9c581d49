#pragma once

#include <string>
#include <vector>

namespace orvane {

// Starts the editor window, with the document named in operands if any; returns the
// exit status.
int runEditor(int& argc, char** argv, const std::vector<std::string>& operands);

} // namespace orvane
