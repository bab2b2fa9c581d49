// Print and PDF: a PDF whose text is the document's Unicode Tamil, pages that look like the
// window, lines never cut between pages, paper that looks like the PDF, and a failed export
// that leaves nothing behind.

#include "../support/window_test.h"
#include "document/unicode_tamil.h"
#include "platform/key_string.h"
#include "print/print_module.h"

#include <QClipboard>
#include <QPrinter>
#include <QProgressDialog>
#include <QPrintDialog>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QtTest>

#include <sys/mount.h>

using namespace orvane;
using namespace orvane::test;

namespace {
QByteArray run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return p.readAllStandardOutput();
}

// The text of the PDF in the order it was written (as copying from a viewer gives it).
QString textOf(const QString& pdf, int page = 0)
{
    QStringList args{"-raw", "-enc", "UTF-8"};
    if (page > 0)
        args << "-f" << QString::number(page) << "-l" << QString::number(page);
    return QString::fromUtf8(run("pdftotext", args << pdf << "-"));
}

// Its lines, trimmed, without the empty ones and the page breaks.
QStringList linesOf(const QString& pdf, int page = 0)
{
    QStringList lines;
    for (const QString& line : textOf(pdf, page).split('\n'))
        if (const QString t = line.trimmed().remove('\f'); !t.isEmpty())
            lines << t;
    return lines;
}

int pagesOf(const QString& pdf)
{
    const QString info = QString::fromUtf8(run("pdfinfo", {pdf}));
    const qsizetype at = info.indexOf("Pages:");
    return at < 0 ? -1 : info.mid(at + 6).section('\n', 0, 0).trimmed().toInt();
}

QImage pageImage(const QString& pdf, const QString& stem)
{
    run("pdftoppm", {"-r", "96", "-f", "1", "-l", "1", "-gray", "-png", pdf, stem});
    return QImage(stem + "-1.png").convertToFormat(QImage::Format_Grayscale8);
}

// The ink of an image within rows [top, bottom), as a mask cut to its bounding box.
QImage ink(const QImage& image, int top, int bottom)
{
    QRect box;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).lightness() < 128)
                box |= QRect(x, y, 1, 1);
    QImage mask(box.size(), QImage::Format_Grayscale8);
    mask.fill(0);
    for (int y = 0; y < box.height(); ++y)
        for (int x = 0; x < box.width(); ++x)
            if (image.pixelColor(box.left() + x, box.top() + y).lightness() < 128)
                mask.setPixel(x, y, qRgb(255, 255, 255));
    return mask;
}

// How much of each mask lies within two pixels of ink of the other: 1 for the same picture.
double overlap(const QImage& a, const QImage& b)
{
    auto share = [](const QImage& from, const QImage& onto) {
        long inked = 0, hit = 0;
        for (int y = 0; y < from.height(); ++y)
            for (int x = 0; x < from.width(); ++x) {
                if (qGray(from.pixel(x, y)) == 0)
                    continue;
                ++inked;
                bool near = false;
                for (int dy = -2; dy <= 2 && !near; ++dy)
                    for (int dx = -2; dx <= 2 && !near; ++dx)
                        near = onto.rect().contains(x + dx, y + dy) && qGray(onto.pixel(x + dx, y + dy)) != 0;
                hit += near;
            }
        return inked ? double(hit) / double(inked) : 0.0;
    };
    return qMin(share(a, b), share(b, a));
}
} // namespace

class TestPrint : public WindowTest {
    Q_OBJECT

    QTemporaryDir dir;

    QString exportPdf(const QString& name)
    {
        dialog.answers = {QFile::encodeName(dir.filePath(name)).toStdString()};
        QTest::keyClick(form->Text1, Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
        return dir.filePath(name.endsWith(".pdf") ? name : name + ".pdf");
    }

private slots:
    void init()
    {
        freshScripts();
        startWindow();
    }

    void cleanup() { form.reset(); }

    void thePdfsTextIsTheTamil()
    {
        // Every syllable of the keyboard, one a word, with digits, punctuation and Latin.
        CompositionTables tables;
        tables.FillSyllableTable();
        std::string document;
        for (int r = 0; r <= 22; ++r) {
            for (int c = 1; c <= 13; ++c) {
                forEachKeyStroke(tables.SyllableTable[r][c], [&](const KeyStroke& k) { document += k.typedChar(); });
                document += ' ';
            }
            document += "\r\n";
        }
        document += "2024 > @ caf\xe9 (1)";
        form->Text1->setDocumentBytes(document);
        const QString pdf = exportPdf("letter");
        QVERIFY(QFileInfo::exists(pdf));
        form->command("menCopyUnicode")->trigger();
        const QString copied = QApplication::clipboard()->text().simplified();
        QStringList lines = linesOf(pdf);
        QCOMPARE(lines.takeFirst(), QString("Untitled.tam"));  // the header, and the footer
        QCOMPARE(lines.takeFirst(), QString("1 / 1"));
        QCOMPARE(lines.join(' ').simplified(), copied);
    }

    // Print, to a file: the dialog offers the document's own folder and name, and the PDF is
    // made as Export as PDF makes it, its text exact.
    void printedToAFileItIsTheExportsPdf()
    {
        const QString path = dir.filePath("notice.tam");
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("tzf;fk; jkpo;\r\n");
        }
        startWindow('"' + QFile::encodeName(path).toStdString() + '"');
        QString offered;
        QTimer::singleShot(0, [&offered] {
            QTRY_VERIFY(qobject_cast<QPrintDialog*>(QApplication::activeModalWidget()));
            auto* printDialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            if (auto* name = printDialog->findChild<QLineEdit*>("filename"))
                offered = name->text();
            printDialog->printer()->setOutputFormat(QPrinter::PdfFormat);
            printDialog->printer()->setOutputFileName(offered);
            printDialog->accept();
        });
        form->command("menPrint")->trigger();
        QCOMPARE(offered, dir.filePath("notice.pdf"));
        QStringList lines = linesOf(offered);
        QCOMPARE(lines.takeLast(), QString::fromUtf8("வணக்கம் தமிழ்"));
    }

    void thePageLooksLikeTheWindow()
    {
        form->Text1->setDocumentBytes("nfhz;L jkpo; =");  // கொண்டு தமிழ் ஸ்ரீ
        const QString pdf = exportPdf("look.pdf");
        const QImage page = pageImage(pdf, dir.filePath("look"));
        QVERIFY(!page.isNull());
        const int top = 75, bottom = 120;  // the first line, below the header: 2 cm is 76 pixels
        const QImage onPage = ink(page, top, bottom);
        const QImage window = form->Text1->viewport()->grab().toImage().convertToFormat(QImage::Format_Grayscale8);
        const QImage onScreen = ink(window, 0, window.height());
        const double same = overlap(onPage, onScreen);
        qInfo("the PDF's first line and the window's overlap %.3f (%dx%d and %dx%d pixels)", same, onPage.width(),
              onPage.height(), onScreen.width(), onScreen.height());
        QVERIFY(same > 0.8);
        QVERIFY(qAbs(onPage.width() - onScreen.width()) <= 4);
    }

    void longDocumentsPaginateByWholeLines()
    {
        std::string document;
        for (int n = 1; n <= 240; ++n)
            document += "tzf;fk; " + std::to_string(n) + "\r\n";
        document += "end";
        form->Text1->setDocumentBytes(document);
        const QString pdf = exportPdf("long.pdf");
        const int pages = pagesOf(pdf);
        QVERIFY(pages > 2);
        QStringList lines;
        int perPage = -1;
        for (int p = 1; p <= pages; ++p) {
            QStringList onPage = linesOf(pdf, p);
            QCOMPARE(onPage.takeFirst().trimmed(), QString("Untitled.tam"));  // the header
            QCOMPARE(onPage.takeFirst().trimmed(), QString("%1 / %2").arg(p).arg(pages));  // the footer, written next
            if (p < pages) {
                QVERIFY(perPage < 0 || onPage.size() == perPage);  // every full page holds as many
                perPage = int(onPage.size());
            }
            lines += onPage;
        }
        QCOMPARE(lines.size(), 241);
        for (int n = 1; n <= 240; ++n)
            QCOMPARE(lines[n - 1].trimmed(), QString::fromUtf8("வணக்கம் %1").arg(n));

        // Paper, drawn with Qt, takes the same pages with the same lines in the same places.
        PageSetup setup;
        std::string error;
        const PrintModule* print = printModule(error);
        QVERIFY2(print, error.c_str());
        const std::vector<Page> laid = print->layoutPages(baminiToUnicode(document), setup, {});
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("paper.pdf"));
        printer.setFullPage(true);
        printer.setPageSize(QPageSize(QPageSize::A4));
        QVERIFY(print->printPages(laid, setup, printer, {}));
        QCOMPARE(pagesOf(dir.filePath("paper.pdf")), pages);
        const QImage paper = pageImage(dir.filePath("paper.pdf"), dir.filePath("paper"));
        const QImage cairo = pageImage(pdf, dir.filePath("cairo"));
        QVERIFY(overlap(ink(paper, 60, 400), ink(cairo, 60, 400)) > 0.8);
    }

    // In the preview (Qt's path, at a printer's resolution, drawn small on the screen)
    // English stands on the Tamil's baseline.
    void englishOnTheTamilBaselineInThePreview()
    {
        std::string error;
        const PrintModule* print = printModule(error);
        QVERIFY2(print, error.c_str());
        PageSetup setup;
        setup.fontSize = 40;
        const std::vector<Page> laid = print->layoutPages("வணக்கம் Hello", setup, {});
        QPrinter printer(QPrinter::HighResolution);
        printer.setFullPage(true);
        printer.setPageSize(QPageSize(QPageSize::A4));
        QPrintPreviewWidget preview(&printer);
        connect(&preview, &QPrintPreviewWidget::paintRequested, this,
                [&](QPrinter* paper) { QVERIFY(print->printPages(laid, setup, *paper, {})); });
        preview.resize(1200, 1600);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        preview.fitToWidth();
        preview.updatePreview();
        QCoreApplication::processEvents();
        const QImage shown = preview.grab().toImage().convertToFormat(QImage::Format_Grayscale8);
        // The columns with ink on the first line, in runs: the first run of runs is வணக்கம், the
        // last Hello; neither has anything below its baseline.
        // Ink is what is dark on the page (its edge, a line the whole page wide, is not ink).
        const int left = shown.width() / 10, width = shown.width() * 4 / 5;
        const auto inkedRow = [&](int y) {
            int dark = 0;
            for (int x = left; x < width; ++x)
                dark += shown.pixelColor(x, y).lightness() < 100;
            return dark > 0 && dark < (width - left) / 2;
        };
        // The first line: from its first inked row to the last before a blank of a line's
        // height (the pulli's dots stand apart above the letters).
        int top = -1, bottom = -1;
        for (int y = 0; y < shown.height(); ++y) {
            if (!inkedRow(y))
                continue;
            if (top < 0)
                top = y;
            else if (y - bottom > 40)
                break;
            bottom = y + 1;
        }
        QVERIFY(top >= 0 && bottom > top);
        std::vector<int> lowest(std::size_t(width), -1);
        for (int x = left; x < width; ++x)
            for (int y = top; y < bottom; ++y)
                if (shown.pixelColor(x, y).lightness() < 100)
                    lowest[std::size_t(x)] = y;
        const auto first = std::find_if(lowest.begin(), lowest.end(), [](int y) { return y >= 0; });
        const auto last = std::find_if(lowest.rbegin(), lowest.rend(), [](int y) { return y >= 0; });
        QVERIFY(first != lowest.end());
        // The widest gap between inked columns parts the two words.
        int gapAt = 0, gap = 0, run = 0;
        for (int x = int(first - lowest.begin()); x < width - int(last - lowest.rbegin()); ++x) {
            run = lowest[std::size_t(x)] < 0 ? run + 1 : 0;
            if (run > gap) {
                gap = run;
                gapAt = x;
            }
        }
        const int tamil = *std::max_element(lowest.begin(), lowest.begin() + gapAt - gap);
        const int english = *std::max_element(lowest.begin() + gapAt, lowest.end());
        QVERIFY2(std::abs(tamil - english) <= 1, qPrintable(QString("Tamil ends at %1, English at %2").arg(tamil).arg(english)));
    }

    void aLongExportShowsProgressAndStops()
    {
        std::string document;
        while (document.size() < (1 << 20))
            document += "mfpy ,yq;if jkpo; fhq;fpu]; tzf;fk; nfhz;L jkpo; =\r\n";
        form->Text1->setDocumentBytes(document);
        bool shown = false;
        QTimer stop;
        connect(&stop, &QTimer::timeout, this, [&] {
            for (QProgressDialog* progress : form->findChildren<QProgressDialog*>())
                if (progress->isVisible()) {
                    shown = true;
                    progress->cancel();
                }
        });
        stop.start(50);
        QElapsedTimer took;
        took.start();
        const QString pdf = exportPdf("stopped.pdf");
        qInfo("a megabyte to a PDF, stopped after %lld ms", took.elapsed());
        QVERIFY(shown);
        QVERIFY(!QFileInfo::exists(pdf));
        QCOMPARE(QDir(dir.path()).entryList({"*stopped*"}, QDir::AllEntries | QDir::Hidden), QStringList());
        QVERIFY(messages.warnings.empty());  // stopped is no failure
    }

    void aFailureIsSaidWithTheProgressGone()
    {
        QTemporaryDir place;
        const QByteArray small = QFile::encodeName(place.path());
        if (::mount("tmpfs", small.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("no tmpfs can be mounted here");
        std::string document;
        while (document.size() < (1 << 20))
            document += "mfpy ,yq;if jkpo; fhq;fpu]; tzf;fk; nfhz;L jkpo; =\r\n";
        form->Text1->setDocumentBytes(document);
        int progressShown = -1;
        messages.onWarn = [&](const Message&) {
            progressShown = 0;
            for (const QProgressDialog* progress : form->findChildren<QProgressDialog*>())
                progressShown += progress->isVisible();
        };
        dialog.answers = {QFile::encodeName(place.filePath("x.pdf")).toStdString()};
        form->command("menExportPdf")->trigger();
        ::umount(small.constData());
        QCOMPARE(messages.warnings.size(), 1u);
        QCOMPARE(progressShown, 0);
    }

    void aFailedExportLeavesNothing_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing folder") << "no/such/folder/x.pdf" << "No such file or directory";
        QTest::newRow("a folder in its place") << "taken.pdf" << "it is a folder";
        QTest::newRow("a full disk") << "small/x.pdf" << "No space left on device";
    }

    void aFailedExportLeavesNothing()
    {
        QFETCH(QString, target);
        QFETCH(QString, reason);
        QTemporaryDir place;
        QVERIFY(QDir(place.path()).mkdir("taken.pdf") && QDir(place.path()).mkdir("small"));
        const QByteArray small = QFile::encodeName(place.filePath("small"));
        if (target.startsWith("small") && ::mount("tmpfs", small.constData(), "tmpfs", 0, "size=16k") != 0)
            QSKIP("no tmpfs can be mounted here");
        std::string document;
        for (int n = 0; n < 400; ++n)
            document += "tzf;fk; jkpo; nfhz;L " + std::to_string(n) + "\r\n";
        form->Text1->setDocumentBytes(document);
        dialog.answers = {QFile::encodeName(place.filePath(target)).toStdString()};
        form->command("menExportPdf")->trigger();
        const QStringList left = QDir(place.filePath("small")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        if (target.startsWith("small"))
            ::umount(small.constData());
        QCOMPARE(messages.warnings.size(), 1u);
        QVERIFY(messages.warnings[0].id == MessageId::PdfFailed);
        QVERIFY2(mentions(messages.warnings[0], reason.toStdString()), messages.warnings[0].args.back().c_str());
        QCOMPARE(left, QStringList());
        QCOMPARE(QDir(place.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList({"small", "taken.pdf"}));
    }
};

QTEST_MAIN(TestPrint)
#include "test_print.moc"
