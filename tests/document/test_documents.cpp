// Saving, opening, New and leaving, through the real window and real files, with the
// modal dialogs scripted.

#include "../support/files.h"
#include "../support/window_test.h"
#include "window/form1.h"
#include "window/status_panels.h"
#include "window/text_box.h"

#include <QProgressDialog>
#include <QStatusBar>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace orvane;
using namespace orvane::test;

namespace {
std::string str(const QString& s) { return QFile::encodeName(s).toStdString(); }
} // namespace

class TestDocuments : public WindowTest {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;

    QString path(const QString& name) const { return dir->filePath(name); }
    Document& doc() { return form->document(); }
    std::string text() const { return form->Text1->documentBytes(); }

private slots:
    void init()
    {
        freshScripts();
        dir = std::make_unique<QTemporaryDir>();
        startWindow();
    }

    void cleanup() { form.reset(); }

    void saveWritesOnlyAChangedDocument()
    {
        form->menSave_Click();
        QCOMPARE(dialog.shown.size(), 0u);
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files).size(), 0);

        type("xaxaxa");  // "mmm"
        QVERIFY(doc().DocumentChanged());
        dialog.answers = {str(path("poem"))};
        form->menSave_Click();
        QCOMPARE(dialog.shown.size(), 1u);
        QVERIFY(dialog.shown[0].saving);
        QCOMPARE(dialog.shown[0].filter, std::string("Tamil Text File  (*.tam)| *.tam"));
        QCOMPARE(dialog.shown[0].offered, std::string("Untitled.tam"));
        QCOMPARE(bytesOf(path("poem.tam")), QByteArray("mmm\r\n"));
        QCOMPARE(form->windowTitle(), "Orvane [ " + path("poem.tam") + " ]");
        QVERIFY(!doc().DocumentChanged());

        type("ka");
        form->menSave_Click();
        QCOMPARE(dialog.shown.size(), 1u);
        QCOMPARE(bytesOf(path("poem.tam")), QByteArray("mmmf\r\n"));
        QCOMPARE(form->windowTitle(), "Orvane [ " + path("poem.tam") + " ]");
        QCOMPARE(QApplication::focusWidget(), form->Text1);
    }

    void everyByteRoundTripsThroughTheTextBox()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            if (b != '\r')
                all += char(b);
        all += "\nx\ry\r\nz\r\n";
        writeBytes(path("all.tam"), all);
        dialog.answers = {str(path("all.tam"))};
        form->menOpen_Click();
        QCOMPARE(form->windowTitle(), "Orvane [ " + path("all.tam") + " ]");

        // Edit at the end and take it back out, then save twice.
        QTest::keyClick(form->Text1, Qt::Key_End, Qt::ControlModifier);
        type("ka");
        QTest::keyClick(form->Text1, Qt::Key_Backspace);
        form->menSave_Click();
        QByteArray expected = all;
        expected.replace("\ry", "\r\ny");  // a lone CR reads as CR LF
        QCOMPARE(bytesOf(path("all.tam")), expected);
        dialog.answers = {str(path("all.tam"))};
        form->menOpen_Click();
        QTest::keyClick(form->Text1, Qt::Key_End, Qt::ControlModifier);
        type("k");
        QTest::keyClick(form->Text1, Qt::Key_Escape);
        QTest::keyClick(form->Text1, Qt::Key_Backspace);  // Esc inserted nothing: this takes the "z"
        type("z");  // swallowed: "z" is a consonant key waiting for its vowel
        type("U");  // ழ with the long u
        form->menSave_Click();
        expected.chop(3);
        expected += "*\r\n";
        QCOMPARE(bytesOf(path("all.tam")), expected);
    }

    void everyChangeIsAnUnsavedChange()
    {
        writeBytes(path("d.tam"), "abc\r\n");
        dialog.answers = {str(path("d.tam"))};
        form->menOpen_Click();
        QVERIFY(!doc().DocumentChanged());

        QTest::keyClick(form->Text1, Qt::Key_Delete);  // no key press reaches the filter
        QVERIFY(doc().DocumentChanged());
        doc().setDocumentChanged(false);
        form->Text1->undo();
        QVERIFY(doc().DocumentChanged());
        doc().setDocumentChanged(false);
        form->Text1->redo();
        QVERIFY(doc().DocumentChanged());
        doc().setDocumentChanged(false);
        form->Text1->selectAll();
        form->menCut_Click();
        QVERIFY(doc().DocumentChanged());
        doc().setDocumentChanged(false);
        form->menPaste_Click();
        QVERIFY(doc().DocumentChanged());
        doc().setDocumentChanged(false);
        QTest::keyClick(form->Text1, Qt::Key_Left);  // moving the caret changes nothing
        QVERIFY(!doc().DocumentChanged());
        QTest::keyClick(form->Text1, Qt::Key_Escape);  // but every key the filter sees does
        QVERIFY(doc().DocumentChanged());
    }

    void comingBackToTheWindowOffersTheNewVersion()
    {
        writeBytes(path("d.tam"), "abc\r\n");
        dialog.answers = {str(path("d.tam"))};
        form->menOpen_Click();
        auto comeBack = [this] {
            QApplication::setActiveWindow(nullptr);
            QApplication::setActiveWindow(form.get());
        };
        writeBytes(path("d.tam"), "theirs\r\n");
        messages.answers = {Answer::Yes};
        comeBack();
        QTRY_COMPARE(messages.asked.size(), 1u);
        QVERIFY(messages.asked[0].message.id == MessageId::ReloadChanged);
        QCOMPARE(text(), std::string("theirs"));
        QVERIFY(!doc().DocumentChanged());

        // Declined, the window keeps a text the file no longer holds: an unsaved change,
        // not asked about again.
        writeBytes(path("d.tam"), "third\r\n");
        messages.answers = {Answer::No};
        comeBack();
        QTRY_COMPARE(messages.asked.size(), 2u);
        QVERIFY(doc().DocumentChanged());
        comeBack();
        QTest::qWait(20);
        QCOMPARE(messages.asked.size(), 2u);
        QCOMPARE(text(), std::string("theirs"));
    }

    void aFileThatVanishedOrWasReplaced()
    {
        writeBytes(path("victim.tam"), "victim\r\n");  // made first: a new file may take a freed inode
        writeBytes(path("d.tam"), "abc\r\n");
        dialog.answers = {str(path("d.tam"))};
        form->menOpen_Click();
        QVERIFY(QFile::remove(path("d.tam")));
        form->menSave_Click();  // nothing unsaved, but the text is the only copy: written
        QCOMPARE(bytesOf(path("d.tam")), QByteArray("abc\r\n"));

        QVERIFY(QFile::remove(path("d.tam")));
        messages.answers = {Answer::Cancel};
        form->menEnd_Click();  // leaving asks, though nothing is unsaved
        QVERIFY(messages.asked.back().message.id == MessageId::FileGoneOnExit);
        QCOMPARE(process.ended, 0);

        // A link planted where the file was must not lead the save to another file.
        QVERIFY(QFile::link(path("victim.tam"), path("d.tam")));
        type("ka");
        messages.answers = {Answer::No};
        form->menSave_Click();
        QVERIFY(messages.asked.back().message.id == MessageId::ReplacedOnDisk);
        QVERIFY(QFileInfo(path("d.tam")).isSymLink());
        messages.answers = {Answer::Yes};
        form->menSave_Click();
        QCOMPARE(bytesOf(path("victim.tam")), QByteArray("victim\r\n"));
        QVERIFY(!QFileInfo(path("d.tam")).isSymLink());
        QCOMPARE(bytesOf(path("d.tam")), QByteArray("fabc\r\n"));
    }

    void unicodeDocuments()
    {
        // A UTF-8 file with Tamil opens as the codes that draw it, and saves back as UTF-8
        // that differs only by the edit.
        const QByteArray news = QString::fromUtf8("\uFEFFவணக்கம்\r\nதமிழ் செய்தி\r\n").toUtf8();
        writeBytes(path("news.txt"), news);
        startWindow('"' + str(path("news.txt")) + '"');
        QCOMPARE(text(), std::string("tzf;fk;\r\njkpo; nra;jp"));
        QCOMPARE(form->StatusBar1->panel(3)->note(), QString("news.txt: Unicode text, kept as it is"));
        QTest::keyClick(form->Text1, Qt::Key_End, Qt::ControlModifier);
        type(" ka");
        form->menSave_Click();
        QCOMPARE(QString::fromUtf8(bytesOf(path("news.txt"))), QString::fromUtf8("\uFEFFவணக்கம்\r\nதமிழ் செய்தி க\r\n"));

        // Save As offers both kinds of file and writes the one chosen.
        dialog.answers = {str(path("copy"))};
        dialog.filters = {0};
        form->menSA_Click();
        QCOMPARE(dialog.shown.back().filter, std::string("Tamil Text File  (*.tam)| *.tam|Unicode Tamil text (*.txt)| *.txt"));
        QCOMPARE(bytesOf(path("copy.tam")), QByteArray("tzf;fk;\r\njkpo; nra;jp f\r\n"));
        dialog.answers = {str(path("again"))};
        dialog.filters = {1};
        form->menSA_Click();
        QCOMPARE(QString::fromUtf8(bytesOf(path("again.txt"))), QString::fromUtf8("வணக்கம்\nதமிழ் செய்தி க\n"));

        // Characters no code means are other text, kept as they are: nothing is lost, nothing
        // asked, and an edit elsewhere leaves them.
        writeBytes(path("mixed.txt"), QString::fromUtf8("நன்றி 😀❤ Hello\n").toUtf8());
        dialog.answers = {str(path("mixed.txt"))};
        form->menOpen_Click();
        QVERIFY(messages.asked.empty() || messages.asked.back().message.id != MessageId::UnicodeLossy);
        QCOMPARE(text(), std::string("ed;wp \x0E\xF0\x9F\x98\x80\xE2\x9D\xA4\x0F \x0EHello\x0F"));
        QTest::keyClick(form->Text1, Qt::Key_End, Qt::ControlModifier);
        type("ka");
        form->menSave_Click();
        QCOMPARE(QString::fromUtf8(bytesOf(path("mixed.txt"))), QString::fromUtf8("நன்றி 😀❤ Helloக\n"));

        // What Bamini draws alike (ெ + ள and ௌ, a lone ஒ + ள and ஔ), a U+FEFF inside and
        // three kinds of line end: the lines not edited are saved as the file had them.
        const QByteArray alike = QString::fromUtf8("கெ\u0BB3தம்\r\nஒ\u0BB3\nக\uFEFFத\rமா\n").toUtf8();
        writeBytes(path("alike.txt"), alike);
        dialog.answers = {str(path("alike.txt"))};
        form->menOpen_Click();
        QTest::keyClick(form->Text1, Qt::Key_End, Qt::ControlModifier);
        type("ka");
        QTest::keyClick(form->Text1, Qt::Key_Backspace);
        form->menSave_Click();
        QCOMPARE(bytesOf(path("alike.txt")), alike);
        type("ka");
        form->menSave_Click();
        QCOMPARE(QString::fromUtf8(bytesOf(path("alike.txt"))), QString::fromUtf8("கெ\u0BB3தம்\r\nஒ\u0BB3\nக\uFEFFத\rமாக\n"));
    }

    void failedSavesKeepTheOldFileAndSaySo_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder in place of the file") << "folder.tam" << "folder";
        QTest::newRow("missing folder") << "no/such/dir/x.tam" << "No such file or directory";
        QTest::newRow("device") << "/dev/full" << "not a regular file";
    }

    void failedSavesKeepTheOldFileAndSaySo()
    {
        QFETCH(QString, target);
        QFETCH(QString, reason);
        QDir(dir->path()).mkdir("folder.tam");
        const QString full = target.startsWith('/') ? target : path(target);
        type("ka");
        if (target.startsWith('/')) {
            doc().setDocumentFileName(str(target));  // a known path: no dialog, no ".tam" added
            messages.answers = {Answer::Yes};        // to write over what is there, never read
        } else
            dialog.answers = {str(full)};
        form->menSave_Click();
        QVERIFY(doc().DocumentChanged());
        QCOMPARE(messages.warnings.size(), 1u);
        QVERIFY(mentions(messages.warnings[0], str(full)));
        QVERIFY(mentions(messages.warnings[0], str(reason)));
        QVERIFY(!QFileInfo(full).isFile());
        struct stat info {};
        QVERIFY(::stat("/dev/full", &info) == 0 && S_ISCHR(info.st_mode));
        QCOMPARE(text(), std::string("f"));
    }

    void fileSizeLimitKeepsTheOldFile()
    {
        writeBytes(path("big.tam"), "old\r\n");
        dialog.answers = {str(path("big.tam"))};
        form->menOpen_Click();
        form->Text1->setDocumentBytes(std::string(100000, 'f'));
        doc().setDocumentChanged(true);

        saveUnderFileSizeLimit(4096);

        QVERIFY(doc().DocumentChanged());
        QCOMPARE(messages.warnings.size(), 1u);
        QCOMPARE(bytesOf(path("big.tam")), QByteArray("old\r\n"));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList({"big.tam"}));
        form->menSave_Click();  // the limit lifted, the same save goes through
        QCOMPARE(bytesOf(path("big.tam")).size(), 100002);
    }

    void startUpCaptionShowsTheNameAsItIs()
    {
        const QString odd = path(QString::fromUtf8("\"quoted\" [*] தமிழ்.tam"));
        writeBytes(odd, "x\r\n");
        startWindow('"' + str(odd) + '"');
        QCOMPARE(text(), std::string("x"));
        QCOMPARE(form->windowTitle().replace("[*][*]", "[*]"), "Orvane [ " + odd + " ]");
        QVERIFY(form->windowTitle().contains("[*]"));
    }

    // A paragraph the box would be slow to edit is named before the file opens; opened,
    // its caret does not blink (each blink would lay the paragraph out again).
    void longParagraphsAskFirst()
    {
        const QByteArray paragraph = QByteArray("fhfp kf;fs ").repeated(30000);  // 330 KB
        writeBytes(path("long.tam"), "short\r\n" + paragraph + "\r\nend\r\n");
        writeBytes(path("short.tam"), "fh\r\n");
        const int blinking = QApplication::cursorFlashTime();
        for (const Answer answer : {Answer::No, Answer::Yes}) {
            messages.asked.clear();
            messages.answers = {answer};
            dialog.answers = {str(path("long.tam"))};
            form->menOpen_Click();
            QCOMPARE(messages.asked.size(), 1u);
            QCOMPARE(messages.asked[0].message.id, MessageId::LongParagraph);
            QCOMPARE(messages.asked[0].message.args[1], std::to_string(paragraph.size() >> 10));
            QCOMPARE(!doc().DocumentFileName().empty(), answer == Answer::Yes);
        }
        QCOMPARE(QApplication::cursorFlashTime(), 0);
        dialog.answers = {str(path("short.tam"))};
        form->menOpen_Click();
        QCOMPARE(QApplication::cursorFlashTime(), blinking);
        QVERIFY(messages.asked.size() == 1u);  // a short paragraph asks nothing
    }

    // A document over a megabyte is read once the window stands, in pieces the user can
    // stop: stopped, none of it stays under its name; the window then is the empty one.
    void largeDocumentsOpenAfterTheWindowAndCanStop()
    {
        QByteArray big;
        while (big.size() < (1 << 20) - 20)
            big += "fhfp kf;fs\r\n";
        big = big.leftJustified((1 << 20) - 1, 'f') + "\r\n";  // a line end across the first two pieces
        for (int line = 0; big.size() < 3 * 1024 * 1024; ++line)
            big += "fhfp kf;fs " + QByteArray::number(line) + "\r\n";
        big += "end";
        writeBytes(path("big.tam"), big + "\r\n");

        form = std::make_unique<Form1>(Form1Services{&dialog, &messages, &process, &clock, nullptr});
        form->Form_Load('"' + str(path("big.tam")) + '"');
        QCOMPARE(text(), std::string());  // not yet: the window comes first
        QCOMPARE(form->windowTitle(), "Orvane [ " + path("big.tam") + " ]");
        form->show();
        QTRY_COMPARE(text(), big.toStdString());
        QVERIFY(!doc().DocumentChanged());
        QCOMPARE(form->Text1->textCursor().position(), 0);
        type("xa");
        QTRY_VERIFY(doc().DocumentChanged());  // keys pressed as the text came in are held a moment
        form->command("menUndo")->trigger();
        QCOMPARE(text(), big.toStdString());  // the load itself is no step to undo

        auto stopWhenShown = [this](bool byClosing) {
            QTimer::singleShot(0, form.get(), [this, byClosing] {
                if (byClosing)
                    form->close();
                else if (auto* progress = form->findChild<QProgressDialog*>())
                    progress->cancel();
            });
        };
        for (const bool byClosing : {false, true}) {
            messages.answers = {Answer::No};
            form->menNew_Click();
            stopWhenShown(byClosing);
            dialog.answers = {str(path("big.tam"))};
            form->menOpen_Click();
            QCOMPARE(text(), std::string());
            QVERIFY(doc().DocumentFileName().empty());
            QVERIFY(!doc().DocumentChanged());
            QCOMPARE(form->StatusBar1->panel(3)->note(), QString("Opening big.tam stopped"));
            QVERIFY(form->isVisible());
            QCOMPARE(process.ended, 0);
        }
    }

    void keysPressedWhileItLoadsGoInWhenTheTextIsIn()
    {
        QByteArray big;
        for (int line = 0; big.size() < 3 * 1024 * 1024; ++line)
            big += "fhfp kf;fs " + QByteArray::number(line) + "\r\n";
        big += "end";
        writeBytes(path("big.tam"), big + "\r\n");
        form = std::make_unique<Form1>(Form1Services{&dialog, &messages, &process, &clock, nullptr});
        form->Form_Load('"' + str(path("big.tam")) + '"');
        form->show();

        // Keys through the window system, as the keyboard sends them, while the text comes in.
        int syllables = 0, sent = 0;
        QTimer keyboard;
        connect(&keyboard, &QTimer::timeout, form.get(), [&] {
            if (!form->editor().isLoading())
                return;
            QWindow* window = QGuiApplication::focusWindow() ? QGuiApplication::focusWindow() : form->windowHandle();
            if (sent++ == 0) {
                QTest::keyClick(window, Qt::Key_End, Qt::ControlModifier);
                return;
            }
            QTest::keyClick(window, Qt::Key_K, Qt::NoModifier);
            QTest::keyClick(window, Qt::Key_A, Qt::NoModifier);
            ++syllables;
        });
        keyboard.start(5);
        QTRY_VERIFY(sent > 0 && !form->editor().isLoading());
        keyboard.stop();
        QVERIFY(syllables > 0);
        QTRY_COMPARE(text(), big.toStdString() + std::string(std::size_t(syllables), 'f'));
        QVERIFY(doc().DocumentChanged());

        // Escape is no key for the text: it stops the reading.
        messages.answers = {Answer::No};
        form->menNew_Click();
        QTimer escape;
        connect(&escape, &QTimer::timeout, form.get(), [&] {
            if (form->editor().isLoading())
                QTest::keyClick(QGuiApplication::focusWindow() ? QGuiApplication::focusWindow() : form->windowHandle(),
                                Qt::Key_Escape);
        });
        escape.start(5);
        dialog.answers = {str(path("big.tam"))};
        form->menOpen_Click();
        escape.stop();
        QCOMPARE(text(), std::string());
        QCOMPARE(form->StatusBar1->panel(3)->note(), QString("Opening big.tam stopped"));
    }

    // The window's close and File > Exit reach the same question; the program ends only
    // when the flows say it may.
    void leaving()
    {
        form->command("menEnd")->trigger();  // nothing to save: ends at once
        QCOMPARE(process.ended, 1);
        QVERIFY(form->close());
        QCOMPARE(process.ended, 2);

        startWindow();
        type("ka");
        messages.answers = {Answer::Cancel, Answer::Cancel};
        form->menEnd_Click();
        QVERIFY(!form->close());
        QCOMPARE(process.ended, 2);
        QCOMPARE(messages.asked.size(), 2u);
        QVERIFY(form->isVisible());

        messages.answers = {Answer::Yes};
        dialog.answers = {str(path("kept.tam"))};
        QVERIFY(form->close());
        QCOMPARE(process.ended, 3);
        QCOMPARE(bytesOf(path("kept.tam")), QByteArray("f\r\n"));
    }
};

QTEST_MAIN(TestDocuments)
#include "test_documents.moc"
