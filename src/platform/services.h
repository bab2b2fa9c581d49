#pragma once
// The services the core calls. The window realises them with Qt; tests and the
// headless modes hand in their own.

#include "platform/file_service.h"
#include "platform/messages.h"

#include <string>
#include <string_view>

namespace orvane {

// Types a key string as if typed, and returns only when every key has gone through the
// key-press handler and been inserted. Notation: "+", "^" and "%" are Shift, Ctrl and Alt
// for the next key; braces quote one character ("{+}" is a plus sign). A modifier with no
// key after it types nothing. The composer's own realisation (phonetic/typing) feeds the
// characters through the filter and collects what it passes.
class KeystrokeInjector {
public:
    virtual ~KeystrokeInjector() = default;
    virtual void sendKeys(std::string_view keys) = 0;
};

// The four text panels of the status bar, numbered 1 to 4 from the left.
class StatusPanels {
public:
    virtual ~StatusPanels() = default;
    virtual void setPanelText(int panel, std::string_view text) = 0;
};

// Raises the document's unsaved-changes flag.
class ChangeMarker {
public:
    virtual ~ChangeMarker() = default;
    virtual void markDocumentChanged() = 0;
};

} // namespace orvane

namespace orvane {

// The local time of day, 0..23 hours.
struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual TimeOfDay now() = 0;
};

// The machine's clock in the local time zone.
class SystemClock final : public TimeSource {
public:
    TimeOfDay now() override;
};

// The common file dialog: set the properties, show it, read FileName back (empty when
// the user cancelled).
class FileDialog {
public:
    virtual ~FileDialog() = default;
    virtual void ShowSave() = 0;
    virtual void ShowOpen() = 0;

    bool CancelError = false;
    std::string Filter;    // "Description (pattern)|pattern|..." pairs
    std::string FileName;
    int FilterIndex = 0;   // the pair shown first; afterwards the one chosen
    // What the dialog is for, as its title ("Export as PDF"); empty: Open or Save As. It
    // holds for the next dialog shown only.
    std::string DialogTitle;
};

enum class Answer { Yes, No, Cancel };
enum class Buttons { YesNo, YesNoCancel };

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // A modal question with a question icon; Yes is the default button. Closed without an
    // answer (Esc, the close box) it is Cancel, whatever its buttons.
    virtual Answer ask(const Message& message, Buttons buttons) = 0;
    // A modal report of something that went wrong.
    virtual void warn(const Message& message) = 0;
    // A modal report of something the user asked to know.
    virtual void inform(const Message& message) = 0;
};

class Process {
public:
    virtual ~Process() = default;
    // Ends the program: all windows close and no further handlers run.
    virtual void endProgram() = 0;
};

// The document text as the text box holds it, and the window around it.
class DocumentView {
public:
    virtual ~DocumentView() = default;
    // The text's bytes, CR LF between lines.
    virtual std::string documentText() = 0;
    // The same handed over in pieces, for writing without a copy of it all.
    virtual ByteSource documentSource() = 0;
    // Its lines (paragraphs), as a file of it would open with.
    virtual std::size_t documentLineCount() = 0;
    // False when the user stopped a long load: the text is then partly there. mayStop
    // false: no way to stop it is offered.
    virtual bool setDocumentText(std::string_view bytes, bool mayStop = true) = 0;
    // The same, the bytes handed over: the document may keep them as its own, not a copy.
    virtual bool takeDocumentText(std::string bytes, bool mayStop = true) { return setDocumentText(bytes, mayStop); }
    // The text by the box's places, as edits name them: one for each Tamil code and each line
    // end, and one for each UTF-16 unit of other text. textLength() places in all.
    virtual std::size_t textLength() = 0;
    // The bytes of the places from..to.
    virtual std::string textBetween(std::size_t from, std::size_t to) = 0;
    // The first place at or after from + atLeast where a line begins, or the end.
    virtual std::size_t pieceEnd(std::size_t from, std::size_t atLeast) = 0;
    // Replaces `removed` places at `at` with the bytes; false when there are no such places.
    // A restore's: not one of the user's edits (the recovery journal is being read).
    virtual bool replaceText(std::size_t at, std::size_t removed, std::string_view bytes) = 0;
    // The same as the user's own edit: one step of Undo, and kept by the recovery journal.
    virtual bool editText(std::size_t at, std::size_t removed, std::string_view bytes) = 0;
    virtual void setCaption(std::string_view caption) = 0;
    virtual void focusText() = 0;
    // A line of news for a few seconds, where the window has room for it.
    virtual void showNote(const Message& message) = 0;
};

} // namespace orvane
