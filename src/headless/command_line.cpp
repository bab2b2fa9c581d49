#include "headless/command_line.h"

namespace orvane {

CommandLine parseCommandLine(const std::vector<std::string>& args)
{
    CommandLine line;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (optionsEnded || arg == "-" || !arg.starts_with('-')) {
            line.operands.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            line.mode = CommandLine::Help;
            return line;
        } else if (arg == "--version") {
            line.mode = CommandLine::Version;
            return line;
        } else if (arg == "--large") {
            line.large = true;
        } else if (line.mode == CommandLine::Editor
                   && (arg == "--transliterate" || arg == "--to-unicode" || arg == "--from-unicode")) {
            line.mode = arg == "--transliterate" ? CommandLine::Transliterate
                        : arg == "--to-unicode"  ? CommandLine::ToUnicode
                                                 : CommandLine::FromUnicode;
        } else {
            line.mode = CommandLine::BadUsage;
            line.problem = "unknown option '" + arg + "'";
            return line;
        }
    }
    if (line.large && line.mode != CommandLine::Transliterate && line.mode != CommandLine::FromUnicode) {
        line.mode = CommandLine::BadUsage;
        line.problem = "--large goes with --transliterate or --from-unicode";
        return line;
    }
    const std::size_t allowed = line.mode == CommandLine::Editor ? 1 : 2;
    if (line.operands.size() > allowed) {
        line.mode = CommandLine::BadUsage;
        line.problem = line.operands.size() == 2 && allowed == 1
                           ? "only one document can be opened at a time"
                           : "too many arguments";
    }
    return line;
}

std::string usageText()
{
    return "Usage: orvane [FILE.tam]\n"
           "       orvane --transliterate [--large] [INPUT [OUTPUT]]\n"
           "       orvane --to-unicode [INPUT [OUTPUT]]\n"
           "       orvane --from-unicode [--large] [INPUT [OUTPUT]]\n"
           "       orvane --help | --version\n";
}

std::string helpText()
{
    return usageText() +
           "\n"
           "Orvane is a text editor for writing Tamil on a Latin keyboard. A consonant key\n"
           "followed by a vowel key becomes one Tamil syllable, stored as Bamini font codes.\n"
           "\n"
           "  FILE.tam                 open this document in the editor window\n"
           "  --transliterate          type romanised text through the composer without a\n"
           "                           window and write the resulting .tam document\n"
           "  --to-unicode             convert a .tam document to UTF-8 Tamil text (LF line ends)\n"
           "  --from-unicode           convert UTF-8 text to a .tam document; characters a .tam\n"
           "                           file cannot hold become \"?\"\n"
           "  --large                  let a .tam OUTPUT be larger than the 64 MB the editor\n"
           "                           opens (without it, such an OUTPUT is refused)\n"
           "  --help                   show this help\n"
           "  --version                show the version\n"
           "\n"
           "INPUT and OUTPUT default to standard input and output (\"-\" means the same);\n"
           "OUTPUT is written whole or not at all.\n"
           "\n"
           "Exit status: 0 on success, 1 when a file cannot be read or written,\n"
           "2 when the command line is wrong.\n";
}

} // namespace orvane
