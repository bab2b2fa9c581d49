// Orvane: a Tamil text editor for a Latin keyboard.

#include "headless/batch_modes.h"
#include "headless/command_line.h"
#include "headless/folder_conversion.h"
#include "office/convert_command.h"
#include "platform/file_service.h"
#include "window/editor_app.h"

#include <cstdio>

int main(int argc, char** argv)
{
    orvane::ignoreFileSizeSignal();  // a size limit makes a write fail, with its reason
    using orvane::CommandLine;
    const CommandLine line = orvane::parseCommandLine({argv + 1, argv + argc});
    switch (line.mode) {
    case CommandLine::Help:
        std::fputs(orvane::helpText().c_str(), stdout);
        return 0;
    case CommandLine::Version:
        std::puts("orvane 1.0");
        return 0;
    case CommandLine::BadUsage:
        std::fprintf(stderr, "orvane: %s\n%s", line.problem.c_str(), orvane::usageText().c_str());
        return 2;
    case CommandLine::Transliterate:
        return orvane::runTransliterate(line.operands, line.large, line.keyboard);
    case CommandLine::ToUnicode:
    case CommandLine::FromUnicode:
        if (const std::optional<int> status = orvane::convertFolderCommand(line, "/proc/self/exe"))
            return *status;
        if (const std::optional<int> status = orvane::office::convertDocumentCommand(line))
            return *status;
        return line.mode == CommandLine::ToUnicode ? orvane::runToUnicode(line.operands, line.large, line.allTamil)
                                                   : orvane::runFromUnicode(line.operands, line.large);
    case CommandLine::Editor:
        break;
    }
    return orvane::runEditor(argc, argv, line.operands);
}
