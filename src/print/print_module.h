#pragma once
// Pages and their output are a module of their own (orvane-print.so), loaded the first time
// the user prints or exports: Pango and Cairo bring a score of libraries that the editor
// would otherwise load, and pay for, at every start.

#include "print/output.h"
#include "print/pages.h"

#include <QString>

#include <functional>
#include <string>

class QPageLayout;
class QWidget;

namespace orvane {

// What the print dialog and the preview are given by the window. The dialogs live in the
// module with the rest of printing: Qt's print support is another library no start-up
// should pay for.
struct PrintRequest {
    QWidget* parent = nullptr;
    QString documentName;  // the printer's name for the job
    QString pdfName;       // where a print to a file goes, as Export as PDF offers
    // Printed to a file: the PDF made as Export as PDF makes it, so that its text reads back.
    std::function<void(const std::string& path, const QPageLayout& paper)> toPdf;
    // The document on a printer's pages (progress shown) or the preview's (none).
    std::function<void(QPagedPaintDevice& device, bool showProgress)> onPages;
};

struct PrintModule {
    std::vector<Page> (*layoutPages)(const std::string& unicode, const PageSetup& setup,
                                     const std::function<bool(std::size_t, std::size_t)>& progress);
    PdfOutcome (*writePdf)(const std::vector<Page>& pages, const PageSetup& setup, const ByteSource::Put& put,
                           const std::function<bool(std::size_t, std::size_t)>& progress);
    bool (*printPages)(const std::vector<Page>& pages, const PageSetup& setup, QPagedPaintDevice& device,
                       const std::function<bool(std::size_t, std::size_t)>& progress);
    // The print dialog, and what it chose done; the preview, until it is closed.
    void (*printWithDialog)(const PrintRequest& request);
    void (*preview)(const PrintRequest& request);
};

// The module, loaded once; nullptr when it cannot be, with the reason in error.
const PrintModule* printModule(std::string& error);

} // namespace orvane

// The one symbol the module exports.
extern "C" const orvane::PrintModule* orvanePrintModule();
