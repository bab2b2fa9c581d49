#pragma once
// Parts of the program kept in modules of their own (printing, PDFs, the zip container of
// word-processor documents), loaded the first time they are wanted, so that no start-up pays
// for the libraries they bring. A module is found beside the program in the build tree (the
// tests sit one folder below it), else where it is installed, from the program's folder
// whatever the prefix. Works without Qt, for the batch modes too.

#include <string>

namespace orvane {

// The symbol `entry` of the module `file` (such as "orvane-zip.so"), loaded once and kept;
// null, with why, when it cannot be.
void* moduleEntry(const char* file, const char* entry, std::string& why);

} // namespace orvane
