#pragma once
// --to-unicode DIR OUTDIR and --from-unicode DIR OUTDIR: every document under DIR converted
// into the same tree under OUTDIR, each by the single-file command run as a process of its
// own, as many at a time as there are cores (a document that fails, or brings its process
// down, costs only itself). A file already in OUTDIR is kept unless asked, so a run that was
// stopped takes up where it stopped. OUTDIR/orvane-report.tsv holds a line for each file.

#include "headless/command_line.h"

#include <optional>
#include <string>

namespace orvane {

// The report's name inside OUTDIR.
inline constexpr const char* FolderReportName = "orvane-report.tsv";

// The exit status of converting a folder, or nothing when INPUT is no folder.
// program is this program's own file, run for each document.
std::optional<int> convertFolderCommand(const CommandLine& line, const std::string& program);

} // namespace orvane
