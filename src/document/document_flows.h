#pragma once
// The document's state and everything that replaces, writes or abandons it: Save,
// Save As, New, Open, the document named at start-up, and leaving the program.

#include "platform/file_service.h"
#include "platform/services.h"

#include <string>

namespace orvane {

inline constexpr std::string_view ApplicationTitle = "Orvane";
inline constexpr std::string_view SaveFilter = "Tamil Text File  (*.tam)| *.tam";
inline constexpr std::string_view OpenFilter = "Tamil Text File  (*.tam)| *.tam|All Files (*.*) | *.*";
inline constexpr std::string_view ExportFilter = "Unicode Text File (*.txt)|*.txt";
inline constexpr std::string_view UnsavedPrompt = "You have not saved the Document.  Do you want to save it now";

// "Orvane [ path ]", or "Orvane [ Untitled.tam ]" for a document without a file.
std::string documentCaption(const std::string& fileName);

class DocumentFlows final : public ChangeMarker {
public:
    DocumentFlows(DocumentView& view, FileDialog& cmdlg, MessageBox& messages, Process& process,
                  FileService& files);

    std::string DocumentFileName;  // empty while the document has no file
    bool DocumentChanged = false;

    void markDocumentChanged() override { DocumentChanged = true; }

    // Writes a changed document, asking for a name when it has none. True when the
    // document is saved afterwards (also when there was nothing to write).
    bool SaveDocument();
    void SaveAs();
    void NewDocument();
    void OpenDocument();
    // Writes the text as UTF-8 Unicode Tamil with LF line ends to a file the user names.
    // True when it was written.
    bool ExportUnicode();
    // commandLine is the process's command-line text: one path in double quotes, or empty.
    void openAtStartUp(const std::string& commandLine);
    // Cancel becomes non-zero when the program is to keep running.
    void Form_Unload(int& Cancel);

private:
    bool writeTo(const std::string& path);

    DocumentView& view;
    FileDialog& cmdlg;
    MessageBox& messages;
    Process& process;
    FileService& files;
};

} // namespace orvane
