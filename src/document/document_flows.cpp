#include "document/document_flows.h"

#include "document/tam_format.h"
#include "document/unicode_tamil.h"

namespace orvane {

std::string documentCaption(const std::string& fileName)
{
    return std::string(ApplicationTitle) + " [ " + (fileName.empty() ? "Untitled.tam" : fileName) + " ]";
}

DocumentFlows::DocumentFlows(DocumentView& view, FileDialog& cmdlg, MessageBox& messages,
                             Process& process, FileService& files)
    : view(view), cmdlg(cmdlg), messages(messages), process(process), files(files)
{
}

bool DocumentFlows::SaveDocument()
{
    bool saved = true;
    if (DocumentChanged) {
        if (DocumentFileName.empty()) {
            cmdlg.CancelError = false;
            cmdlg.Filter = SaveFilter;
            cmdlg.FileName = "Untitled.tam";
            cmdlg.ShowSave();
            DocumentFileName = cmdlg.FileName;
            if (!DocumentFileName.empty() && !DocumentFileName.ends_with(".tam"))
                DocumentFileName += ".tam";
            view.setCaption(documentCaption(DocumentFileName));
        }
        saved = !DocumentFileName.empty() && writeTo(DocumentFileName);
        if (saved)
            DocumentChanged = false;
    }
    view.focusText();
    return saved;
}

bool DocumentFlows::writeTo(const std::string& path)
{
    const std::string text = view.documentText();
    const WriteOutcome out = files.writeFile(path, {text, TamClosingLineEnd});
    if (!out.written)
        messages.warn("The document could not be saved to\n" + path + "\n\n" + out.error +
                          ".\n\nYour text is still here with its changes. Save it somewhere else.",
                      "Save");
    return out.written;
}

void DocumentFlows::SaveAs()
{
    DocumentFileName.clear();
    DocumentChanged = true;
    SaveDocument();
    view.focusText();
}

void DocumentFlows::NewDocument()
{
    if (DocumentChanged && messages.ask(UnsavedPrompt, "Save", Buttons::YesNo) == Answer::Yes
        && !SaveDocument())
        return;  // the user asked to keep the text and it was not saved
    view.setDocumentText({});
    DocumentFileName.clear();
    view.setCaption(documentCaption(DocumentFileName));
    view.focusText();
    DocumentChanged = false;
}

void DocumentFlows::OpenDocument()
{
    if (DocumentChanged) {
        const Answer answer = messages.ask(UnsavedPrompt, "Save", Buttons::YesNoCancel);
        if (answer == Answer::Cancel || (answer == Answer::Yes && !SaveDocument()))
            return;
    }
    cmdlg.CancelError = false;
    cmdlg.Filter = OpenFilter;
    cmdlg.ShowOpen();
    const std::string path = cmdlg.FileName;
    if (path.empty())
        return;
    ReadOutcome in = files.readFile(path, MaxDocumentBytes);
    if (in.status != ReadOutcome::Read) {
        messages.warn("The file\n" + path + "\ncould not be opened: " + in.error + ".", "Open");
        return;
    }
    DocumentFileName = path;
    view.setDocumentText(tamText(std::move(in.bytes)));
    view.setCaption(documentCaption(DocumentFileName));
    DocumentChanged = false;
    view.focusText();
}

bool DocumentFlows::ExportUnicode()
{
    std::string offered = DocumentFileName.empty() ? std::string("Untitled.tam") : DocumentFileName;
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
            messages.warn("The Unicode text could not be written to\n" + path + "\n\n" + out.error + ".", "Export");
    }
    view.focusText();
    return written;
}

void DocumentFlows::openAtStartUp(const std::string& commandLine)
{
    const std::string path = commandLine.size() >= 2 ? commandLine.substr(1, commandLine.size() - 2) : "";
    if (!path.empty()) {
        ReadOutcome in = files.readFile(path, MaxDocumentBytes);
        if (in.status == ReadOutcome::Read || in.status == ReadOutcome::Missing) {
            // A file that does not exist yet is created by the first save.
            DocumentFileName = path;
            view.setDocumentText(tamText(std::move(in.bytes)));
        } else {
            messages.warn("The file\n" + path + "\ncould not be opened: " + in.error + ".", "Open");
        }
    }
    view.setCaption(documentCaption(DocumentFileName));
    DocumentChanged = false;
}

void DocumentFlows::Form_Unload(int& Cancel)
{
    if (DocumentChanged) {
        switch (messages.ask(UnsavedPrompt, "Save", Buttons::YesNoCancel)) {
        case Answer::Yes:
            if (SaveDocument())
                break;
            Cancel = 1;  // not saved: stay with the document
            return;
        case Answer::No:
            break;
        case Answer::Cancel:
            Cancel = 1;
            return;
        }
    }
    process.endProgram();
}

} // namespace orvane
