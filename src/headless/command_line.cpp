#include "headless/command_line.h"

#include "platform/messages.h"
#include "platform/utf8.h"

#include <algorithm>

namespace orvane {

namespace {
// Qt's own options, which the window takes; those of the first list take a value.
bool isQtOption(std::string_view arg, bool& takesValue)
{
    static constexpr std::string_view withValue[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                                     "qwindowgeometry", "qwindowicon", "qwindowtitle", "display",
                                                     "geometry", "style", "stylesheet", "session", "name", "title"};
    static constexpr std::string_view alone[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};
    arg.remove_prefix(arg.starts_with("--") ? 2 : 1);
    const std::string_view name = arg.substr(0, arg.find('='));
    for (const std::string_view o : withValue)
        if (name == o) {
            takesValue = name.size() == arg.size();  // "-style fusion", or "-style=fusion"
            return true;
        }
    takesValue = false;
    for (const std::string_view o : alone)
        if (arg == o)
            return true;
    return false;
}
} // namespace

namespace {
std::vector<const std::string*> fontNames(const CommandLine& line)
{
    std::vector<const std::string*> names;
    if (!line.font.empty())
        names.push_back(&line.font);
    for (const std::string& name : line.baminiFonts)
        names.push_back(&name);
    return names;
}

// Printable UTF-8, no control character, and not empty.
bool fitsAFontName(std::string_view name)
{
    return !name.empty() && utf8::isValid(name)
           && std::none_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}
} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args)
{
    CommandLine line;
    bool optionsEnded = false;
    bool skipValue = false;
    std::string* value = nullptr;  // the option before wants this argument
    std::string keyboard;
    for (const std::string& arg : args) {
        bool takesValue = false;
        if (value) {
            *value = arg;
            value = nullptr;
        } else if (skipValue) {
            skipValue = false;
        } else if (!optionsEnded && arg.size() > 1 && arg.starts_with('-') && arg != "--" && isQtOption(arg, takesValue)) {
            skipValue = takesValue;
        } else if (optionsEnded || arg == "-" || !arg.starts_with('-')) {
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
        } else if (arg == "--all-tamil") {
            line.allTamil = true;
        } else if (arg == "--overwrite") {
            line.overwrite = true;
        } else if (arg == "--font") {
            value = &line.font;
        } else if (arg == "--keyboard") {
            value = &keyboard;
        } else if (arg == "--bamini-font") {
            value = &line.baminiFonts.emplace_back();
        } else if (line.mode == CommandLine::Editor
                   && (arg == "--transliterate" || arg == "--to-unicode" || arg == "--from-unicode")) {
            line.mode = arg == "--transliterate" ? CommandLine::Transliterate
                        : arg == "--to-unicode"  ? CommandLine::ToUnicode
                                                 : CommandLine::FromUnicode;
        } else {
            line.mode = CommandLine::BadUsage;
            line.problem = "unknown option '" + printableName(arg) + "'";  // never a raw escape to the terminal
            return line;
        }
    }
    if (value) {
        line.mode = CommandLine::BadUsage;
        line.problem = value == &keyboard ? "--keyboard needs phonetic, tamil99 or bamini after it"
                                          : "--font and --bamini-font need a font's name after them";
        return line;
    }
    if (!keyboard.empty()) {
        const std::optional<Keyboard> named = keyboardNamed(keyboard);
        if (!named || line.mode != CommandLine::Transliterate) {
            line.mode = CommandLine::BadUsage;
            line.problem = named ? "--keyboard goes with --transliterate"
                                 : "unknown keyboard '" + printableName(keyboard) + "': phonetic, tamil99 or bamini";
            return line;
        }
        line.keyboard = *named;
    }
    if ((!line.font.empty() || !line.baminiFonts.empty()) && line.mode != CommandLine::ToUnicode
        && line.mode != CommandLine::FromUnicode) {
        line.mode = CommandLine::BadUsage;
        line.problem = "--font and --bamini-font go with --to-unicode or --from-unicode";
        return line;
    }
    if (line.large && line.mode != CommandLine::Transliterate && line.mode != CommandLine::FromUnicode
        && line.mode != CommandLine::ToUnicode) {
        line.mode = CommandLine::BadUsage;
        line.problem = "--large goes with --transliterate, --to-unicode or --from-unicode";
        return line;
    }
    if (line.overwrite && line.mode != CommandLine::ToUnicode && line.mode != CommandLine::FromUnicode) {
        line.mode = CommandLine::BadUsage;
        line.problem = "--overwrite goes with --to-unicode or --from-unicode of a folder";
        return line;
    }
    if (line.allTamil && line.mode != CommandLine::ToUnicode) {
        line.mode = CommandLine::BadUsage;
        line.problem = "--all-tamil goes with --to-unicode";
        return line;
    }
    // A font's name is written into documents' XML and RTF: it must be text they can hold.
    for (const std::string* name : fontNames(line))
        if (!fitsAFontName(*name)) {
            line.mode = CommandLine::BadUsage;
            line.problem = "the font name '" + printableName(*name) + "' holds characters a document cannot hold";
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
           "       orvane --transliterate [--keyboard NAME] [--large] [INPUT [OUTPUT]]\n"
           "       orvane --to-unicode [--all-tamil] [--large] [--font NAME] [--bamini-font NAME]... [INPUT [OUTPUT]]\n"
           "       orvane --from-unicode [--large] [--bamini-font NAME]... [INPUT [OUTPUT]]\n"
           "       orvane --to-unicode | --from-unicode [--overwrite] [OPTION]... DIR OUTDIR\n"
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
           "  --keyboard NAME          the keyboard INPUT was typed on: phonetic (the composer,\n"
           "                           the default), tamil99 (the Tamil Nadu standard layout)\n"
           "                           or bamini (the Bamini typewriter: each key its own code)\n"
           "  --to-unicode             convert a .tam document to UTF-8 Tamil text (LF line ends);\n"
           "                           words that read as English (set beside Bamini in another\n"
           "                           font before the text lost its fonts) are kept as English\n"
           "  --from-unicode           convert UTF-8 text to a .tam document; characters a .tam\n"
           "                           file cannot hold become \"?\"\n"
           "  --all-tamil              read every byte of INPUT as a Bamini code: English words\n"
           "                           too, and INPUT that looks like no text (a PDF, an image)\n"
           "  --large                  let OUTPUT be larger than its limit: 64 MB for a .tam\n"
           "                           OUTPUT (what the editor opens), 4 GB for Unicode text\n"
           "                           (without it, such an OUTPUT is refused)\n"
           "\n"
           "A word-processor document (.docx, .odt, .rtf) as INPUT is converted run by run\n"
           "into a document of the same kind, its English, styles, tables and the rest left\n"
           "as they were:\n"
           "  --to-unicode             runs set in a Bamini-layout font become Unicode Tamil\n"
           "  --from-unicode           runs of Tamil Unicode become Bamini codes in Bamini\n"
           "  --font NAME              the font Unicode runs get (default Noto Sans Tamil)\n"
           "  --bamini-font NAME       a font with Bamini's layout whose name lacks \"Bamini\"\n"
           "                           (may be given more than once)\n"
           "\n"
           "A folder as INPUT has every .tam, .txt, .docx, .odt and .rtf under it converted\n"
           "into the same tree under OUTDIR (a .tam becomes a .txt to Unicode, a .txt a .tam\n"
           "from it), as many at a time as there are cores. A file OUTDIR already holds is\n"
           "kept, so a stopped run started again goes on where it stopped; a file that fails\n"
           "is reported and the rest go on. OUTDIR/orvane-report.tsv has a line for each.\n"
           "  --overwrite              write over the files OUTDIR holds\n"
           "\n"
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
