#include "print/print_dialogs.h"

#include <QFile>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace orvane {

void printWithDialog(const PrintRequest& request)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setDocName(request.documentName);
    printer.setOutputFileName(request.pdfName);
    printer.setOutputFormat(QPrinter::NativeFormat);  // a printer, where there is one
    QPrintDialog dialog(&printer, request.parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        request.toPdf(QFile::encodeName(printer.outputFileName()).toStdString(), printer.pageLayout());
    else
        request.onPages(printer, true);
}

void preview(const PrintRequest& request)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    QPrintPreviewDialog dialog(&printer, request.parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&request](QPrinter* paper) { request.onPages(*paper, false); });
    dialog.exec();
}

} // namespace orvane
