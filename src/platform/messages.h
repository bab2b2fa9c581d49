#pragma once
// What the program has to say to the user, as identifiers with their arguments. The window
// turns them into words (window/message_text.cpp), so the core never holds a sentence.

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

enum class MessageId {
    UnsavedPrompt,      // the unsaved-changes question
    SaveFailed,         // file, reason
    OpenFailed,         // file, reason
    ExportFailed,       // file, reason
    PdfFailed,          // file, reason
    PrintUnavailable,   // reason: the print module could not be loaded
    ReplaceExisting,    // file: the name the save arrived at exists already
    ChangedOnDisk,      // file: another program changed it since it was read or written
    ReplacedOnDisk,     // file: it is no longer the file that was opened
    ReloadChanged,      // file: changed on disk, the document has no unsaved changes
    FileGoneOnExit,     // file: the document's file no longer exists
    OverSizeLimit,      // file, size in MB, limit in MB
    HardLinks,          // file, number of other names
    NameUnusable,       // file
    RestorePrompt,      // document name (or "Untitled.tam"), when it was last written
    RestoreDiscard,     // document name
    RecoveryUnwritable, // folder, reason
    RecoveryUnreadable, // file, reason, where it was set aside
    RestoreRefused,     // document name (or the file), reason, where the recovery file stays
    DocumentImported,   // file: a word processor's document, its text opened (for the status line)
    UnicodeOpened,      // file, characters without a code (for the status line)
    UnicodeLossy,       // file, characters without a code, as a question
    UnicodeDrawnAs,     // file, syllables written without their vowel sign, as a question
    LongParagraph,      // file, longest paragraph in KB
    OverLineLimit,      // file, lines, limit
    OverLineLimitOnSave, // file, lines, limit: a save would write a file that does not open
    OutOfMemory,        // file
    OpenStopped,        // file (for the status line)
    PasteOutOfMemory,   // the text pasted or dropped
    CountDocument,      // words, Tamil letters, characters, lines of the document
    CountSelection,     // the same, of the selection
    OtherTextEnters,    // document name, the name it would be saved as: English enters a .tam document
    OtherTextLeftOut,   // file: a .tam file is written without the document's English
    RestoredInPart,     // document name, reason: the changes after the last whole copy were read back in part
    ConvertWhichWay,    // file: to Unicode (Yes) or back to Bamini (No)
    ConvertFailed,      // file, reason
    EnglishInTamil,     // words that read as English (for the status line)
    EnglishKept,        // words made English, the file name a save now offers (for the status line)
    NoEnglishFound,     // (for the status line)
};

struct Message {
    MessageId id;
    std::vector<std::string> args;
};

// A file name as it may be shown: control characters and bytes that are not UTF-8 are
// written as \xNN, so that a name can neither break a message nor reach a terminal as an
// escape sequence.
std::string printableName(std::string_view name);

} // namespace orvane
