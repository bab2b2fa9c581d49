// Saving, opening, New and leaving, through the real window and real files, with the
// modal dialogs scripted.

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
QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

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

    void tamEnding_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("ab") << "ab" << "ab.tam";
        QTest::newRow("ab.tam") << "ab.tam" << "ab.tam";
        QTest::newRow("letter.TAM") << "letter.TAM" << "letter.TAM.tam";
    }

    void tamEnding()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        type("xa");
        dialog.answers = {str(path(chosen))};
        form->menSA_Click();
        QCOMPARE(bytesOf(path(written)), QByteArray("m\r\n"));
        QCOMPARE(doc().DocumentFileName(), str(path(written)));
    }

    void emptyTextAndNoGrowthAcrossSaves()
    {
        type("x");
        QTest::keyClick(form->Text1, Qt::Key_Escape);
        dialog.answers = {str(path("empty.tam"))};
        form->menSave_Click();
        QCOMPARE(bytesOf(path("empty.tam")), QByteArray("\r\n"));

        dialog.answers = {str(path("empty.tam"))};
        form->menOpen_Click();
        QCOMPARE(text(), std::string());

        form->Text1->setDocumentBytes("A");
        dialog.answers = {str(path("a.tam"))};
        form->menSA_Click();
        QCOMPARE(bytesOf(path("a.tam")), QByteArray("A\r\n"));
        dialog.answers = {str(path("a.tam"))};
        form->menOpen_Click();
        QCOMPARE(text(), std::string("A"));
        dialog.answers = {str(path("a.tam"))};
        form->menSA_Click();
        QCOMPARE(bytesOf(path("a.tam")), QByteArray("A\r\n"));
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

    void saveAsCancelledKeepsTheDocumentsFile()
    {
        writeBytes(path("d.tam"), "abc\r\n");
        dialog.answers = {str(path("d.tam"))};
        form->menOpen_Click();
        type("ka");
        form->menSA_Click();  // the queue is empty: cancelled
        QCOMPARE(dialog.shown.back().offered, std::string("Untitled.tam"));
        QCOMPARE(doc().DocumentFileName(), str(path("d.tam")));
        QVERIFY(doc().DocumentChanged());
        QCOMPARE(form->windowTitle(), "Orvane [ " + path("d.tam") + " ]");
        form->menSave_Click();  // the known name: no dialog
        QCOMPARE(dialog.shown.size(), 2u);
        QCOMPARE(bytesOf(path("d.tam")), QByteArray("fabc\r\n"));
    }

    void saveAsAsksAboutTheNameItWrites()
    {
        // The dialog asked about "poem"; the file written is "poem.tam", which exists.
        writeBytes(path("poem.tam"), "old\r\n");
        type("ka");
        dialog.answers = {str(path("poem"))};
        messages.answers = {Answer::No};
        form->menSA_Click();
        QCOMPARE(messages.asked.size(), 1u);
        QVERIFY(messages.asked[0].message.id == MessageId::ReplaceExisting);
        QVERIFY(mentions(messages.asked[0].message, str(path("poem.tam"))));
        QCOMPARE(bytesOf(path("poem.tam")), QByteArray("old\r\n"));
        QVERIFY(doc().DocumentFileName().empty());
        QVERIFY(doc().DocumentChanged());

        dialog.answers = {str(path("poem"))};
        messages.answers = {Answer::Yes};
        form->menSA_Click();
        QCOMPARE(bytesOf(path("poem.tam")), QByteArray("f\r\n"));
        QCOMPARE(doc().DocumentFileName(), str(path("poem.tam")));
    }

    void anotherProgramsChangeIsNeverOverwrittenUnasked()
    {
        writeBytes(path("d.tam"), "abc\r\n");
        dialog.answers = {str(path("d.tam"))};
        form->menOpen_Click();
        type("ka");
        writeBytes(path("d.tam"), "theirs\r\n");  // a second writer, while the text is unsaved
        messages.answers = {Answer::No};
        form->menSave_Click();
        QCOMPARE(messages.asked.size(), 1u);
        QVERIFY(messages.asked[0].message.id == MessageId::ChangedOnDisk);
        QCOMPARE(bytesOf(path("d.tam")), QByteArray("theirs\r\n"));
        QVERIFY(doc().DocumentChanged());
        messages.answers = {Answer::Yes};
        form->menSave_Click();
        QCOMPARE(bytesOf(path("d.tam")), QByteArray("fabc\r\n"));
        form->menSave_Click();  // written by Orvane itself: nothing to ask
        QCOMPARE(messages.asked.size(), 2u);
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
        QCOMPARE(form->StatusBar1->panel(3)->note(), "" + path("news.txt") + " is Unicode text: shown in Tamil codes, saved back as Unicode.");
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

        // Characters with no code: the user hears how many before any becomes "?".
        writeBytes(path("mixed.txt"), QString::fromUtf8("நன்றி 😀❤\n").toUtf8());
        messages.answers = {Answer::No};
        dialog.answers = {str(path("mixed.txt"))};
        form->menOpen_Click();
        QVERIFY(messages.asked.back().message.id == MessageId::UnicodeLossy);
        QCOMPARE(messages.asked.back().message.args[1], std::string("2"));
        QCOMPARE(doc().DocumentFileName(), str(path("again.txt")));  // not opened
        messages.answers = {Answer::Yes};
        dialog.answers = {str(path("mixed.txt"))};
        form->menOpen_Click();
        QCOMPARE(text(), std::string("ed;wp ??"));
    }

    void failedSavesKeepTheOldFileAndSaySo_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder in place of the file") << "folder.tam" << "folder";
        QTest::newRow("missing folder") << "no/such/dir/x.tam" << "";
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

    void newDocument()
    {
        form->menNew_Click();  // unchanged: no question
        QCOMPARE(messages.asked.size(), 0u);
        QCOMPARE(form->windowTitle(), QString("Orvane [ Untitled.tam ]"));

        writeBytes(path("n.tam"), "abc\r\n");
        dialog.answers = {str(path("n.tam"))};
        form->menOpen_Click();
        type("ka");
        messages.answers = {Answer::Yes};
        form->menNew_Click();
        QCOMPARE(messages.asked.size(), 1u);
        QVERIFY(messages.asked[0].message.id == MessageId::UnsavedPrompt);
        QVERIFY(messages.asked[0].buttons == Buttons::YesNo);
        QCOMPARE(bytesOf(path("n.tam")), QByteArray("fabc\r\n"));  // typed at the caret, at the start
        QCOMPARE(text(), std::string());
        QVERIFY(doc().DocumentFileName().empty());
        QVERIFY(!doc().DocumentChanged());
        QCOMPARE(form->windowTitle(), QString("Orvane [ Untitled.tam ]"));

        // Yes, then the save dialog cancelled: the text stays.
        type("ka");
        messages.answers = {Answer::Yes};
        form->menNew_Click();
        QCOMPARE(text(), std::string("f"));
        QVERIFY(doc().DocumentChanged());

        messages.answers = {Answer::No};
        form->Toolbar1_ButtonClick(form->command("menNew"));
        QCOMPARE(text(), std::string());
        QVERIFY(!doc().DocumentChanged());
    }

    void openAsksFirstAndRefusesWhatItCannotRead()
    {
        writeBytes(path("ab.tam"), QByteArray("A\r\nB"));
        type("ka");
        messages.answers = {Answer::Cancel};
        form->menOpen_Click();
        QCOMPARE(messages.asked.back().buttons, Buttons::YesNoCancel);
        QCOMPARE(dialog.shown.size(), 0u);
        QCOMPARE(text(), std::string("f"));

        messages.answers = {Answer::Yes};  // Yes, and the save dialog cancelled: no open
        form->menOpen_Click();
        QCOMPARE(dialog.shown.size(), 1u);
        QVERIFY(dialog.shown[0].saving);
        QCOMPARE(text(), std::string("f"));

        messages.answers = {Answer::No};
        dialog.answers = {str(path("ab.tam"))};
        form->menOpen_Click();
        QCOMPARE(dialog.shown.back().filter, std::string("Tamil Text File  (*.tam)| *.tam|All Files (*.*) | *.*"));
        QCOMPARE(text(), std::string("A\r\nB"));
        QCOMPARE(form->windowTitle(), "Orvane [ " + path("ab.tam") + " ]");
        QVERIFY(!doc().DocumentChanged());

        form->menOpen_Click();  // cancelled: everything stays
        QCOMPARE(doc().DocumentFileName(), str(path("ab.tam")));

        QDir(dir->path()).mkdir("folder.tam");
        QVERIFY(::mkfifo(str(path("fifo.tam")).c_str(), 0600) == 0);
        QFile big(path("big.tam"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(64ll * 1024 * 1024 + 1));
        big.close();
        for (const char* name : {"folder.tam", "fifo.tam", "big.tam", "missing.tam"}) {
            messages.warnings.clear();
            dialog.answers = {str(path(name))};
            form->menOpen_Click();
            QCOMPARE(messages.warnings.size(), 1u);
            QVERIFY(mentions(messages.warnings[0], str(path(name))));
            QCOMPARE(text(), std::string("A\r\nB"));
            QCOMPARE(doc().DocumentFileName(), str(path("ab.tam")));
        }
    }

    void startUpOpen()
    {
        writeBytes(path("two lines.tam"), "ab\r\ncd");
        startWindow('"' + str(path("two lines.tam")) + '"');
        QCOMPARE(text(), std::string("ab\r\ncd"));
        QCOMPARE(form->windowTitle(), "Orvane [ " + path("two lines.tam") + " ]");
        QVERIFY(!doc().DocumentChanged());

        const QString odd = path(QString::fromUtf8("\"quoted\" [*] தமிழ்.tam"));
        writeBytes(odd, "x\r\n");
        startWindow('"' + str(odd) + '"');
        QCOMPARE(text(), std::string("x"));
        QCOMPARE(form->windowTitle().replace("[*][*]", "[*]"), "Orvane [ " + odd + " ]");
        QVERIFY(form->windowTitle().contains("[*]"));

        // A file that does not exist yet: an empty document that the first save creates.
        startWindow('"' + str(path("new.tam")) + '"');
        QCOMPARE(form->windowTitle(), "Orvane [ " + path("new.tam") + " ]");
        type("xa");
        form->menSave_Click();
        QCOMPARE(dialog.shown.size(), 0u);
        QCOMPARE(bytesOf(path("new.tam")), QByteArray("m\r\n"));

        // One that cannot be read: a message, then the untitled document.
        QDir(dir->path()).mkdir("folder.tam");
        startWindow('"' + str(path("folder.tam")) + '"');
        QCOMPARE(messages.warnings.size(), 1u);
        QCOMPARE(form->windowTitle(), QString("Orvane [ Untitled.tam ]"));
        QVERIFY(doc().DocumentFileName().empty());
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
        QVERIFY(doc().DocumentChanged());
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
            QCOMPARE(form->StatusBar1->panel(3)->note(), "Opening " + path("big.tam") + " was stopped; none of it was kept.");
            QVERIFY(form->isVisible());
            QCOMPARE(process.ended, 0);
        }
    }

    void leaving()
    {
        form->menEnd_Click();  // nothing to save: ends at once
        QCOMPARE(process.ended, 1);
        QVERIFY(form->close());
        QCOMPARE(process.ended, 2);
        QCOMPARE(messages.asked.size(), 0u);

        startWindow();
        type("ka");
        messages.answers = {Answer::Cancel, Answer::Cancel};
        form->menEnd_Click();
        QVERIFY(!form->close());
        QCOMPARE(process.ended, 2);
        QCOMPARE(messages.asked.size(), 2u);
        QCOMPARE(messages.asked[0].buttons, Buttons::YesNoCancel);
        QVERIFY(form->isVisible());
        QCOMPARE(text(), std::string("f"));
        QVERIFY(doc().DocumentChanged());

        messages.answers = {Answer::Yes};  // Yes, then the save dialog cancelled: stays
        QVERIFY(!form->close());
        QCOMPARE(process.ended, 2);

        messages.answers = {Answer::Yes};
        dialog.answers = {str(path("kept.tam"))};
        QVERIFY(form->close());
        QCOMPARE(process.ended, 3);
        QCOMPARE(bytesOf(path("kept.tam")), QByteArray("f\r\n"));

        startWindow();
        type("ka");
        messages.answers = {Answer::No};
        form->menEnd_Click();
        QCOMPARE(process.ended, 4);
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList({"kept.tam"}));
    }
};

QTEST_MAIN(TestDocuments)
#include "test_documents.moc"
