// Every bad input the program can be handed, in one table: each gets a clear message
// naming the file and the reason, and leaves the document and the files on disk as they
// were. No crash, no hang.

#include "../support/window_test.h"
#include "platform/file_service.h"
#include "platform/message_text.h"
#include "window/form1.h"
#include "window/text_box.h"

#include <QClipboard>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>

using namespace orvane;
using namespace orvane::test;

namespace {
enum Way { Open, Save, StartUp };

// The folder's files and their contents, to see that nothing on disk changed.
QMap<QString, QByteArray> snapshot(const QString& dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        const QFileInfo info(path);
        files[path] = info.isSymLink() ? "-> " + info.symLinkTarget().toUtf8()
                      : info.isFile() && f.open(QIODevice::ReadOnly | QIODevice::Unbuffered) && info.size() < 4096 ? f.readAll()
                                                                     : QByteArray::number(info.size());
    }
    return files;
}
} // namespace

class TestBadInput : public WindowTest {
    Q_OBJECT

    QTemporaryDir dir;

    QString prepare(const QString& name)
    {
        const QString path = name.startsWith('/') ? name : dir.filePath(name);
        QDir(dir.path()).mkpath("folder.tam");
        if (name == "fifo.tam" && !QFileInfo::exists(path))
            ::mkfifo(QFile::encodeName(path).constData(), 0600);
        if (name == "loop.tam" && !QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
            QFile::link(dir.filePath("loop.tam"), path);
        if (name == "huge.tam") {
            QFile huge(path);
            if (huge.open(QIODevice::WriteOnly))
                huge.resize(64ll * 1024 * 1024 + 1);  // sparse: no disk used
        }
        return path;
    }

private slots:
    void init()
    {
        freshScripts();
        startWindow();
        QFile old(dir.filePath("old.tam"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("fhiy\r\n");
        old.close();
        dialog.answers = {old.fileName().toStdString()};
        form->menOpen_Click();
        QTest::keyClicks(form->Text1, "ka");  // unsaved work: "ffhiy"
    }

    void cleanup() { form.reset(); }

    void refusedWithAMessage_data()
    {
        QTest::addColumn<int>("way");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        const QString longName = QString(300, QLatin1Char('n')) + ".tam";
        QTest::newRow("open: missing") << int(Open) << "missing.tam" << "No such file or directory";
        QTest::newRow("open: folder") << int(Open) << "folder.tam" << "it is a folder";
        QTest::newRow("open: FIFO") << int(Open) << "fifo.tam" << "it is not a regular file";
        QTest::newRow("open: device") << int(Open) << "/dev/zero" << "it is not a regular file";
        QTest::newRow("open: over 64 MB") << int(Open) << "huge.tam" << "larger than 64 MB";
        QTest::newRow("open: symbolic link loop") << int(Open) << "loop.tam" << "Too many levels of symbolic links";
        QTest::newRow("open: name of 300 characters") << int(Open) << longName << "File name too long";
        QTest::newRow("save: folder in place of the file") << int(Save) << "folder.tam" << "it is a folder";
        QTest::newRow("save: missing folder") << int(Save) << "no/such/folder.tam" << "";
        QTest::newRow("save: full device") << int(Save) << "/dev/full" << "it is not a regular file";
        QTest::newRow("save: symbolic link loop") << int(Save) << "loop.tam" << "";
        QTest::newRow("save: name of 300 characters") << int(Save) << longName << "";
        QTest::newRow("start-up: folder") << int(StartUp) << "folder.tam" << "it is a folder";
        QTest::newRow("start-up: FIFO") << int(StartUp) << "fifo.tam" << "it is not a regular file";
        QTest::newRow("start-up: symbolic link loop") << int(StartUp) << "loop.tam" << "Too many levels of symbolic links";
    }

    void refusedWithAMessage()
    {
        QFETCH(int, way);
        QFETCH(QString, name);
        QFETCH(QString, reason);
        const QString path = prepare(name);
        const auto before = snapshot(dir.path());
        const std::string text = form->Text1->documentBytes();
        const std::string file = form->document().DocumentFileName();

        if (way == Open) {
            messages.answers = {Answer::No};  // drop the unsaved work, as asked
            dialog.answers = {path.toStdString()};
            form->menOpen_Click();
        } else if (way == Save) {
            form->document().setDocumentFileName(QFile::encodeName(path).toStdString());  // no ".tam" added
            messages.answers = {Answer::Yes};  // to write over what is there, never read
            form->menSave_Click();
        } else {
            startWindow('"' + QFile::encodeName(path).toStdString() + '"');
        }

        QCOMPARE(messages.warnings.size(), 1u);
        const QString said = messageText(messages.warnings[0]);
        QVERIFY2(said.contains(path), qPrintable(said));
        QVERIFY2(said.contains(reason), qPrintable(said));
        QCOMPARE(snapshot(dir.path()), before);
        if (way == StartUp) {
            QCOMPARE(form->Text1->documentBytes(), std::string());
            QCOMPARE(form->windowTitle(), QString("Orvane [ Untitled.tam ]"));
        } else {
            QCOMPARE(form->Text1->documentBytes(), text);
            QCOMPARE(form->document().DocumentFileName(), way == Save ? QFile::encodeName(path).toStdString() : file);
            QCOMPARE(form->document().DocumentChanged(), way == Save || text != "fhiy");
        }
    }

    void saveBeyondTheFileSizeLimit()
    {
        const QString old = dir.filePath("old.tam");
        form->Text1->setDocumentBytes(std::string(100000, 'f'));
        saveUnderFileSizeLimit(4096);
        QCOMPARE(messages.warnings.size(), 1u);
        QVERIFY(messageText(messages.warnings[0]).contains(old));
        QVERIFY(form->document().DocumentChanged());
        QFile f(old);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("fhiy\r\n"));
    }

    void aFileThatGrowsWhileItIsRead()
    {
        const std::string path = dir.filePath("growing.tam").toStdString();
        FILE* out = std::fopen(path.c_str(), "wb");
        QVERIFY(out);
        const std::string chunk(1 << 20, 'f');
        std::fwrite(chunk.data(), 1, chunk.size(), out);
        std::fflush(out);
        std::atomic<bool> stop = false;
        std::thread writer([&] {
            for (int k = 0; k < 40 && !stop; ++k) {
                std::fwrite(chunk.data(), 1, chunk.size(), out);
                std::fflush(out);
            }
        });
        LocalFiles files;
        ReadOutcome in;
        for (int k = 0; k < 20; ++k) {
            in = files.readFile(path, std::size_t(8) << 20);
            QVERIFY(in.status == ReadOutcome::Read || in.error.find("larger than") != std::string::npos);
            QVERIFY(in.bytes.size() <= std::size_t(8) << 20);
            QVERIFY(in.bytes.find_first_not_of('f') == std::string::npos);
        }
        stop = true;
        writer.join();
        std::fclose(out);
    }

    void pasteOfTenMegabytesAndOfNulCharacters()
    {
        QString big;
        big.reserve(10 << 20);
        while (big.size() < (10 << 20))
            big += QString::fromUtf8("abc 123\n");
        QApplication::clipboard()->setText(big);
        form->Text1->selectAll();
        form->menPaste_Click();
        std::string expected;
        for (const char c : big.toStdString())
            expected += c == '\n' ? std::string_view("\r\n") : std::string_view(&c, 1);
        QCOMPARE(form->Text1->documentBytes().size(), expected.size());
        QVERIFY(form->Text1->documentBytes() == expected);

        QApplication::clipboard()->setText(QString(3, QChar(0)));
        form->Text1->selectAll();
        form->menPaste_Click();
        QCOMPARE(form->Text1->documentBytes(), std::string(3, '\0'));
        form->menSave_Click();
        QFile f(dir.filePath("old.tam"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("\0\0\0\r\n", 5));
        QVERIFY(messages.warnings.empty());
    }
};

QTEST_MAIN(TestBadInput)
#include "test_bad_input.moc"
