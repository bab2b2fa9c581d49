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
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

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
        if (name == "lines.tam" && !QFileInfo::exists(path)) {
            QFile lines(path);
            if (lines.open(QIODevice::WriteOnly))
                lines.write(QByteArray(2'000'001 * 2, '\n').replace("\n\n", "\r\n"));
        }
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
        QTest::newRow("open: over two million lines") << int(Open) << "lines.tam" << "2000001 lines";
        QTest::newRow("open: symbolic link loop") << int(Open) << "loop.tam" << "Too many levels of symbolic links";
        QTest::newRow("open: name of 300 characters") << int(Open) << longName << "File name too long";
        QTest::newRow("save: folder in place of the file") << int(Save) << "folder.tam" << "it is a folder";
        QTest::newRow("save: missing folder") << int(Save) << "no/such/folder.tam" << "No such file or directory";
        QTest::newRow("save: full device") << int(Save) << "/dev/full" << "it is not a regular file";
        QTest::newRow("save: symbolic link loop") << int(Save) << "loop.tam" << "Too many levels of symbolic links";
        QTest::newRow("save: name of 300 characters") << int(Save) << longName << "File name too long";
        QTest::newRow("start-up: folder") << int(StartUp) << "folder.tam" << "it is a folder";
        QTest::newRow("start-up: FIFO") << int(StartUp) << "fifo.tam" << "it is not a regular file";
        QTest::newRow("start-up: symbolic link loop") << int(StartUp) << "loop.tam" << "Too many levels of symbolic links";
        QTest::newRow("start-up: over two million lines") << int(StartUp) << "lines.tam" << "holds at most 2000000";
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
        QVERIFY(messageText(messages.warnings[0]).contains("File too large"));
        QVERIFY(form->document().DocumentChanged());
        QFile f(old);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("fhiy\r\n"));
    }

    void aNameThatIsNotUtf8IsTheNameWritten()
    {
        const QByteArray name = QFile::encodeName(dir.path()) + "/h\xfe.tam";
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        QVERIFY(fd >= 0);
        QCOMPARE(::write(fd, "A\r\n", 3), 3);
        ::close(fd);
        startWindow('"' + name.toStdString() + '"');
        type("ka");
        form->menSave_Click();
        QVERIFY(messages.warnings.empty());
        QFile written;
        const int back = ::open(name.constData(), O_RDONLY);
        char bytes[16] = {};
        QCOMPARE(::read(back, bytes, sizeof bytes), 4);
        ::close(back);
        QCOMPARE(QByteArray(bytes), QByteArray("fA\r\n"));
        QVERIFY(!QFileInfo::exists(dir.filePath(QString::fromUtf8("h\uFFFD.tam"))));
        ::unlink(name.constData());
    }

    void aFullDiskSaysSoAndKeepsTheOldFile()
    {
        const QString small = dir.filePath("small");
        QVERIFY(QDir().mkpath(small));
        if (::mount("tmpfs", QFile::encodeName(small).constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("no tmpfs can be mounted here");
        QFile old(small + "/letter.tam");
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old\r\n");
        old.close();
        dialog.answers = {QFile::encodeName(old.fileName()).toStdString()};
        messages.answers = {Answer::No};
        form->menOpen_Click();
        std::string text;
        for (int i = 0; i < 2000; ++i)
            text += std::string(100, 'f') + "\r\n";
        form->Text1->setDocumentBytes(text);
        form->document().setDocumentChanged(true);
        form->menSave_Click();
        QCOMPARE(messages.warnings.size(), 1u);
        QVERIFY2(messageText(messages.warnings[0]).contains("No space left on device"),
                 qPrintable(messageText(messages.warnings[0])));
        QVERIFY(form->document().DocumentChanged());
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old\r\n"));
        QCOMPARE(QDir(small).entryList(QDir::Files | QDir::Hidden), QStringList({"letter.tam"}));
        form.reset();
        old.close();
        ::umount(QFile::encodeName(small).constData());
    }

    void ownerGroupAndLinksAreKept()
    {
        if (::geteuid() != 0)
            QSKIP("only root can give a file to another user");
        const QString a = dir.filePath("a.tam"), b = dir.filePath("b.tam");
        QFile file(a);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("old\r\n");
        file.close();
        QCOMPARE(::chown(QFile::encodeName(a).constData(), 4242, 4243), 0);
        QCOMPARE(::chmod(QFile::encodeName(a).constData(), 0640), 0);
        QVERIFY(QFile::link(a, dir.filePath("ignored")));  // a symbolic link, no hard one
        QCOMPARE(::link(QFile::encodeName(a).constData(), QFile::encodeName(b).constData()), 0);

        dialog.answers = {QFile::encodeName(a).toStdString()};
        messages.answers = {Answer::No};
        form->menOpen_Click();
        type("ka");
        messages.answers = {Answer::Yes};  // write into the file itself: both names see it
        form->menSave_Click();
        QVERIFY(messages.asked.back().message.id == MessageId::HardLinks);
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(b).constData(), &info), 0);
        QCOMPARE(info.st_nlink, nlink_t(2));
        QCOMPARE(info.st_uid, uid_t(4242));
        QCOMPARE(info.st_gid, gid_t(4243));
        QCOMPARE(info.st_mode & 07777, mode_t(0640));
        QFile other(b);
        QVERIFY(other.open(QIODevice::ReadOnly));
        QCOMPARE(other.readAll(), QByteArray("fold\r\n"));

        // Asked once for the document; No gives this name a new file of its own, which keeps
        // the old one's owner, group and permissions.
        startWindow('"' + QFile::encodeName(a).toStdString() + '"');
        type("ka");
        messages.answers = {Answer::No};
        form->menSave_Click();
        type("ka");
        form->menSave_Click();
        QCOMPARE(std::count_if(messages.asked.begin(), messages.asked.end(),
                               [](const auto& q) { return q.message.id == MessageId::HardLinks; }),
                 2);  // once for each of the two windows
        QCOMPARE(::stat(QFile::encodeName(a).constData(), &info), 0);
        QCOMPARE(info.st_nlink, nlink_t(1));
        QCOMPARE(info.st_uid, uid_t(4242));
        QCOMPARE(info.st_gid, gid_t(4243));
        QCOMPARE(info.st_mode & 07777, mode_t(0640));
        QVERIFY(other.seek(0));
        QCOMPARE(other.readAll(), QByteArray("fold\r\n"));
    }

    void aLinkPlantedInASharedFolderIsNotFollowed()
    {
        if (::geteuid() != 0)
            QSKIP("only root can plant a link as another user");
        // Another user's link in a sticky folder that everybody may write to, to a file of
        // root's: saving to the link's name leaves that file alone.
        const QString shared = dir.filePath("shared"), precious = dir.filePath("precious");
        QVERIFY(QDir().mkpath(shared));
        QCOMPARE(::chmod(QFile::encodeName(shared).constData(), 01777), 0);
        QFile file(precious);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("root's\n");
        file.close();
        const QByteArray link = QFile::encodeName(shared + "/out.tam");
        QCOMPARE(::symlink(QFile::encodeName(precious).constData(), link.constData()), 0);
        QCOMPARE(::lchown(link.constData(), 4242, 4242), 0);
        LocalFiles files;
        const WriteOutcome out = files.writeFile(link.toStdString(), {"f\r\n"});
        QVERIFY(!out.written);
        QVERIFY2(out.error.find("Permission denied") != std::string::npos, out.error.c_str());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("root's\n"));
        QVERIFY(QFileInfo(QString::fromUtf8(link)).isSymLink());
    }

    void notEnoughMemoryRefusesTheFileAndKeepsTheDocument()
    {
        const QString path = dir.filePath("twenty.tam");
        QFile big(path);
        QVERIFY(big.open(QIODevice::WriteOnly));
        const QByteArray line = QByteArray(62, 'f') + "\r\n";
        for (int i = 0; i < 300000; ++i)
            big.write(line);
        big.close();
        rlimit normal{};
        getrlimit(RLIMIT_AS, &normal);
        long pages = 0;
        QFile statm("/proc/self/statm");
        QVERIFY(statm.open(QIODevice::ReadOnly));
        pages = statm.readAll().split(' ').first().toLong();
        rlimit tight = normal;
        tight.rlim_cur = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + (48 << 20);
        dialog.answers = {QFile::encodeName(path).toStdString()};
        messages.answers = {Answer::No};
        QCOMPARE(setrlimit(RLIMIT_AS, &tight), 0);
        form->menOpen_Click();
        setrlimit(RLIMIT_AS, &normal);
        QCOMPARE(messages.warnings.size(), 1u);
        QVERIFY(messages.warnings[0].id == MessageId::OutOfMemory);
        QVERIFY(mentions(messages.warnings[0], QFile::encodeName(path).toStdString()));
        QCOMPARE(form->Text1->documentBytes(), std::string("ffhiy"));
        QCOMPARE(form->document().DocumentFileName(), QFile::encodeName(dir.filePath("old.tam")).toStdString());
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
            big += QString::fromUtf8("tzf;fk; 123\n");
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
