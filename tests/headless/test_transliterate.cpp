// orvane --transliterate and the command line, run as the real executable.

#include "../support/files.h"

#include <QtTest>

#include <algorithm>
#include <csignal>
#include <sys/mount.h>

using orvane::test::bytesOf;
using orvane::test::writeBytes;

namespace {
struct Run {
    int status;
    QByteArray out, err;
};

Run runOrvane(const QStringList& args, const QByteArray& input = {})
{
    QProcess p;
    if (std::any_of(args.begin(), args.end(), [](const QString& a) { return a.endsWith(".pdf"); }) || input.startsWith("%PDF"))
        p.setProcessEnvironment(orvane::test::pdfEnvironment());
    p.start(ORVANE_EXE, args);
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(120000))
        return {-1, {}, "timed out"};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

// A bash script, with $ORVANE the program: for what QProcess cannot pass (names that are not
// UTF-8) or set (limits).
Run shell(const QString& script, const QString& folder)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ORVANE", ORVANE_EXE);
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(folder);
    p.start("bash", {"-c", script});
    if (!p.waitForFinished(60000))
        return {-1, {}, "timed out"};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

} // namespace

class TestTransliterate : public QObject {
    Q_OBJECT
private slots:
    void standardInToStandardOut()
    {
        const Run r = runOrvane({"--transliterate"}, "ka kY ri dU\n");
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QByteArray("f nfs hp J}\r\n\r\n"));
        QCOMPARE(r.err, QByteArray());
    }

    void lineEndsBackspaceAndEsc_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("tam");
        QTest::newRow("empty") << QByteArray() << QByteArray("\r\n");
        QTest::newRow("CR LF is one Enter") << QByteArray("ka\r\nki") << QByteArray("f\r\nfp\r\n");
        QTest::newRow("lone CR is Enter") << QByteArray("ka\rki") << QByteArray("f\r\nfp\r\n");
        QTest::newRow("backspace joins lines") << QByteArray("ka\n\bki") << QByteArray("ffp\r\n");
        QTest::newRow("backspace at start") << QByteArray("\b\bka") << QByteArray("f\r\n");
        QTest::newRow("esc abandons") << QByteArray("k\x1b" "aa") << QByteArray("m\r\n");
        QTest::newRow("mapped punctuation") << QByteArray("ka, ka;") << QByteArray("f> f@\r\n");
    }

    void lineEndsBackspaceAndEsc()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, tam);
        const Run r = runOrvane({"--transliterate", "-", "-"}, input);
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, tam);
    }

    void filesInAndOut()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath("letter.txt"), out = dir.filePath("letter.tam");
        writeBytes(in, "vak. ka\r\nxu\n");
        const Run r = runOrvane({"--transliterate", in, out});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QByteArray());
        QCOMPARE(bytesOf(out), QByteArray("tf; f\r\nc\r\n\r\n"));
    }

    void unreadableInputWritesNothing()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath("out.tam");
        writeBytes(out, "old");
        Run r = runOrvane({"--transliterate", dir.filePath("missing.txt"), out});
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains("missing.txt"));
        QVERIFY(r.err.contains("No such file"));
        QCOMPARE(r.err.count('\n'), 1);
        QCOMPARE(bytesOf(out), QByteArray("old"));

        r = runOrvane({"--transliterate", dir.path(), out});  // a folder
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains(dir.path().toUtf8()));
        QCOMPARE(bytesOf(out), QByteArray("old"));
    }

    void unwritableOutputLeavesNoFile()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath("no/such/folder/out.tam");
        Run r = runOrvane({"--transliterate", "-", out}, "ka");
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains(out.toUtf8()));
        QVERIFY(!QFileInfo::exists(out));

        QDir(dir.path()).mkdir("taken");
        r = runOrvane({"--transliterate", "-", dir.filePath("taken")}, "ka");
        QCOMPARE(r.status, 1);
        QVERIFY(QFileInfo(dir.filePath("taken")).isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void unicodeBothWays()
    {
        QTemporaryDir dir;
        const QString tam = dir.filePath("letter.tam"), txt = dir.filePath("letter.txt"), back = dir.filePath("back.tam");
        writeBytes(tam, "tzf;fk;\r\njkpo; =\r\n");
        Run r = runOrvane({"--to-unicode", tam, txt});
        QCOMPARE(r.status, 0);
        QCOMPARE(QString::fromUtf8(bytesOf(txt)), QString::fromUtf8("வணக்கம்\nதமிழ் ஸ்ரீ\n"));
        r = runOrvane({"--from-unicode", txt, back});
        QCOMPARE(r.status, 0);
        QCOMPARE(bytesOf(back), bytesOf(tam));

        r = runOrvane({"--from-unicode"}, QString::fromUtf8("கௌ, 😀\r\nx").toUtf8());
        QCOMPARE(r.out, QByteArray("nfs> ?\r\nx\r\n"));
        // What a .tam file cannot hold as it was is said: "?", and English as its own bytes.
        QVERIFY2(r.err.contains("1 characters that a .tam file cannot hold"), r.err.constData());
        QVERIFY2(r.err.contains("1 characters of other text"), r.err.constData());
        // றூ and ளூ come back; the syllables Bamini has no letter for are counted and said.
        r = runOrvane({"--from-unicode"}, QString::fromUtf8("றூ ளூ ஞு ஷூ").toUtf8());
        QCOMPARE(r.out, QByteArray("W} S} Q \\\r\n"));
        QVERIFY2(r.err.contains("2 syllables that Bamini has no glyph for"), r.err.constData());
        r = runOrvane({"--to-unicode", "-", "-"}, "xs\r\n");
        QCOMPARE(QString::fromUtf8(r.out), QString::fromUtf8("ஔ\n"));

        r = runOrvane({"--to-unicode", dir.filePath("missing.tam"), txt});
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains("missing.tam"));
        QCOMPARE(QString::fromUtf8(bytesOf(txt)), QString::fromUtf8("வணக்கம்\nதமிழ் ஸ்ரீ\n"));
        r = runOrvane({"--from-unicode", txt, dir.filePath("no/such/dir/x.tam")});
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains("no/such/dir/x.tam"));
    }

    void whatRealMachinesDoToTheOutput()
    {
        QTemporaryDir dir;
        writeBytes(dir.filePath("in.txt"), QByteArray(4000, 'a'));

        // A name that is not UTF-8 is the name written, byte for byte.
        Run r = shell("\"$ORVANE\" --transliterate in.txt $'out\\xff.tam' && ls", dir.path());
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QByteArray("in.txt\nout\xff.tam\n"));

        // A file size limit: a message with the true reason, and no file (the program itself
        // ignores the signal such a limit raises).
        r = shell("ulimit -f 1; exec \"$ORVANE\" --from-unicode in.txt limited.tam", dir.path());
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains("limited.tam': File too large"), r.err.constData());
        QCOMPARE(shell("ls -A; rm $'out\\xff.tam'", dir.path()).out, QByteArray("in.txt\nout\xff.tam\n"));

        // Control characters in a name are shown, not sent to the terminal.
        r = shell("exec \"$ORVANE\" --to-unicode $'no\\e[31mne.tam'", dir.path());
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains("no\\x1b[31mne.tam"), r.err.constData());
        QVERIFY(!r.err.contains('\x1b'));

        // A full disk says so.
        QVERIFY(QDir(dir.path()).mkdir("small"));
        if (::mount("tmpfs", QFile::encodeName(dir.filePath("small")).constData(), "tmpfs", 0, "size=16k") != 0)
            QSKIP("no tmpfs can be mounted here");
        r = runOrvane({"--transliterate", dir.filePath("in.txt"), dir.filePath("small/out.tam")});
        r = runOrvane({"--from-unicode", "-", dir.filePath("small/out.tam")}, QByteArray(40000, 'a'));
        ::umount(QFile::encodeName(dir.filePath("small")).constData());
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains("No space left on device"), r.err.constData());
    }

    void streamingInBoundedMemory()
    {
        // Endless input into a memory limit the program's own size leaves little room in:
        // it converts until it is stopped, it does not run out.
#ifdef ORVANE_SANITIZED
        QSKIP("AddressSanitizer cannot run under a memory limit");
#endif
        QTemporaryDir dir;
        for (const char* mode : {"--to-unicode --all-tamil --large", "--transliterate --large"}) {
            const Run r = shell(QString("ulimit -v 150000; timeout 1 \"$ORVANE\" %1 /dev/zero /dev/null").arg(mode), dir.path());
            QVERIFY2(r.status == 124, qPrintable(QString("%1: status %2, %3").arg(mode).arg(r.status).arg(QString(r.err))));
        }
        const Run r = shell("ulimit -v 150000; yes aaaaaaaaaaaaaaaa | timeout 1 \"$ORVANE\" --from-unicode --large - /dev/null; "
                            "echo ${PIPESTATUS[1]}", dir.path());
        QCOMPARE(r.out, QByteArray("124\n"));
    }

    void nothingIsLeftBehindAtTheEdges()
    {
        QTemporaryDir dir;
        writeBytes(dir.filePath("in.tam"), "tzf;fk;\r\n");
        // Ended by a signal half way: the temporary file goes with it.
        for (const char* signal : {"INT", "TERM", "HUP"}) {
            const Run r = shell(QString("timeout -s %1 0.5 \"$ORVANE\" --to-unicode --all-tamil /dev/zero out.txt; ls -A").arg(signal),
                                dir.path());
            QCOMPARE(r.out, QByteArray("in.tam\n"));
        }
#ifndef ORVANE_SANITIZED
        // Where no thread can be had for removing the old version, it goes at once: the
        // conversion succeeded, and says so.
        int least = 0;
        for (int limit = 40000; limit < 400000 && least == 0; limit += 1000)
            if (shell(QString("ulimit -v %1; exec \"$ORVANE\" --version").arg(limit), dir.path()).status == 0)
                least = limit;
        writeBytes(dir.filePath("out.txt"), "old");
        const Run r = shell(QString("ulimit -v %1; exec \"$ORVANE\" --to-unicode in.tam out.txt").arg(least + 2000), dir.path());
        QVERIFY2(r.status == 0, r.err.constData());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"in.tam", "out.txt"}));
        QCOMPARE(QString::fromUtf8(bytesOf(dir.filePath("out.txt"))), QString::fromUtf8("வணக்கம்\n"));

        // Bytes that continue no character, forty megabytes of them, in little memory.
        const Run stray = shell("head -c 40000000 /dev/zero | tr '\\0' '\\200' > stray.txt; ulimit -v 150000; "
                                "\"$ORVANE\" --from-unicode --large stray.txt stray.tam && stat -c %s stray.tam",
                                dir.path());
        QVERIFY2(stray.status == 0, stray.err.constData());
        QCOMPARE(stray.out, QByteArray("40000002\n"));
#endif
    }

    // What is no text is told by its first bytes, and refused before anything is written:
    // a PDF, an image, endless zeros; unless every byte is asked for as Bamini.
    void whatIsNoTextIsRefusedAtOnce()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath("out.txt");
        writeBytes(dir.filePath("form.pdf"), "%PDF-1.5\n%\xE2\xE3\xCF\xD3\nfjhk; ");
        writeBytes(dir.filePath("photo.png"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
        writeBytes(dir.filePath("data.tam"), QByteArray("tzf;fk;\0\0\x01", 10));
        // The reasons are the program's own, as the window gives them.
        for (const auto& [file, what] : {std::pair{"form.pdf", "it looks like a PDF document"},
                                         {"photo.png", "a PNG image"}, {"data.tam", "NUL bytes"}, {"/dev/zero", "NUL bytes"}}) {
            const Run r = runOrvane({"--to-unicode", QString(file).startsWith("/") ? QString(file) : dir.filePath(file), out});
            QVERIFY2(r.status == 1, (QByteArray(file) + ": " + r.err.right(3000)).constData());
            QVERIFY2(r.err.contains(what) && r.err.contains("--all-tamil"), r.err.constData());
            QVERIFY(!QFileInfo::exists(out));
        }
        Run r = runOrvane({"--to-unicode"}, "%PDF-1.4\n");
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, QByteArray());
        r = runOrvane({"--to-unicode"}, QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(": it is an old binary Word document (.doc); save it as .docx first"), r.err.constData());
        r = shell("head -c 70000000 /dev/zero | \"$ORVANE\" --from-unicode - out.tam; echo $?; ls", dir.path());
        QVERIFY2(r.out == "1\ndata.tam\nform.pdf\nphoto.png\n", r.out.constData());
        r = runOrvane({"--to-unicode", "--all-tamil", dir.filePath("form.pdf"), out});
        QCOMPARE(r.status, 0);
        QVERIFY(!bytesOf(out).isEmpty());  // the bytes read as Bamini, as asked

        // A FIFO nobody writes into yet: the terminal is told what it waits for.
        r = shell("mkfifo fifo; (sleep 0.5; printf 'f\\r\\n' > fifo) & "
                  "script -qec '\"$ORVANE\" --to-unicode fifo fifo.txt' /dev/null; wait; cat fifo.txt",
                  dir.path());
        QVERIFY2(r.out.contains("waiting for a program to write into 'fifo'"), r.out.constData());
        QVERIFY2(r.out.endsWith(QString::fromUtf8("க\n").toUtf8()), r.out.constData());
    }

    void fontNamesADocumentCannotHoldAreRefused()
    {
        Run r = runOrvane({"--to-unicode", "--font", "Noto\x07Sans", "a.docx", "b.docx"});
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains("Noto\\x07Sans"), r.err.constData());
        r = runOrvane({"--from-unicode", "--bamini-font", "Bam\nini", "a.odt", "b.odt"});
        QCOMPARE(r.status, 2);
    }

    void theSizeTheEditorOpensIsTheSizeWritten()
    {
        QTemporaryDir dir;
        QByteArray lines;
        const QByteArray line = QByteArray(63, 'a') + '\n';
        while (lines.size() <= 64 << 20)
            lines += line;
        writeBytes(dir.filePath("big.txt"), lines);
        Run r = runOrvane({"--from-unicode", dir.filePath("big.txt"), dir.filePath("big.tam")});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains("64 MB"), r.err.constData());
        QVERIFY(!QFileInfo::exists(dir.filePath("big.tam")));
        r = runOrvane({"--from-unicode", "--large", dir.filePath("big.txt"), dir.filePath("big.tam")});
        QCOMPARE(r.status, 0);
        QCOMPARE(QFileInfo(dir.filePath("big.tam")).size(), qint64(lines.size()) + lines.count('\n'));

        // A byte-order mark is no character of the text.
        r = runOrvane({"--from-unicode"}, "\xEF\xBB\xBF" + QString::fromUtf8("க").toUtf8());
        QCOMPARE(r.out, QByteArray("f\r\n"));
    }

    // A folder: every document under it converted into the same tree, each one's outcome in
    // the report; a file that fails costs only itself, and a stopped run started again goes
    // on where it stopped, writing over nothing.
    void aFolderIsConvertedAndTakesUpWhereItStopped()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath("archive"), out = dir.filePath("unicode");
        QVERIFY(QDir().mkpath(in + "/2019/notices") && QDir().mkpath(in + "/letters"));
        writeBytes(in + "/letters/mother.tam", "mk;kh\r\n");
        writeBytes(in + "/letters/mother.txt", "jkpo;");  // a .txt of codes beside a .tam of the same name
        writeBytes(in + "/2019/notices/broken.docx", QByteArray("PK\x03\x04", 4) + QByteArray(200, 'x'));
        writeBytes(in + "/2019/photo.txt", QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(64, '\0'));
        writeBytes(in + "/2019/notes.md", "not a kind it converts");
        QVERIFY(QFile::copy(QFINDTESTDATA("../data/office/transfer-certificate.odt"), in + "/2019/notices/certificate.odt"));
        Run r = runOrvane({"--to-unicode", in, out});
        QCOMPARE(r.status, 1);  // two refused
        QVERIFY2(r.err.contains("5 of 5 files: 3 converted, 0 unchanged, 0 kept (OUTDIR had them), 2 refused"), r.err);
        QCOMPARE(bytesOf(out + "/letters/mother.tam.txt"), QByteArray("அம்மா\n"));
        QCOMPARE(bytesOf(out + "/letters/mother.txt"), QByteArray("தமிழ்\n"));
        QVERIFY(QFile::exists(out + "/2019/notices/certificate.odt"));
        QVERIFY(!QFile::exists(out + "/2019/notices/broken.docx") && !QFile::exists(out + "/2019/photo.txt"));
        QVERIFY(!QFile::exists(out + "/2019/notes.md"));
        QCOMPARE(QDir(out + "/2019/notices").entryList(QDir::Files | QDir::Hidden).size(), 1);  // no partial left
        const QByteArray report = bytesOf(out + "/orvane-report.tsv");
        QVERIFY2(report.startsWith("status\tinput\toutput\tdetail\n"), report);
        QVERIFY2(report.contains("refused\t2019/photo.txt\t2019/photo.txt\t") && report.contains("PNG"), report);
        QVERIFY2(report.contains("refused\t2019/notices/broken.docx\t"), report);
        QVERIFY2(report.contains("done\t2019/notices/certificate.odt\t2019/notices/certificate.odt\t10 runs"), report);
        QCOMPARE(report.count('\n'), 6);

        // Again, after one output was lost and a document added: only those two are written.
        writeBytes(out + "/letters/mother.txt", "edited by hand");
        QFile::remove(out + "/2019/notices/certificate.odt");
        writeBytes(in + "/letters/father.tam", "mg;gh");
        r = runOrvane({"--to-unicode", in, out});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains("6 of 6 files: 2 converted, 0 unchanged, 2 kept"), r.err);
        QCOMPARE(bytesOf(out + "/letters/mother.txt"), QByteArray("edited by hand"));
        QCOMPARE(bytesOf(out + "/letters/father.txt"), QByteArray("அப்பா\n"));
        QVERIFY(QFile::exists(out + "/2019/notices/certificate.odt"));
        r = runOrvane({"--to-unicode", "--overwrite", in, out});
        QCOMPARE(bytesOf(out + "/letters/mother.txt"), QByteArray("தமிழ்\n"));

        // Stopped in the middle of many, then started again: every file converted once.
        const QString many = dir.filePath("many"), manyOut = dir.filePath("many-unicode");
        QVERIFY(QDir().mkpath(many));
        for (int k = 0; k < 300; ++k)
            writeBytes(many + QString("/%1.tam").arg(k, 3, 10, QChar('0')), "jkpo;");
        QProcess p;
        p.start(ORVANE_EXE, {"--to-unicode", many, manyOut});
        QVERIFY(p.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(bytesOf(manyOut + "/orvane-report.tsv").count('\n') > 5, 30000);
        ::kill(pid_t(p.processId()), SIGINT);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 130);
        const qsizetype before = bytesOf(manyOut + "/orvane-report.tsv").count("\ndone\t");
        QVERIFY(before < 300);
        QVERIFY(QDir(manyOut).entryList({".orvane-part-*"}, QDir::Files | QDir::Hidden).isEmpty());
        r = runOrvane({"--to-unicode", many, manyOut});
        QCOMPARE(r.status, 0);
        const QByteArray second = bytesOf(manyOut + "/orvane-report.tsv");
        QCOMPARE(second.count("\nkept\t") + second.count("\ndone\t"), 300);
        QVERIFY2(second.count("\nkept\t") >= before, second);
        QCOMPARE(QDir(manyOut).entryList({"*.txt"}, QDir::Files).size(), 300);
        QCOMPARE(bytesOf(manyOut + "/299.txt"), QByteArray("தமிழ்\n"));

        // The README's recipe for many machines, on this one alone.
        r = shell("cd archive && find . -name '*.docx' -o -name '*.odt' -o -name '*.rtf' |"
                  "  parallel --will-cite --sshlogin : --transferfile {} --return ../unicode-p/{} "
                  "           'mkdir -p ../unicode-p/{//} && \"$ORVANE\" --to-unicode {} ../unicode-p/{}'",
                  dir.path());
        QCOMPARE(r.status, 1);  // parallel counts the broken .docx
        QCOMPARE(bytesOf(dir.filePath("unicode-p/2019/notices/certificate.odt")).isEmpty(), false);
        QVERIFY(!QFile::exists(dir.filePath("unicode-p/2019/notices/broken.docx")));
    }

    void helpVersionAndUsage()
    {
        Run r = runOrvane({"--version"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QByteArray("orvane 1.0\n"));
        r = runOrvane({"--help"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.contains("--transliterate"));
        QVERIFY(r.out.contains("--to-unicode"));
        QVERIFY(r.out.contains("--from-unicode"));
        r = runOrvane({"--frobnicate"});
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains("--frobnicate"));
        r = runOrvane({"--\x1b[31mbad"});
        QVERIFY2(r.err.contains("--\\x1b[31mbad") && !r.err.contains('\x1b'), r.err.constData());
        QVERIFY(r.err.contains("Usage:"));
        QCOMPARE(r.out, QByteArray());
        r = runOrvane({"--transliterate", "a", "b", "c"});
        QCOMPARE(r.status, 2);
        r = runOrvane({"one.tam", "two.tam"});
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains("Usage:"));

        // Qt's own options are the window's, with or without their value attached.
        r = runOrvane({"-platform", "offscreen", "--style=fusion", "-reverse", "--version"});
        QCOMPARE(r.status, 0);
        r = runOrvane({"--transliterate", "-display", ":7", "-", "-"}, "ka");
        QCOMPARE(r.out, QByteArray("f\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestTransliterate)
#include "test_transliterate.moc"
