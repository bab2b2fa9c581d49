#pragma once
// What the program was asked to do on its command line.

#include "phonetic/keyboards.h"

#include <string>
#include <vector>

namespace orvane {

struct CommandLine {
    enum Mode { Editor, Transliterate, ToUnicode, FromUnicode, Help, Version, BadUsage };
    Mode mode = Editor;
    std::vector<std::string> operands;  // the document, or INPUT and OUTPUT
    bool large = false;                 // --large: an OUTPUT may pass its limit (the editor's 64 MB, or 4 GB)
    bool allTamil = false;              // --all-tamil: every byte of INPUT read as a Bamini code
    bool overwrite = false;             // --overwrite: a folder's conversion writes over what OUTDIR holds
    std::string font;                   // --font: the Unicode font converted document runs get
    std::vector<std::string> baminiFonts;  // --bamini-font: more fonts with Bamini's layout
    Keyboard keyboard = Keyboard::Phonetic;  // --keyboard: the keys --transliterate reads as typed on
    std::string problem;                // for BadUsage: what was wrong
};

CommandLine parseCommandLine(const std::vector<std::string>& args);

std::string usageText();
std::string helpText();

} // namespace orvane
