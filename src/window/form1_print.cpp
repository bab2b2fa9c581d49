// Printing and PDF: the document's Unicode Tamil on pages, to a printer or to a PDF that
// keeps its text.

#include "window/form1.h"

#include "document/unicode_tamil.h"
#include "print/print_module.h"
#include "window/text_box.h"

#include <QFile>
#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QProgressDialog>

namespace orvane {

namespace {
PageSetup setupFor(const Editor& editor, const QPageLayout* paper)
{
    PageSetup setup;
    if (paper) {
        const QRectF page = paper->fullRect(QPageLayout::Point);
        setup.width = page.width();
        setup.height = page.height();
    }
    setup.fontSize = double(editor.fontSizeTenThousandths()) / 10000.0;
    setup.header = printableName(editor.document().shownName());
    return setup;
}

// Progress shown once the work takes half a second; the first half is the layout, the
// second the pages' output.
void showProgressLater(QProgressDialog& progress)
{
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
}

std::function<bool(std::size_t, std::size_t)> pageProgress(QProgressDialog& progress)
{
    return [&progress](std::size_t page, std::size_t count) {
        progress.setValue(50 + int(50 * page / count));
        return !progress.wasCanceled();
    };
}

// Lays out the document, showing progress; empty when the user stopped it.
std::vector<Page> layoutWithProgress(const PrintModule& print, const std::string& unicode, const PageSetup& setup,
                                     QProgressDialog& progress)
{
    return print.layoutPages(unicode, setup, [&](std::size_t done, std::size_t total) {
        progress.setValue(total ? int(50 * done / total) : 0);
        return !progress.wasCanceled();
    });
}
} // namespace

const PrintModule* Form1::printing()
{
    std::string error;
    const PrintModule* module = printModule(error);
    if (!module)
        services.messages->warn({MessageId::PrintUnavailable, {error}});
    return module;
}

void Form1::menExportPdf_Click()
{
    const PrintModule* print = printing();
    if (!print)
        return;
    const std::optional<std::string> name = editor_.flows().askExportName(PdfFilter, ".pdf", "Export as PDF");
    if (!name) {
        editor_.focusText();
        return;
    }
    writePdfTo(*print, *name, setupFor(editor_, nullptr));
    editor_.focusText();
}

// The document as a PDF at path, its text kept (Cairo writes each line's text with it),
// through the one writer of files.
void Form1::writePdfTo(const PrintModule& print, const std::string& path, const PageSetup& setup)
{
    QProgressDialog progress(tr("Making the PDF..."), tr("Cancel"), 0, 100, this);
    showProgressLater(progress);
    const PrintModule* const module = &print;
    const std::vector<Page> pages = layoutWithProgress(print, baminiToUnicode(Text1->documentBytes()), setup, progress);
    if (!pages.empty()) {
        // Through the one writer of files: whole, or no part of a file left behind.
        PdfOutcome pdf;
        const ByteSource file{0, [&](const ByteSource::Put& put) {
                                  pdf = module->writePdf(pages, setup, put, pageProgress(progress));
                                  return pdf.written;
                              }};
        const WriteOutcome out = services.files->writeBytes(path, file);
        progress.reset();  // the progress goes before any message
        const bool stopped = !pdf.written && pdf.error.empty() && out.error.empty();
        if (!out.written && !stopped)
            services.messages->warn({MessageId::PdfFailed, {path, out.error.empty() ? pdf.error : out.error}});
    }
    progress.reset();
}

// The document on a printer's pages (or a preview's), with the progress shown where given.
void Form1::printOn(const PrintModule& print, QPagedPaintDevice& device, QProgressDialog* progress)
{
    const QPageLayout paper = device.pageLayout();
    const PageSetup setup = setupFor(editor_, &paper);
    const std::string unicode = baminiToUnicode(Text1->documentBytes());
    const std::vector<Page> pages =
        progress ? layoutWithProgress(print, unicode, setup, *progress) : print.layoutPages(unicode, setup, {});
    if (!pages.empty())
        print.printPages(pages, setup, device, progress ? pageProgress(*progress) : nullptr);
}

PrintRequest Form1::printRequest(const PrintModule& print)
{
    PrintRequest request;
    request.parent = this;
    // Printed to a file, it goes beside the document under its name, as Export as PDF offers.
    request.documentName = QFileInfo(QFile::decodeName(QByteArray::fromStdString(editor_.document().shownName()))).fileName();
    request.pdfName = QFile::decodeName(QByteArray::fromStdString(services.files->absolute(editor_.flows().proposedName(".pdf"))));
    request.toPdf = [this, &print](const std::string& path, const QPageLayout& paper) {
        writePdfTo(print, path, setupFor(editor_, &paper));
    };
    request.onPages = [this, &print](QPagedPaintDevice& device, bool showProgress) {
        if (!showProgress) {
            printOn(print, device, nullptr);
            return;
        }
        QProgressDialog progress(tr("Printing..."), tr("Cancel"), 0, 100, this);
        showProgressLater(progress);
        printOn(print, device, &progress);
    };
    return request;
}

void Form1::menPrint_Click()
{
    if (const PrintModule* print = printing())
        print->printWithDialog(printRequest(*print));
    editor_.focusText();
}

void Form1::menPrintPreview_Click()
{
    if (const PrintModule* print = printing())
        print->preview(printRequest(*print));
    editor_.focusText();
}

} // namespace orvane
