#include "document/document_flows.h"
#include "platform/reasons.h"

#include "document/english_words.h"
#include "document/file_format.h"
#include "document/other_text.h"
#include "document/unicode_tamil.h"

#include <algorithm>
#include <cctype>
#include <new>

namespace orvane {

namespace {
// A file's own name, without its folders: what a short line in the status bar names.
std::string baseName(const std::string& path) { return path.substr(path.rfind('/') + 1); }
std::string megabytes(std::size_t bytes) { return std::to_string((bytes + (1 << 20) - 1) >> 20); }
} // namespace

DocumentFlows::DocumentFlows(Document& document, DocumentView& view, FileDialog& cmdlg, MessageBox& messages,
                             FileService& files)
    : document(document), view(view), cmdlg(cmdlg), messages(messages), files(files),
      // The caption names the document's file, whatever gave it its name.
      captioned(document.nameChanged.subscribe([this] { showCaption(); })),
      // An untitled document that becomes Unicode text is "Untitled.txt" from then on.
      captionedForm(document.formatChanged.subscribe([this] { showCaption(); }))
{
}

void DocumentFlows::showCaption()
{
    view.setCaption(documentCaption(document.DocumentFileName(), document.format().kind));
}

// The document now is what its file holds.
void DocumentFlows::settle(std::string name, DocumentFormat format, FileIdentity onDisk)
{
    importedFrom.clear();
    origin.reset();
    document.setDocumentFileName(std::move(name));
    document.setFormat(format);
    document.setOnDisk(onDisk);
    document.setDocumentChanged(false);
}

// The name a save writes, and the form of the file. Save offers .tam documents only (and
// Unicode text too for a Unicode document), Save As both. The document's own name, folder
// and form are offered; an untitled document is offered "Untitled.tam".
std::optional<std::string> DocumentFlows::askForName(bool offerUnicode, DocumentFormat& format)
{
    const bool isUnicode = document.format().kind == DocumentFormat::Unicode;
    offerUnicode = offerUnicode || isUnicode;
    cmdlg.CancelError = false;
    cmdlg.Filter = offerUnicode ? SaveAsFilter : SaveFilter;
    cmdlg.FileName = proposedName(isUnicode ? ".txt" : ".tam");
    cmdlg.FilterIndex = offerUnicode && isUnicode ? 1 : 0;
    cmdlg.ShowSave();
    std::string name = cmdlg.FileName;
    if (name.empty())
        return std::nullopt;
    const bool unicode = offerUnicode && cmdlg.FilterIndex == 1;
    format = unicode ? (isUnicode ? document.format() : DocumentFormat{DocumentFormat::Unicode}) : DocumentFormat{};
    if (!unicode && !leaveOtherTextOut())
        return std::nullopt;
    return withEnding(std::move(name), unicode ? ".txt" : ".tam");
}

bool DocumentFlows::promisesAnotherFormat(std::string_view name)
{
    std::string lower(name.substr(name.find_last_of('/') == std::string_view::npos ? 0 : name.find_last_of('/') + 1));
    for (char& c : lower)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    for (const std::string_view ending : {".docx", ".doc", ".odt", ".rtf", ".pdf", ".html", ".htm", ".xlsx", ".pptx"})
        if (lower.ends_with(ending))
            return true;
    return false;
}

// The document's name with the ending of a form: "letter.tam" as Unicode text is offered as
// "letter.txt"; an untitled one is "Untitled" with the ending.
std::string DocumentFlows::proposedName(std::string_view ending) const
{
    std::string name = !document.DocumentFileName().empty() ? document.DocumentFileName()
                       : !importedFrom.empty()              ? importedFrom
                                                            : untitledName(document.format().kind);
    for (const std::string_view known : {".tam", ".txt", ".docx", ".odt", ".rtf", ".doc", ".pdf", ".html", ".htm"})
        if (name.ends_with(known) && name.size() > known.size()) {
            name.resize(name.size() - known.size());
            break;
        }
    return name + std::string(ending);
}

// A .tam file holds Tamil alone: a document with other text (English) in it is written as
// one only when the user agrees to leave that text out, and then the document leaves it too,
// so that what the window shows is what the file holds.
bool DocumentFlows::leaveOtherTextOut()
{
    std::string text = view.documentText();
    if (!holdsOther(text))
        return true;
    if (messages.ask({MessageId::OtherTextLeftOut, {proposedName(".tam")}}, Buttons::YesNo) != Answer::Yes)
        return false;
    std::string tamil;
    tamil.reserve(text.size());
    forEachRun(text, [&](std::string_view codes) { tamil.append(codes); }, [](std::string_view) {});
    text.clear();
    view.setDocumentText(tamil, false);
    document.markDocumentChanged();
    return true;
}

DocumentFlows::OtherText DocumentFlows::admitOtherText()
{
    if (document.format().kind == DocumentFormat::Unicode)
        return OtherText::Take;
    const std::string shown = document.shownName();
    switch (messages.ask({MessageId::OtherTextEnters, {shown, proposedName(".txt")}}, Buttons::YesNoCancel)) {
    case Answer::Yes:
        // Unicode text from now on: the next save writes NAME.txt, asking as Save As does.
        document.setFormat({DocumentFormat::Unicode});
        document.markDocumentChanged();
        return OtherText::Take;
    case Answer::No:
        return OtherText::LeaveOut;
    case Answer::Cancel:
        break;
    }
    return OtherText::Refuse;
}

// The name with its ending added where the user left it out; asks before that name, which
// the dialog did not ask about, replaces a file. A name that is there already (a file, or a
// device such as /dev/full) was the dialog's to ask about, and is taken as it was chosen.
// Nothing when the user would rather not.
std::optional<std::string> DocumentFlows::withEnding(std::string name, std::string_view ending)
{
    if (name.ends_with(ending))
        return name;
    if (const FileIdentity chosen = files.identify(name); chosen.exists && !chosen.folder)
        return name;
    name += ending;
    if (files.identify(name).exists && messages.ask({MessageId::ReplaceExisting, {name}}, Buttons::YesNo) != Answer::Yes)
        return std::nullopt;
    return name;
}

bool DocumentFlows::SaveDocument()
{
    const std::string& name = document.DocumentFileName();
    const FileIdentity now = name.empty() ? FileIdentity{} : files.identify(name);
    const bool vanishedOrReplaced = document.onDisk().exists && !now.sameFile(document.onDisk());
    bool saved = true;
    if (document.DocumentChanged() || (!name.empty() && vanishedOrReplaced)) {
        DocumentFormat format;
        if (name.empty() || promisesAnotherFormat(name)) {
            // A name such as notice.docx promises a word processor's document, which the text
            // would not be: the dialog offers the name with the document's own ending.
            const std::optional<std::string> chosen = askForName(false, format);
            saved = chosen && writeTo(*chosen, {}, format);
        } else if (document.format().kind == DocumentFormat::Unicode && name.ends_with(".tam")) {
            // A .tam document kept as Unicode text from now on: written beside it as NAME.txt.
            const std::optional<std::string> renamed = withEnding(name.substr(0, name.size() - 4), ".txt");
            saved = renamed && writeTo(*renamed, {}, document.format());
        } else if (const std::optional<WriteOptions> options = confirmOverwrite(name)) {
            saved = writeTo(name, *options, document.format());
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
    std::optional<WriteOptions> options;
    if (chosen)
        options = linkOptions(*chosen, files.identify(*chosen), nullptr);
    const bool saved = options && writeTo(*chosen, *options, format);
    view.focusText();
    return saved;
}

// Whether a file with other names (hard links) is written into, so that they all show the
// new text, or replaced under this name alone; nothing when the user cancels. remembered:
// the answer kept for the document's own file, asked once.
std::optional<WriteOptions> DocumentFlows::linkOptions(const std::string& path, const FileIdentity& now, int* remembered)
{
    WriteOptions options;
    if (!now.regular || now.links <= 1)
        return options;
    int keep = remembered ? *remembered : -1;
    if (keep < 0) {
        const Answer answer = messages.ask({MessageId::HardLinks, {path, std::to_string(now.links - 1)}}, Buttons::YesNoCancel);
        if (answer == Answer::Cancel)
            return std::nullopt;
        keep = answer == Answer::Yes;
        if (remembered)
            *remembered = keep;
    }
    options.inPlace = keep == 1;
    return options;
}

// What may be written at a name the document already has, after asking about what another
// program did to the file since; nothing when the user would rather not.
std::optional<WriteOptions> DocumentFlows::confirmOverwrite(const std::string& path)
{
    WriteOptions options;
    const FileIdentity now = files.identify(path);
    if (document.onDisk().exists && now.exists) {
        if (!now.sameFile(document.onDisk())) {
            if (messages.ask({MessageId::ReplacedOnDisk, {path}}, Buttons::YesNo) != Answer::Yes)
                return std::nullopt;
            options.throughLinks = false;  // a link planted at the name is replaced, not followed
            return options;
        }
        if (!unchangedOnDisk(path, now)
            && messages.ask({MessageId::ChangedOnDisk, {path}}, Buttons::YesNo) != Answer::Yes)
            return std::nullopt;
    } else if (now.exists && messages.ask({MessageId::ChangedOnDisk, {path}}, Buttons::YesNo) != Answer::Yes) {
        return std::nullopt;  // another program made the file since the document took its name
    }
    return linkOptions(path, now, &document.keepLinks);
}

// Whether the file at path still holds what the document last read or wrote there. A change
// of its inode alone (chmod, a new hard link) moves the change time too, as does a program
// that sets the other times back: where size and modification time are as they were, the
// bytes decide.
bool DocumentFlows::unchangedOnDisk(const std::string& path, const FileIdentity& now)
{
    const FileIdentity& known = document.onDisk();
    if (now.sameContents(known))
        return true;
    if (!now.sameTimes(known) || known.contents == 0)
        return false;
    const ReadOutcome in = files.readFile(path, std::size_t(std::max<std::int64_t>(now.size, 0)));
    if (in.status != ReadOutcome::Read || contentsPrint(in.bytes) != known.contents)
        return false;
    FileIdentity seen = now;
    seen.contents = known.contents;
    document.setOnDisk(seen);  // the same bytes: not read again for this change
    return true;
}

// A file the window could not open again is written only when the user says so.
bool DocumentFlows::confirmSize(const std::string& path, std::size_t bytes)
{
    if (bytes > MaxDocumentBytes
        && messages.ask({MessageId::OverSizeLimit, {path, megabytes(bytes), megabytes(MaxDocumentBytes)}}, Buttons::YesNo)
               != Answer::Yes)
        return false;
    const std::size_t lines = view.documentLineCount();
    return lines <= MaxDocumentLines
           || messages.ask({MessageId::OverLineLimitOnSave, {path, std::to_string(lines), std::to_string(MaxDocumentLines)}},
                           Buttons::YesNo)
                  == Answer::Yes;
}

bool DocumentFlows::writeTo(const std::string& path, WriteOptions options, const DocumentFormat& format)
{
    // A Unicode document still read from its file keeps that file's lines where their codes
    // are as they were read; anything else goes straight from the text box to the file, a
    // piece at a time.
    std::shared_ptr<const UnicodeOrigin> written;
    if (origin && format.kind == DocumentFormat::Unicode && document.DocumentFileName() == originName) {
        try {
            written = origin->fileFor(view.documentText(), format);
        } catch (const std::bad_alloc&) {  // written from the box as any document, then
            written.reset();
            origin.reset();
        }
    }
    const ByteSource file = written ? ByteSource{written->bytes().size(), [&written](const ByteSource::Put& put) {
                                                     return put(written->bytes());
                                                 }}
                                    : encodedFile(format, view.documentSource());
    if (!confirmSize(path, file.size))
        return false;
    const WriteOutcome out = files.writeBytes(path, file, options);
    if (!out.written) {
        messages.warn({MessageId::SaveFailed, {path, out.error}});
        return false;
    }
    settle(path, format, out.identity);
    if (written && written->bytes().size() <= UnicodeOrigin::MaxBytes) {
        origin = std::move(written);
        originName = path;
    }
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
bool DocumentFlows::load(const std::string& given, bool missingIsNew)
{
    const std::string path = files.absolute(given);
    ReadOutcome in = files.readFile(path, MaxDocumentBytes);
    if (in.status == ReadOutcome::Failed || (in.status == ReadOutcome::Missing && !missingIsNew)) {
        messages.warn({MessageId::OpenFailed, {path, in.error}});
        return false;
    }
    in.identity.contents = contentsPrint(in.bytes);
    DocumentFormat format;
    std::shared_ptr<const UnicodeOrigin> readFrom;
    // A word processor's document: its text, as a Unicode document with no name.
    std::string importError;
    std::optional<std::string> imported = importer ? importer->importText(in.bytes, importError) : std::nullopt;
    const bool wasImported = imported.has_value();
    if (!importError.empty()) {
        messages.warn({MessageId::OpenFailed, {path, importError}});
        return false;
    }
    try {
        OpenedText opened;
        if (imported) {
            opened.text = pastedText(*imported, PastedAs::Unicode);
            opened.format = DocumentFormat{DocumentFormat::Unicode};
            imported.reset();
            in.bytes.clear();
        } else {
            opened = openText(std::move(in.bytes), !path.ends_with(".tam"));
        }
        // Characters with no code become "?" only once the user knows how many.
        if (opened.unconvertible > 0
            && messages.ask({MessageId::UnicodeLossy, {path, std::to_string(opened.unconvertible)}}, Buttons::YesNo)
                   != Answer::Yes)
            return false;
        if (opened.drawnAs > 0
            && messages.ask({MessageId::UnicodeDrawnAs, {path, std::to_string(opened.drawnAs)}}, Buttons::YesNo)
                   != Answer::Yes)
            return false;
        const std::string& text = opened.text;
        const TextMeasure measure = measureText(text);
        switch (fitsTheWindow(text, measure)) {
        case Fit::TooManyLines:
            messages.warn({MessageId::OverLineLimit, {path, std::to_string(measure.lines), std::to_string(MaxDocumentLines)}});
            return false;
        case Fit::TooLarge:
            messages.warn({MessageId::OpenFailed, {path, fitReason(Fit::TooLarge)}});
            return false;
        case Fit::NoMemory:
            messages.warn({MessageId::OutOfMemory, {path}});
            return false;
        case Fit::Fits:
            break;
        }
        if (measure.longestParagraph > LongParagraphBytes
            && messages.ask({MessageId::LongParagraph, {path, std::to_string(measure.longestParagraph >> 10)}},
                            Buttons::YesNo)
                   != Answer::Yes)
            return false;
        reading = true;  // the window goes on painting meanwhile: nothing else starts
        const bool whole = view.takeDocumentText(std::move(opened.text));
        reading = false;
        if (!whole) {
            // Stopped by the user: none of the file is kept under its name.
            view.setDocumentText({});
            settle({}, DocumentFormat{}, {});
            view.showNote({MessageId::OpenStopped, {baseName(path)}});
            return false;
        }
        format = opened.format;
        readFrom = std::move(opened.origin);
    } catch (const std::bad_alloc&) {
        reading = false;
        // The box may hold part of the text: what is left is an empty untitled document,
        // never a part of the file under its name.
        view.setDocumentText({});
        settle({}, DocumentFormat{}, {});
        messages.warn({MessageId::OutOfMemory, {path}});
        return false;
    }
    if (wasImported) {
        settle({}, format, {});
        importedFrom = path;
        view.showNote({MessageId::DocumentImported, {baseName(path)}});
        return true;
    }
    settle(path, format, in.identity);
    origin = std::move(readFrom);
    originName = path;
    if (format.kind == DocumentFormat::Unicode)
        view.showNote({MessageId::UnicodeOpened, {baseName(path)}});
    else
        offerEnglish();
    return true;
}

// A .tam document whose text holds words that read as English is offered, once, in the status
// line, Keep English as English: judged by its first megabyte, at least two words and one in
// two hundred.
void DocumentFlows::offerEnglish()
{
    std::string head = view.textBetween(0, std::min(view.textLength(), std::size_t(1) << 20));
    const EnglishShare share = englishShare(head);
    if (share.english >= 2 && share.english * 200 >= share.words)
        view.showNote({MessageId::EnglishInTamil, {std::to_string(share.english)}});
}

std::size_t DocumentFlows::KeepEnglishAsEnglish()
{
    std::size_t marked = 0;
    const std::string kept = withEnglishKept(view.documentText(), &marked);
    if (marked == 0) {
        view.showNote({MessageId::NoEnglishFound, {}});
        return 0;
    }
    if (!view.editText(0, view.textLength(), kept))
        return 0;
    if (document.format().kind != DocumentFormat::Unicode)
        document.setFormat({DocumentFormat::Unicode});  // the next save writes NAME.txt, asking as Save As does
    document.markDocumentChanged();
    const std::string saved = proposedName(".txt");
    view.showNote({MessageId::EnglishKept, {std::to_string(marked), baseName(saved)}});
    return marked;
}

std::optional<std::string> DocumentFlows::askExportName(std::string_view filter, std::string_view ending,
                                                        std::string_view title)
{
    std::string offered = document.shownName();
    if (offered.ends_with(".tam") || offered.ends_with(".txt"))
        offered.resize(offered.size() - 4);
    cmdlg.CancelError = false;
    cmdlg.Filter = filter;
    cmdlg.FileName = offered + std::string(ending);
    cmdlg.FilterIndex = 0;
    cmdlg.DialogTitle = title;
    cmdlg.ShowSave();
    if (cmdlg.FileName.empty())
        return std::nullopt;
    return withEnding(cmdlg.FileName, ending);
}

bool DocumentFlows::ExportUnicode()
{
    bool written = false;
    if (const std::optional<std::string> path = askExportName(ExportFilter, ".txt", "Export as Unicode")) {
        const WriteOutcome out = files.writeBytes(*path, encodedFile({DocumentFormat::Unicode}, view.documentSource()));
        written = out.written;
        if (!written)
            messages.warn({MessageId::ExportFailed, {*path, out.error}});
    }
    view.focusText();
    return written;
}

void DocumentFlows::openAtStartUp(const std::string& commandLine)
{
    const std::string given = commandLine.size() >= 2 ? commandLine.substr(1, commandLine.size() - 2) : "";
    // Kept beyond this moment (the recovery file, the recent documents), the name must mean
    // the same file wherever the next run starts.
    const std::string path = given.empty() ? given : files.absolute(given);
    const FileIdentity file = path.empty() ? FileIdentity{} : files.identify(path);
    if (file.regular && std::size_t(file.size) > OpenInPiecesBytes) {
        pending = path;
        document.setDocumentFileName(path);
    } else if (path.empty() || !load(path, true)) {
        document.setDocumentFileName({});
    }
    document.setDocumentChanged(false);
    // The design's caption gives way to the document's, whatever its name.
    showCaption();
}

void DocumentFlows::openPending()
{
    if (pending.empty())
        return;
    const std::string path = std::move(pending);
    pending.clear();
    if (!load(path, false))
        document.setDocumentFileName({});
    document.setDocumentChanged(false);
    view.focusText();
}

Decision DocumentFlows::Form_Unload()
{
    if (!document.DocumentChanged() && document.onDisk().exists
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
    if (checkingDisk || reading || document.DocumentChanged() || !document.onDisk().exists)
        return;
    const std::string path = document.DocumentFileName();
    const FileIdentity now = files.identify(path);
    if (!now.exists || unchangedOnDisk(path, now))
        return;
    checkingDisk = true;  // the question itself moves the focus away and back
    if (messages.ask({MessageId::ReloadChanged, {path}}, Buttons::YesNo) == Answer::Yes) {
        load(path, false);
    } else {
        // The window keeps a text the file no longer holds: that is an unsaved change.
        document.setOnDisk(now);
        document.setDocumentChanged(true);
    }
    checkingDisk = false;
}

} // namespace orvane
