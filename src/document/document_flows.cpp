#include "document/document_flows.h"

#include "document/tam_format.h"
#include "document/text_file.h"
#include "document/unicode_tamil.h"
#include "platform/memory.h"

#include <algorithm>
#include <new>

namespace orvane {

namespace {
std::string megabytes(std::size_t bytes) { return std::to_string((bytes + (1 << 20) - 1) >> 20); }
} // namespace

std::string documentCaption(const std::string& fileName)
{
    return std::string(ApplicationTitle) + " [ " + (fileName.empty() ? "Untitled.tam" : fileName) + " ]";
}

DocumentFlows::DocumentFlows(Document& document, DocumentView& view, FileDialog& cmdlg, MessageBox& messages,
                             FileService& files)
    : document(document), view(view), cmdlg(cmdlg), messages(messages), files(files)
{
}

void DocumentFlows::adoptName(std::string name)
{
    document.setDocumentFileName(std::move(name));
    view.setCaption(documentCaption(document.DocumentFileName()));
}

// The document now is what its file holds.
void DocumentFlows::settle(std::string name, DocumentFormat format, FileIdentity onDisk)
{
    adoptName(std::move(name));
    document.format = format;
    document.onDisk = onDisk;
    document.setDocumentChanged(false);
    if (settledInFile && !document.DocumentFileName().empty())
        settledInFile(document.DocumentFileName());
}

// The name a save writes, and the form of the file. Save offers .tam documents only, Save
// As also Unicode text.
std::optional<std::string> DocumentFlows::askForName(bool offerUnicode, DocumentFormat& format)
{
    cmdlg.CancelError = false;
    cmdlg.Filter = offerUnicode ? SaveAsFilter : SaveFilter;
    cmdlg.FileName = "Untitled.tam";
    cmdlg.FilterIndex = offerUnicode && document.format.kind == DocumentFormat::Unicode ? 1 : 0;
    cmdlg.ShowSave();
    std::string name = cmdlg.FileName;
    if (name.empty())
        return std::nullopt;
    const bool unicode = offerUnicode && cmdlg.FilterIndex == 1;
    format = unicode ? (document.format.kind == DocumentFormat::Unicode ? document.format : DocumentFormat{DocumentFormat::Unicode})
                     : DocumentFormat{};
    const std::string_view ending = unicode ? ".txt" : ".tam";
    if (!name.ends_with(ending)) {
        name += ending;
        // The dialog asked about the name it was given; the name written is this one.
        if (files.identify(name).exists
            && messages.ask({MessageId::ReplaceExisting, {name}}, Buttons::YesNo) != Answer::Yes)
            return std::nullopt;
    }
    return name;
}

bool DocumentFlows::SaveDocument()
{
    const std::string& name = document.DocumentFileName();
    const FileIdentity now = name.empty() ? FileIdentity{} : files.identify(name);
    const bool vanishedOrReplaced = document.onDisk.exists && !now.sameFile(document.onDisk);
    bool saved = true;
    if (document.DocumentChanged() || (!name.empty() && vanishedOrReplaced)) {
        DocumentFormat format;
        if (name.empty()) {
            const std::optional<std::string> chosen = askForName(false, format);
            saved = chosen && writeTo(*chosen, {}, format);
        } else if (const std::optional<WriteOptions> options = confirmOverwrite(name)) {
            saved = writeTo(name, *options, document.format);
        } else {
            saved = false;
        }
    }
    view.focusText();
    return saved;
}

bool DocumentFlows::SaveAs()
{
    DocumentFormat format;
    const std::optional<std::string> chosen = askForName(true, format);
    const bool saved = chosen && writeTo(*chosen, {}, format);
    view.focusText();
    return saved;
}

// What may be written at a name the document already has, after asking about what another
// program did to the file since; nothing when the user would rather not.
std::optional<WriteOptions> DocumentFlows::confirmOverwrite(const std::string& path)
{
    WriteOptions options;
    const FileIdentity now = files.identify(path);
    if (document.onDisk.exists && now.exists) {
        if (!now.sameFile(document.onDisk)) {
            if (messages.ask({MessageId::ReplacedOnDisk, {path}}, Buttons::YesNo) != Answer::Yes)
                return std::nullopt;
            options.throughLinks = false;  // a link planted at the name is replaced, not followed
            return options;
        }
        if (!now.sameContents(document.onDisk)
            && messages.ask({MessageId::ChangedOnDisk, {path}}, Buttons::YesNo) != Answer::Yes)
            return std::nullopt;
    } else if (now.exists && messages.ask({MessageId::ChangedOnDisk, {path}}, Buttons::YesNo) != Answer::Yes) {
        return std::nullopt;  // another program made the file since the document took its name
    }
    if (now.regular && now.links > 1) {
        if (document.keepLinks < 0) {
            const Answer answer =
                messages.ask({MessageId::HardLinks, {path, std::to_string(now.links - 1)}}, Buttons::YesNoCancel);
            if (answer == Answer::Cancel)
                return std::nullopt;
            document.keepLinks = answer == Answer::Yes;
        }
        options.inPlace = document.keepLinks == 1;
    }
    return options;
}

bool DocumentFlows::confirmSize(const std::string& path, std::size_t bytes)
{
    return bytes <= MaxDocumentBytes
           || messages.ask({MessageId::OverSizeLimit, {path, megabytes(bytes), megabytes(MaxDocumentBytes)}},
                           Buttons::YesNo)
                  == Answer::Yes;
}

bool DocumentFlows::writeTo(const std::string& path, WriteOptions options, const DocumentFormat& format)
{
    WriteOutcome out;
    if (format.kind == DocumentFormat::Unicode) {
        const std::string unicode = unicodeFileBytes(view.documentText(), format);
        if (!confirmSize(path, unicode.size()))
            return false;
        out = files.writeFile(path, {unicode}, options);
    } else {
        // Straight from the text box to the file, a piece at a time.
        const ByteSource text = view.documentSource();
        const ByteSource file{text.size + TamClosingLineEnd.size(), [&text](const ByteSource::Put& put) {
                                  return text.produce(put) && put(TamClosingLineEnd);
                              }};
        if (!confirmSize(path, file.size))
            return false;
        out = files.writeBytes(path, file, options);
    }
    if (!out.written) {
        messages.warn({MessageId::SaveFailed, {path, out.error}});
        return false;
    }
    settle(path, format, out.identity);
    return true;
}

Decision DocumentFlows::keepOrSaveChanges(Buttons buttons)
{
    if (!document.DocumentChanged())
        return Decision::GoOn;
    switch (messages.ask({MessageId::UnsavedPrompt, {}}, buttons)) {
    case Answer::Yes:
        return SaveDocument() ? Decision::GoOn : Decision::Stay;  // not saved: stay with the text
    case Answer::No:
        return Decision::GoOn;
    case Answer::Cancel:
        break;
    }
    return Decision::Stay;
}

Decision DocumentFlows::NewDocument()
{
    if (keepOrSaveChanges(Buttons::YesNo) == Decision::Stay)
        return Decision::Stay;
    view.setDocumentText({});
    view.focusText();
    settle({}, DocumentFormat{}, {});
    return Decision::GoOn;
}

Decision DocumentFlows::OpenDocument()
{
    if (keepOrSaveChanges(Buttons::YesNoCancel) == Decision::Stay)
        return Decision::Stay;
    cmdlg.CancelError = false;
    cmdlg.Filter = OpenFilter;
    cmdlg.ShowOpen();
    const std::string path = cmdlg.FileName;
    if (!path.empty() && load(path, false))
        view.focusText();
    return Decision::GoOn;
}

Decision DocumentFlows::openFile(const std::string& path)
{
    if (keepOrSaveChanges(Buttons::YesNoCancel) == Decision::Stay)
        return Decision::Stay;
    if (load(path, false))
        view.focusText();
    return Decision::GoOn;
}

// Reads path into the document; false, with a message, when it cannot be. A file that does
// not exist yet may be a new document of that name, which the first save creates.
bool DocumentFlows::load(const std::string& path, bool missingIsNew)
{
    ReadOutcome in = files.readFile(path, MaxDocumentBytes);
    if (in.status == ReadOutcome::Failed || (in.status == ReadOutcome::Missing && !missingIsNew)) {
        messages.warn({MessageId::OpenFailed, {path, in.error}});
        return false;
    }
    DocumentFormat format;
    try {
        OpenedText opened = openText(std::move(in.bytes));
        // Characters with no code become "?" only once the user knows how many.
        if (opened.unconvertible > 0
            && messages.ask({MessageId::UnicodeLossy, {path, std::to_string(opened.unconvertible)}}, Buttons::YesNo)
                   != Answer::Yes)
            return false;
        const std::string& text = opened.text;
        const std::size_t lines = std::size_t(std::count(text.begin(), text.end(), '\n')) + 1;
        if (lines > MaxDocumentLines) {
            messages.warn({MessageId::OverLineLimit, {path, std::to_string(lines), std::to_string(MaxDocumentLines)}});
            return false;
        }
        if (const std::size_t longest = longestParagraph(text);
            longest > LongParagraphBytes
            && messages.ask({MessageId::LongParagraph, {path, std::to_string(longest >> 10)}}, Buttons::YesNo)
                   != Answer::Yes)
            return false;
        if (boxMemoryFor(text.size(), lines) > memoryHeadroom()) {
            messages.warn({MessageId::OutOfMemory, {path}});
            return false;
        }
        reading = true;  // the window goes on painting meanwhile: nothing else starts
        const bool whole = view.setDocumentText(text);
        reading = false;
        if (!whole) {
            // Stopped by the user: none of the file is kept under its name.
            view.setDocumentText({});
            settle({}, DocumentFormat{}, {});
            view.showNote({MessageId::OpenStopped, {path}});
            return false;
        }
        format = opened.format;
    } catch (const std::bad_alloc&) {
        reading = false;
        // The box may hold part of the text: what is left is an empty untitled document,
        // never a part of the file under its name.
        view.setDocumentText({});
        settle({}, DocumentFormat{}, {});
        messages.warn({MessageId::OutOfMemory, {path}});
        return false;
    }
    settle(path, format, in.identity);
    if (format.kind == DocumentFormat::Unicode)
        view.showNote({MessageId::UnicodeOpened, {path}});
    return true;
}

bool DocumentFlows::ExportUnicode()
{
    std::string offered = document.DocumentFileName().empty() ? std::string("Untitled.tam") : document.DocumentFileName();
    if (offered.ends_with(".tam"))
        offered.resize(offered.size() - 4);
    cmdlg.CancelError = false;
    cmdlg.Filter = ExportFilter;
    cmdlg.FileName = offered + ".txt";
    cmdlg.ShowSave();
    std::string path = cmdlg.FileName;
    bool written = false;
    if (!path.empty()) {
        if (!path.ends_with(".txt"))
            path += ".txt";
        const std::string text = baminiToUnicode(view.documentText());
        const WriteOutcome out = files.writeFile(path, {text, "\n"});
        written = out.written;
        if (!written)
            messages.warn({MessageId::ExportFailed, {path, out.error}});
    }
    view.focusText();
    return written;
}

std::size_t longestParagraph(std::string_view bytes)
{
    std::size_t longest = 0;
    for (std::size_t start = 0;;) {
        const std::size_t end = bytes.find("\r\n", start);
        longest = std::max(longest, (end == std::string_view::npos ? bytes.size() : end) - start);
        if (end == std::string_view::npos)
            return longest;
        start = end + 2;
    }
}

void DocumentFlows::openAtStartUp(const std::string& commandLine)
{
    const std::string path = commandLine.size() >= 2 ? commandLine.substr(1, commandLine.size() - 2) : "";
    const FileIdentity file = path.empty() ? FileIdentity{} : files.identify(path);
    if (file.regular && std::size_t(file.size) > OpenInPiecesBytes) {
        pending = path;
        adoptName(path);
    } else if (path.empty() || !load(path, true)) {
        adoptName({});
    }
    document.setDocumentChanged(false);
}

void DocumentFlows::openPending()
{
    if (pending.empty())
        return;
    const std::string path = std::move(pending);
    pending.clear();
    if (!load(path, false))
        adoptName({});
    document.setDocumentChanged(false);
    view.focusText();
}

Decision DocumentFlows::Form_Unload()
{
    if (!document.DocumentChanged() && document.onDisk.exists
        && !files.identify(document.DocumentFileName()).exists) {
        // Nothing unsaved, but the file the text came from is gone: the text is the last copy.
        switch (messages.ask({MessageId::FileGoneOnExit, {document.DocumentFileName()}}, Buttons::YesNoCancel)) {
        case Answer::Yes:
            return SaveDocument() ? Decision::GoOn : Decision::Stay;
        case Answer::No:
            return Decision::GoOn;
        case Answer::Cancel:
            return Decision::Stay;
        }
    }
    return keepOrSaveChanges(Buttons::YesNoCancel);
}

void DocumentFlows::checkFileOnDisk()
{
    if (checkingDisk || reading || document.DocumentChanged() || !document.onDisk.exists)
        return;
    const std::string path = document.DocumentFileName();
    const FileIdentity now = files.identify(path);
    if (!now.exists || now.sameContents(document.onDisk))
        return;
    checkingDisk = true;  // the question itself moves the focus away and back
    if (messages.ask({MessageId::ReloadChanged, {path}}, Buttons::YesNo) == Answer::Yes) {
        load(path, false);
    } else {
        // The window keeps a text the file no longer holds: that is an unsaved change.
        document.onDisk = now;
        document.setDocumentChanged(true);
    }
    checkingDisk = false;
}

} // namespace orvane
