// Nothing typed is lost: the recovery file follows unsaved work, a run that ended without
// saving is offered back, and a broken recovery folder gets a message, never a crash.

#include "../support/files.h"
#include "../support/window_test.h"
#include "document/recovery.h"
#include "platform/end_signals.h"
#include "platform/recovery_store.h"
#include "window/text_box.h"

#include <QClipboard>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

using namespace orvane;
using namespace orvane::test;

namespace {
} // namespace

class TestRecovery : public WindowTest {
    Q_OBJECT

    QTemporaryDir docs;

    QString folder() const { return QString::fromStdString(LocalRecoveryStore::defaultFolder()); }
    // The recovery files there are, once the writes handed to the disk are done.
    QStringList recoveryFiles() const
    {
        if (form)
            form->editor().recovery().finishWrites();
        return QDir(folder()).entryList({"*.recovery"}, QDir::Files);
    }

    // The record in the one recovery file there is, with the edits of its journal made in a
    // text box of its own, as a restore makes them.
    RecoveryRecord onlyRecord()
    {
        const QStringList files = recoveryFiles();
        if (files.size() != 1)
            return {"<" + std::to_string(files.size()) + " files>", {}, {}, {}};
        const QString path = folder() + "/" + files[0];
        RecoveryFault fault = RecoveryFault::None;
        auto record = parseRecovery(bytesOf(path).toStdString(), fault);
        if (!record)
            return RecoveryRecord{std::string("<") + faultReason(fault) + ">", {}, {}, {}};
        QFile journal(path.chopped(int(strlen(".recovery"))) + ".journal");
        if (journal.open(QIODevice::ReadOnly)) {
            const JournalReading reading = parseJournal(journal.readAll().toStdString(), record->journal);
            TextBox box;
            box.setDocumentBytes(record->text);
            for (const JournalEdit& edit : reading.edits)
                box.replacePlaces(int(edit.at), int(edit.removed), edit.bytes);
            record->text = box.documentBytes();
            if (!reading.whole)
                record->fileName = "<a journal read in part>";
        }
        return *record;
    }

    // A recovery file as a run that was killed leaves it.
    void leaveOrphan(const char* id, const RecoveryRecord& record)
    {
        QVERIFY(QDir().mkpath(folder()));
        writeBytes(folder() + "/" + id + ".recovery", QByteArray::fromStdString(recoveryBytes(record)));
    }

private slots:
    void init()
    {
        freshScripts();
        QDir(folder()).removeRecursively();
        startWindow();
        form->editor().setRecoveryDelays(50, 200);
    }

    void cleanup() { form.reset(); }

    void unsavedWorkFollowsTheTypingAndGoesWithTheSave()
    {
        type("vaOak.kam.");
        QTRY_COMPARE(onlyRecord().text, std::string("tzf;fk;"));
        QCOMPARE(onlyRecord().fileName, std::string());

        // Typing on without a pause still reaches the file within the limit.
        QElapsedTimer typing;
        typing.start();
        while (typing.elapsed() < 600) {
            type("ka");
            QTest::qWait(20);
        }
        QVERIFY(onlyRecord().text.size() > std::string("tzf;fk;").size() + 5);

        dialog.answers = {docs.filePath("letter.tam").toStdString()};
        form->menSave_Click();
        QCOMPARE(recoveryFiles(), QStringList());  // saved: nothing to recover
        QTest::qWait(100);
        QCOMPARE(recoveryFiles(), QStringList());

        type("xa");
        QTRY_COMPARE(onlyRecord().fileName, docs.filePath("letter.tam").toStdString());
        messages.answers = {Answer::No};
        form->menNew_Click();
        QCOMPARE(recoveryFiles(), QStringList());
    }

    void theJournalMakesEveryKindOfEditAgain()
    {
        messages.answers = {Answer::Yes};  // English in the document: it becomes Unicode
        form->editor().setEnglishTyping(true);
        type("Hi there");
        form->editor().setEnglishTyping(false);
        type("vaOak.kam.");
        QVERIFY(form->editor().recovery().keepNow());  // a whole copy, English and all
        QCOMPARE(onlyRecord().text, form->Text1->documentBytes());

        QTest::keyClick(form->Text1, Qt::Key_Return);
        type("ka");
        form->editor().setEnglishTyping(true);
        type(" more");
        form->editor().setEnglishTyping(false);
        QTest::keyClick(form->Text1, Qt::Key_Home);
        QTest::keyClick(form->Text1, Qt::Key_Backspace);  // two lines become one
        QTest::keyClick(form->Text1, Qt::Key_Home);
        QTest::keyClick(form->Text1, Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier);
        type("ki");                                          // a word replaced
        form->Text1->undo();
        form->Text1->redo();
        QTest::keyClick(form->Text1, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(form->Text1, Qt::Key_Return);
        QVERIFY(form->editor().recovery().keepNow());
        QCOMPARE(QDir(folder()).entryList({"*.journal"}).size(), 1);
        QCOMPARE(onlyRecord().text, form->Text1->documentBytes());
        QVERIFY(form->Text1->documentBytes().ends_with("\x0F\r\n"));  // a line end typed after English
    }

    void leavingWithoutSavingLeavesNothingToOffer()
    {
        type("ka");
        QTRY_COMPARE(recoveryFiles().size(), 1);
        messages.answers = {Answer::No};
        form->menEnd_Click();
        QCOMPARE(process.ended, 1);
        QCOMPARE(recoveryFiles(), QStringList());
    }

    void aRunThatEndedIsOfferedBack()
    {
        const QString name = docs.filePath("letter.tam");
        writeBytes(name, "old\r\n");
        leaveOrphan("4242-1-1", {name.toStdString(), {}, LocalFiles().identify(name.toStdString()), "tzf;fk;\r\nnew"});
        messages.answers = {Answer::Yes};
        startWindow();
        QCOMPARE(messages.asked.size(), 1u);
        QVERIFY(messages.asked[0].message.id == MessageId::RestorePrompt);
        QVERIFY(mentions(messages.asked[0].message, name.toStdString()));
        QCOMPARE(form->Text1->documentBytes(), std::string("tzf;fk;\r\nnew"));
        QCOMPARE(form->document().DocumentFileName(), name.toStdString());
        QVERIFY(form->document().DocumentChanged());
        QCOMPARE(form->windowTitle(), "Orvane [ " + name + " ]");
        QCOMPARE(bytesOf(name), QByteArray("old\r\n"));  // the user's file is never touched
        // The text is in this run's file now, and the old one is gone.
        QCOMPARE(onlyRecord().text, std::string("tzf;fk;\r\nnew"));
        QVERIFY(!recoveryFiles().contains("4242-1-1.recovery"));

        form->menSave_Click();
        QCOMPARE(bytesOf(name), QByteArray("tzf;fk;\r\nnew\r\n"));
    }

    void declinedTwiceItIsDeletedOnceItStays()
    {
        leaveOrphan("4242-1-1", {"", {}, {}, "f"});
        messages.answers = {Answer::No, Answer::No};  // not restored, not deleted either
        startWindow();
        QCOMPARE(messages.asked.size(), 2u);
        QVERIFY(messages.asked[1].message.id == MessageId::RestoreDiscard);
        QCOMPARE(form->Text1->documentBytes(), std::string());
        QCOMPARE(recoveryFiles(), QStringList({"4242-1-1.recovery"}));

        freshScripts();
        messages.answers = {Answer::No, Answer::Yes};
        startWindow();
        QCOMPARE(messages.asked.size(), 2u);
        QCOMPARE(recoveryFiles(), QStringList());
    }

    void aRunningProgramsFileIsItsOwn()
    {
        // Another run, alive: its file is not offered, and of two runs that start together
        // only one may take an orphan.
        LocalRecoveryStore alive;
        const std::string alive_ = recoveryBytes({"", {}, {}, "alive"});
        QVERIFY(alive.write({alive_.size(), [&](const ByteSource::Put& put) { return put(alive_); }}).written);
        leaveOrphan("4242-1-1", {"", {}, {}, "orphan"});
        LocalRecoveryStore first, second;
        QCOMPARE(first.claimOrphans(), std::vector<std::string>({"4242-1-1"}));
        QCOMPARE(second.claimOrphans(), std::vector<std::string>());
        first.releaseOrphan("4242-1-1");
        QCOMPARE(second.claimOrphans(), std::vector<std::string>({"4242-1-1"}));
        second.releaseOrphan("4242-1-1");

        messages.answers = {Answer::No, Answer::No};
        startWindow();
        QCOMPARE(messages.asked.size(), 2u);  // the orphan only
        QVERIFY(mentions(messages.asked[0].message, "Untitled.tam"));
    }

    void aRestoreWithoutTheMemoryForItIsRefusedAndKept()
    {
        std::string text;
        const std::string line = std::string(62, 'f') + "\r\n";
        while (text.size() < (24 << 20))
            text += line;
        leaveOrphan("4242-1-1", {docs.filePath("big.tam").toStdString(), {}, {}, text});
        text.clear();
        text.shrink_to_fit();
        rlimit normal{};
        getrlimit(RLIMIT_AS, &normal);
        QFile statm("/proc/self/statm");
        QVERIFY(statm.open(QIODevice::ReadOnly));
        rlimit tight = normal;
        tight.rlim_cur = rlim_t(statm.readAll().split(' ').first().toLong()) * rlim_t(sysconf(_SC_PAGESIZE)) + (96 << 20);
        messages.answers = {Answer::Yes};
        QCOMPARE(setrlimit(RLIMIT_AS, &tight), 0);
        startWindow();
        setrlimit(RLIMIT_AS, &normal);
        QCOMPARE(messages.warnings.size(), 1u);
        QVERIFY(messages.warnings[0].id == MessageId::RestoreRefused);
        QVERIFY(mentions(messages.warnings[0], "4242-1-1.recovery"));
        QCOMPARE(form->Text1->documentBytes(), std::string());
        QVERIFY(recoveryFiles().contains("4242-1-1.recovery"));
    }

    void brokenRecoveryFilesAreSetAside_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = QByteArray::fromStdString(recoveryBytes({"a.tam", {}, {}, "text"}));
        QTest::newRow("cut short") << good.left(good.size() / 2);
        QByteArray flipped = good;
        flipped[flipped.indexOf("text")] = 'T';
        QTest::newRow("a byte changed") << flipped;
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not ours") << QByteArray("hello\n");
    }

    void brokenRecoveryFilesAreSetAside()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(QDir().mkpath(folder()));
        writeBytes(folder() + "/4242-1-1.recovery", bytes);
        startWindow();
        QCOMPARE(messages.asked.size(), 0u);
        QCOMPARE(messages.warnings.size(), 1u);
        QVERIFY(messages.warnings[0].id == MessageId::RecoveryUnreadable);
        QCOMPARE(bytesOf(folder() + "/4242-1-1.damaged"), bytes);  // kept for a person to look at
        QCOMPARE(recoveryFiles(), QStringList());
        startWindow();
        QCOMPARE(messages.warnings.size(), 1u);  // said once
    }

    void aFolderThatCannotTakeTheFile_data()
    {
        QTest::addColumn<QString>("problem");
        QTest::newRow("a file in its place") << "file";
        QTest::newRow("a full disk") << "full";
    }

    void aFolderThatCannotTakeTheFile()
    {
        QFETCH(QString, problem);
        QTemporaryDir place;
        qputenv("XDG_STATE_HOME", QFile::encodeName(place.path()));
        if (problem == "file") {
            writeBytes(place.filePath("orvane"), "in the way");
        } else {
            QVERIFY(QDir().mkpath(place.filePath("orvane/recovery")));
            if (::mount("tmpfs", QFile::encodeName(place.filePath("orvane/recovery")).constData(), "tmpfs", 0,
                        "size=16k")
                != 0)
                QSKIP("no tmpfs can be mounted here");
        }
        startWindow();
        form->editor().setRecoveryDelays(10, 50);
        const QString big(40000, QLatin1Char('1'));
        QApplication::clipboard()->setText(big);
        form->menPaste_Click();
        type("ka");
        QTRY_COMPARE(messages.warnings.size(), 1u);
        QVERIFY(messages.warnings[0].id == MessageId::RecoveryUnwritable);
        QVERIFY(mentions(messages.warnings[0], place.path().toStdString()));
        type("ka");  // typing goes on, and the message is not repeated
        QTest::qWait(150);
        QCOMPARE(messages.warnings.size(), 1u);
        QCOMPARE(form->Text1->documentBytes(), big.toStdString() + "ff");
        if (problem == "full") {
            form.reset();
            ::umount(QFile::encodeName(place.filePath("orvane/recovery")).constData());
        }
        qputenv("XDG_STATE_HOME", QFile::encodeName(stateHome.path()));
    }

    void theRecoveryFolderIsTheUsersAlone()
    {
        // A folder others may read is made private, and the file is the user's alone.
        QVERIFY(QDir().mkpath(folder()));
        QVERIFY(QFile::setPermissions(folder(), QFileDevice::Permissions(0x7755)));
        type("ka");
        form->keepUnsavedWork();
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(folder()).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, mode_t(0700));
        QCOMPARE(::stat(QFile::encodeName(folder() + "/" + recoveryFiles().value(0)).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, mode_t(0600));

        // No home of its own named: the user's home from the system, never a shared folder.
        const QByteArray home = qgetenv("HOME"), state = qgetenv("XDG_STATE_HOME");
        qunsetenv("HOME");
        qunsetenv("XDG_STATE_HOME");
        const std::string unnamed = LocalRecoveryStore::defaultFolder();
        qputenv("HOME", home);
        qputenv("XDG_STATE_HOME", state);
        QVERIFY2(!unnamed.starts_with("/tmp"), unnamed.c_str());
        QVERIFY(unnamed.empty() || unnamed.ends_with("/.local/state/orvane/recovery"));

        // Another user's folder is not used: one message, and typing goes on.
        if (::geteuid() != 0)
            QSKIP("only root can give a folder to another user");
        form.reset();
        QDir(folder()).removeRecursively();
        QVERIFY(QDir().mkpath(folder()));
        QCOMPARE(::chown(QFile::encodeName(folder()).constData(), 4242, 4242), 0);
        startWindow();
        form->editor().setRecoveryDelays(10, 50);
        type("ka");
        QTRY_COMPARE(messages.warnings.size(), 1u);
        QVERIFY(messages.warnings[0].id == MessageId::RecoveryUnwritable);
        QVERIFY(mentions(messages.warnings[0], "another user"));
        QCOMPARE(recoveryFiles(), QStringList());
    }

    void whatEndedRunsLeftIsClearedInTime()
    {
        QVERIFY(QDir().mkpath(folder()));
        const auto aged = [](const QString& path, int days) {
            writeBytes(path, "x");
            const timespec when[2] = {{time(nullptr) - days * 86400, 0}, {time(nullptr) - days * 86400, 0}};
            QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), when, 0), 0);
        };
        aged(folder() + "/1-1-1.damaged", 31);
        aged(folder() + "/2-2-2.damaged", 2);
        aged(folder() + "/3-3-3.lock", 0);  // a run that ended with nothing unsaved
        // Beside a document: what interrupted saves left a day ago and more, and nothing else.
        QTemporaryDir beside;
        const QString doc = beside.filePath("a.tam");
        aged(beside.filePath(".a.tam.orvane-Ab12Cd"), 2);
        aged(beside.filePath(".a.tam.orvane-Ab12Ce-old"), 2);
        aged(beside.filePath(".a.tam.orvane-Ab12Cf"), 0);  // a save under way elsewhere
        aged(beside.filePath(".a.tam.orvane-notours"), 2);
        startWindow();
        QCOMPARE(QDir(folder()).entryList(QDir::Files), QStringList({"2-2-2.damaged"}));
        dialog.answers = {doc.toStdString()};
        type("ka");
        form->menSave_Click();
        QCOMPARE(QDir(beside.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({".a.tam.orvane-Ab12Cf", ".a.tam.orvane-notours", "a.tam"}));
    }

    void aSignalEndsTheProgramEvenWhenItIsBusy()
    {
        // The event loop does not come back: the program ends within the grace all the same,
        // with the signal's status.
        const pid_t child = ::fork();
        if (child == 0) {
            EndSignals signals_([](int) {});
            ::raise(SIGTERM);
            ::sleep(10);
            ::_exit(0);
        }
        int status = 0;
        QElapsedTimer waited;
        waited.start();
        while (::waitpid(child, &status, WNOHANG) == 0 && waited.elapsed() < 5000)
            QTest::qWait(20);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 128 + SIGTERM);
    }

    void aSignalWhileAStartUpMessageIsShownEndsTheProgram()
    {
        QProcess program;
        program.start(ORVANE_EXE, {QDir::tempPath()});  // "could not be opened: it is a folder"
        QVERIFY(program.waitForStarted());
        QTest::qWait(1500);
        QCOMPARE(program.state(), QProcess::Running);
        ::kill(pid_t(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(3000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 128 + SIGTERM);
    }

    void endingSignalsAndTheSessionKeepTheWork()
    {
        // A signal arrives on the event loop, where the work can still be kept.
        int arrived = 0;
        {
            EndSignals signals_([&](int number) { arrived = number; });
            ::raise(SIGHUP);
            QTRY_COMPARE(arrived, SIGHUP);
        }
        type("ka");
        form->keepUnsavedWork();
        QCOMPARE(onlyRecord().fileName, std::string());
        QCOMPARE(onlyRecord().text, std::string("f"));

        // The session ends: with leave to ask, as Exit does; without, into the recovery file.
        QDir(folder()).removeRecursively();
        messages.answers = {Answer::Cancel};
        QVERIFY(!form->sessionEnding(true));
        QVERIFY(messages.asked.back().message.id == MessageId::UnsavedPrompt);
        QVERIFY(form->sessionEnding(false));
        QCOMPARE(onlyRecord().text, std::string("f"));
        QCOMPARE(process.ended, 0);
    }
};

QTEST_MAIN(TestRecovery)
#include "test_recovery.moc"
