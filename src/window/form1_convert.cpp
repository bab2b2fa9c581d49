// File > Convert Document...: a word processor's document (or a PDF) converted into another
// of its kind, Bamini to Unicode Tamil or back, the way the command line converts it, and
// the result opened.

#include "window/form1.h"
#include "platform/reasons.h"

#include "office/office_document.h"
#include "office/pdf_text.h"
#include "office/zip_archive.h"
#include "platform/messages.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QThread>

#include <atomic>
#include <memory>
#include <thread>

namespace orvane {

namespace {
constexpr std::string_view ConvertFilter =
    "All documents (*.tam *.txt *.docx *.odt *.rtf *.pdf)| *.tam *.txt *.docx *.odt *.rtf *.pdf|All Files (*.*) | *.*";

// The conversion, on a thread of its own: the window keeps drawing, and Stop leaves it to
// finish with no one waiting for what it makes.
struct Conversion {
    std::string in, out, error;
    bool toUnicode = true, done = false;
    std::atomic<bool> finished = false;
};

void convert(Conversion& c)
{
    office::ConvertOptions options;
    options.toUnicode = c.toUnicode;
    office::ConvertReport report;
    if (c.in.starts_with("%PDF-")) {
        c.done = office::pdfText(c.in, options, c.out, report, c.error);
        return;
    }
    std::string why;
    switch (office::kindOf(c.in, &why)) {
    case office::DocumentKind::Docx:
        c.done = office::convertDocx(c.in, c.out, options, report, c.error);
        break;
    case office::DocumentKind::Odt:
        c.done = office::convertOdt(c.in, c.out, options, report, c.error);
        break;
    case office::DocumentKind::Rtf:
        c.done = office::convertRtf(c.in, c.out, options, report, c.error);
        break;
    case office::DocumentKind::Doc:
        c.error = reasons::say<Reason::OldBinaryWord>();
        break;
    case office::DocumentKind::Zip:
        c.error = why;
        break;
    case office::DocumentKind::Plain:
        c.error = "it is no Word, OpenDocument, RTF or PDF document; File > Open reads text";
        break;
    }
}

std::string withSuffix(const std::string& path, const std::string& suffix, const std::string& ending)
{
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    const std::string stem = dot != std::string::npos && (slash == std::string::npos || dot > slash) ? path.substr(0, dot) : path;
    const std::string ext = dot != std::string::npos && (slash == std::string::npos || dot > slash) ? path.substr(dot) : "";
    return stem + suffix + (ending.empty() ? ext : ending);
}
} // namespace

void Form1::menConvert_Click()
{
    FileDialog& dialog = *services.cmdlg;
    dialog.CancelError = false;
    dialog.Filter = ConvertFilter;
    dialog.FileName.clear();
    dialog.FilterIndex = 0;
    dialog.ShowOpen();
    const std::string input = dialog.FileName;
    if (input.empty()) {
        editor_.focusText();
        return;
    }
    auto job = std::make_shared<Conversion>();
    const ReadOutcome read = services.files->readFile(input, office::MaxExpandedBytes);
    if (read.status != ReadOutcome::Read) {
        services.messages->warn({MessageId::ConvertFailed, {input, read.error}});
        editor_.focusText();
        return;
    }
    job->in = read.bytes;
    const bool pdf = job->in.starts_with("%PDF-");
    if (!pdf) {
        const Answer way = services.messages->ask({MessageId::ConvertWhichWay, {input}}, Buttons::YesNoCancel);
        if (way == Answer::Cancel) {
            editor_.focusText();
            return;
        }
        job->toUnicode = way == Answer::Yes;
    }
    dialog.Filter = ConvertFilter;
    dialog.FileName = withSuffix(input, pdf ? "" : job->toUnicode ? "-unicode" : "-bamini", pdf ? ".txt" : "");
    dialog.FilterIndex = 0;
    dialog.ShowSave();
    const std::string output = dialog.FileName;
    if (output.empty()) {
        editor_.focusText();
        return;
    }
    if (services.files->identify(output).sameFile(services.files->identify(input))) {
        services.messages->warn({MessageId::ConvertFailed, {input, "OUTPUT is the same file; name another"}});
        editor_.focusText();
        return;
    }
    QProgressDialog progress(tr("Converting the document..."), tr("Stop"), 0, 0, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    std::thread([job] {
        convert(*job);
        job->finished = true;
    }).detach();
    while (!job->finished && !progress.wasCanceled()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (!job->finished)
            QThread::msleep(5);
    }
    progress.reset();
    if (!job->finished) {  // stopped: nothing is written
        editor_.focusText();
        return;
    }
    if (!job->done) {
        services.messages->warn({MessageId::ConvertFailed, {input, job->error}});
        editor_.focusText();
        return;
    }
    const WriteOutcome written = services.files->writeFile(output, {job->out});
    if (!written.written) {
        services.messages->warn({MessageId::ConvertFailed, {output, written.error}});
        editor_.focusText();
        return;
    }
    editor_.flows().openFile(output);
    editor_.focusText();
}

} // namespace orvane
