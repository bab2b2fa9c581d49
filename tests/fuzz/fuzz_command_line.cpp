// Command-line parsing on any arguments (the input split at NUL bytes): a mode the
// program knows, at most the operands it takes, and a reason for every refusal.

#include "headless/command_line.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace orvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> args(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += char(data[i]);
    }
    const CommandLine line = parseCommandLine(args);
    switch (line.mode) {
    case CommandLine::Editor:
        if (line.operands.size() > 1)
            std::abort();
        break;
    case CommandLine::Transliterate:
    case CommandLine::ToUnicode:
    case CommandLine::FromUnicode:
        if (line.operands.size() > 2)
            std::abort();
        break;
    case CommandLine::BadUsage:
        if (line.problem.empty())
            std::abort();
        break;
    case CommandLine::Help:
    case CommandLine::Version:
        break;
    default:
        std::abort();
    }
    return 0;
}
