#pragma once
// Everything that replaces, writes or abandons the document: Save, Save As, New, Open, the
// document named at start-up, a file dropped on the window, leaving the program, and what
// another program did to the file meanwhile. The flows decide; the window acts on the
// decision (it ends the program, or stays).

#include "document/document.h"
#include "document/limits.h"
#include "document/unicode_origin.h"
#include "platform/document_importer.h"
#include "platform/file_service.h"
#include "platform/services.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace orvane {

inline constexpr std::string_view SaveFilter = "Tamil Text File  (*.tam)| *.tam";
inline constexpr std::string_view OpenFilter =
    "All documents (*.tam *.txt *.docx *.odt *.rtf *.pdf)| *.tam *.txt *.docx *.odt *.rtf *.pdf|"
    "Tamil Text File  (*.tam)| *.tam|Unicode Tamil text (*.txt)| *.txt|All Files (*.*) | *.*";
inline constexpr std::string_view ExportFilter = "Unicode Text File (*.txt)|*.txt";
inline constexpr std::string_view PdfFilter = "PDF document (*.pdf)|*.pdf";
// Save As: a .tam document as designed, or Unicode text.
inline constexpr std::string_view SaveAsFilter = "Tamil Text File  (*.tam)| *.tam|Unicode Tamil text (*.txt)| *.txt";

enum class Decision { GoOn, Stay };

class DocumentFlows final {
public:
    DocumentFlows(Document& document, DocumentView& view, FileDialog& cmdlg, MessageBox& messages,
                  FileService& files);

    // Writes a changed document, asking for a name when it has none; also an unchanged one
    // whose file vanished or was replaced. True when the document is saved afterwards.
    bool SaveDocument();
    // Asks for a new name and writes there; cancelled, the document keeps its name.
    bool SaveAs();
    // Stay: the user asked to keep a text that could not be saved.
    Decision NewDocument();
    Decision OpenDocument();
    // Opens path in place of the document, asking first about unsaved changes.
    Decision openFile(const std::string& path);
    // Writes the text as UTF-8 Unicode Tamil with LF line ends to a file the user names.
    bool ExportUnicode();
    // Other text (English) is about to enter the document. A Unicode document takes it; a
    // .tam document holds Tamil alone, so the user is asked whether to keep the document as
    // Unicode text from now on (Take), to leave the other text out (LeaveOut), or neither.
    enum class OtherText { Take, LeaveOut, Refuse };
    OtherText admitOtherText();
    // Edit > Keep English as English: the words of the text that read as English (set beside
    // the Bamini in another font before it lost its fonts) become English, as one edit, and
    // the document Unicode text from now on. How many words became English.
    std::size_t KeepEnglishAsEnglish();
    // The name of a file an export writes, asked with the document's own name and folder
    // offered; nothing when the user cancels.
    // title: what the dialog is for, in the file dialog's title.
    std::optional<std::string> askExportName(std::string_view filter, std::string_view ending, std::string_view title);
    // commandLine is the process's command-line text: one path in double quotes, or empty.
    // A large document only takes its name here; openPending() reads it.
    void openAtStartUp(const std::string& commandLine);
    void openPending();
    bool hasPending() const { return !pending.empty(); }
    // GoOn: the program may end.
    Decision Form_Unload();
    // The window came back to the front: offers to reload a file another program changed
    // while the document had no unsaved changes.
    void checkFileOnDisk();
    // Reads word-processor documents as text; without one, every file is text.
    void setImporter(DocumentImporter* given) { importer = given; }
    // The document's name (or the one it came from, or "Untitled") with another ending, in
    // its own folder: what a save or an export offers.
    std::string proposedName(std::string_view ending) const;

private:
    std::optional<std::string> askForName(bool offerUnicode, DocumentFormat& format);
    std::optional<std::string> withEnding(std::string name, std::string_view ending);
    bool leaveOtherTextOut();
    bool writeTo(const std::string& path, WriteOptions options, const DocumentFormat& format);
    std::optional<WriteOptions> confirmOverwrite(const std::string& path);
    std::optional<WriteOptions> linkOptions(const std::string& path, const FileIdentity& now, int* remembered);
    bool confirmSize(const std::string& path, std::size_t bytes);
    bool unchangedOnDisk(const std::string& path, const FileIdentity& now);
    static bool promisesAnotherFormat(std::string_view name);
    bool load(const std::string& path, bool missingIsNew);
    void offerEnglish();
    Decision keepOrSaveChanges(Buttons buttons);
    void settle(std::string name, DocumentFormat format, FileIdentity onDisk);

    Document& document;
    DocumentView& view;
    FileDialog& cmdlg;
    MessageBox& messages;
    FileService& files;
    bool checkingDisk = false;
    bool reading = false;  // a document is being read into the window
    std::string pending;  // the start-up document, read once the window stands
    DocumentImporter* importer = nullptr;
    // An imported document has no name (Save never writes text over the document it came
    // from); this is the one Save offers: the document's with ".txt".
    std::string importedFrom;
    // The Unicode file the document was read from, line by line, and its name: a save writes
    // the lines still as they were read as the file had them.
    std::shared_ptr<const UnicodeOrigin> origin;
    std::string originName;
    Notice::Subscription captioned, captionedForm;
    void showCaption();
};

} // namespace orvane
