// A long seeded stream of keys through the real Text1: typing, Backspace, Enter, Esc, and
// in a second stream caret moves, selections, Undo, Redo, Cut, Copy and Paste. The program
// must come through it, save and reopen exactly what it shows, type exactly what the
// headless composer types, and not grow without bound.

#include "../support/window_test.h"
#include "window/form1.h"
#include "window/text_box.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace orvane;
using namespace orvane::test;

namespace {
const int Keys = qEnvironmentVariableIntValue("ORVANE_SOAK_KEYS") > 0 ? qEnvironmentVariableIntValue("ORVANE_SOAK_KEYS")
                                                                       : 100000;

long residentKilobytes()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// Mostly syllables, some spaces and punctuation, now and then Backspace, Enter and Esc.
char typingKey(QRandomGenerator& random)
{
    static const char letters[] = "kctdpRyrlvLzgGOnmojhSsaAiIuUeEyoOY.xK";
    static const char other[] = " ,;`!?()-/:0123456789";
    const int r = int(random.bounded(100));
    if (r < 80)
        return letters[random.bounded(int(sizeof letters - 1))];
    if (r < 92)
        return other[random.bounded(int(sizeof other - 1))];
    return r < 96 ? '\b' : r < 98 ? '\n' : '\x1b';
}
} // namespace

class TestSoak : public WindowTest {
    Q_OBJECT

    QTemporaryDir dir;

    void press(char key)
    {
        switch (key) {
        case '\b': QTest::keyClick(form->Text1, Qt::Key_Backspace); break;
        case '\n': QTest::keyClick(form->Text1, Qt::Key_Return); break;
        case '\x1b': QTest::keyClick(form->Text1, Qt::Key_Escape); break;
        default: QTest::keyClick(form->Text1, key);
        }
    }

    void saveAndReopen(const QString& path)
    {
        form->document().setDocumentChanged(true);
        form->document().setDocumentFileName({});
        dialog.answers = {path.toStdString()};
        form->menSave_Click();
        QVERIFY(!form->document().DocumentChanged());
        const std::string shown = form->Text1->documentBytes();
        QCOMPARE(readFile(path), QByteArray::fromStdString(shown) + "\r\n");
        dialog.answers = {path.toStdString()};
        form->menOpen_Click();
        QCOMPARE(form->Text1->documentBytes(), shown);
    }

private slots:
    void init()
    {
        freshScripts();
        startWindow();
    }

    void cleanup() { form.reset(); }

    void typingMatchesTheHeadlessComposer()
    {
        QRandomGenerator random(20261207);
        QByteArray stream;
        for (int k = 0; k < Keys; ++k) {
            stream += typingKey(random);
            press(stream.back());
            if (k % 5000 == 0)
                QCoreApplication::processEvents();  // let it paint now and then, as a user's would
        }
        const QString typed = dir.filePath("typed.tam");
        saveAndReopen(typed);

        const QString keys = dir.filePath("keys.txt");
        QFile f(keys);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(stream);
        f.close();
        QProcess headless;
        headless.start(ORVANE_EXE, {"--transliterate", keys, dir.filePath("headless.tam")});
        QVERIFY(headless.waitForFinished(60000));
        QCOMPARE(headless.exitCode(), 0);
        QCOMPARE(readFile(typed), readFile(dir.filePath("headless.tam")));
        QVERIFY(messages.warnings.empty());
    }

    void editingEverywhereKeepsTheDocumentWhole()
    {
        QRandomGenerator random(42);
        const long startKb = residentKilobytes();
        long halfwayKb = 0;
        for (int k = 0; k < Keys; ++k) {
            const int r = int(random.bounded(100));
            if (r < 70) {
                press(typingKey(random));
            } else if (r < 82) {
                static const Qt::Key moves[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down,
                                                Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown};
                const Qt::KeyboardModifiers select = random.bounded(3) == 0 ? Qt::ShiftModifier : Qt::NoModifier;
                QTest::keyClick(form->Text1, moves[random.bounded(8)], select);
            } else if (r < 86) {
                QTest::keyClick(form->Text1, Qt::Key_Z, Qt::ControlModifier);
            } else if (r < 88) {
                QTest::keyClick(form->Text1, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            } else if (r < 91) {
                QTest::keyClick(form->Text1, Qt::Key_X, Qt::ControlModifier);
            } else if (r < 94) {
                QTest::keyClick(form->Text1, Qt::Key_C, Qt::ControlModifier);
            } else if (r < 98) {
                QTest::keyClick(form->Text1, Qt::Key_V, Qt::ControlModifier);
            } else {
                QTest::keyClick(form->Text1, Qt::Key_Delete);
            }
            if (k % 5000 == 0)
                QCoreApplication::processEvents();
            if (k == Keys / 2)
                halfwayKb = residentKilobytes();
        }
        QVERIFY(dialog.shown.empty());  // no key ever reached Save As or Open
        saveAndReopen(dir.filePath("edited.tam"));
        const long endKb = residentKilobytes();
        qInfo("resident memory: %ld kB at the start, %ld kB halfway, %ld kB at the end; document %zu bytes",
              startKb, halfwayKb, endKb, form->Text1->documentBytes().size());
        // Undo history and text grow with the edits; nothing may grow much faster than that.
        QVERIFY2(endKb - halfwayKb < 64 * 1024, "memory grew by more than 64 MB in the second half");
    }
};

QTEST_MAIN(TestSoak)
#include "test_soak.moc"
