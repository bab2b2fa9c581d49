// Nothing typed is lost: the recovery file follows unsaved work, a run that ended without
// saving is offered back, and a broken recovery folder gets a message, never a crash.

#include "../support/window_test.h"
#include "document/recovery.h"
#include "platform/end_signals.h"
#include "platform/recovery_store.h"

#include <QClipboard>
#include <QtTest>

#include <csignal>
#include <sys/mount.h>

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
} // namespace

class TestRecovery : public WindowTest {
    Q_OBJECT

    QTemporaryDir docs;

    QString folder() const { return QString::fromStdString(LocalRecoveryStore::defaultFolder()); }
    QStringList recoveryFiles() const { return QDir(folder()).entryList({"*.recovery"}, QDir::Files); }

    // The record in the one recovery file there is.
    RecoveryRecord onlyRecord()
    {
        const QStringList files = recoveryFiles();
        if (files.size() != 1)
            return {"<" + std::to_string(files.size()) + " files>", {}, {}, {}};
        std::string why;
        const auto record = parseRecovery(bytesOf(folder() + "/" + files[0]).toStdString(), why);
        return record ? *record : RecoveryRecord{"<" + why + ">", {}, {}, {}};
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
        form->editor.setRecoveryDelays(50, 200);
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
        QVERIFY(alive.write(recoveryBytes({"", {}, {}, "alive"})).written);
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
        form->editor.setRecoveryDelays(10, 50);
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
