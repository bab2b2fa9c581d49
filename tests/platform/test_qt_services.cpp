// The Qt side of the platform: the character crossing, real modal dialogs answered by a
// queued hand, and whole-file reads.

#include "platform/file_service.h"
#include "platform/message_text.h"
#include "platform/qt_services.h"
#include "platform/text_codec.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <random>

#include <sys/stat.h>

using namespace orvane;

namespace {
// Runs answer on the modal widget that the next call opens.
template <typename Widget, typename Answer>
void whenModal(Answer answer)
{
    QTimer::singleShot(0, [answer] {
        QTRY_VERIFY(qobject_cast<Widget*>(QApplication::activeModalWidget()));
        answer(qobject_cast<Widget*>(QApplication::activeModalWidget()));
    });
}
} // namespace

class TestQtServices : public QObject {
    Q_OBJECT
private slots:
    void everyByteCrossesToTheBoxAndBack()
    {
        std::string all;
        for (int b = 0; b < 256; ++b)
            if (b != '\r')
                all += char(b);
        all += "\r\nend\r\n";
        const QString box = codec::toBoxText(all);
        QCOMPARE(box.count(QChar::LineSeparator), 1);  // the lone LF
        QVERIFY(box.contains(QChar(0x00A0)));
        QVERIFY(box.contains(QChar(0x20AC)));  // byte 80
        QVERIFY(box.contains(QChar(0x0081)));  // undefined in the code page: kept as itself
        QString raw = box;
        raw.replace(QLatin1Char('\n'), QChar::ParagraphSeparator);  // as the document holds it
        QCOMPARE(codec::fromBoxText(raw), all);

        // Mostly ASCII with the odd letter or line end anywhere, as saves read it in blocks.
        std::mt19937 random(7);
        for (int length = 0; length < 200; ++length) {
            std::string bytes;
            for (int i = 0; i < length; ++i) {
                const unsigned pick = random() % 20;
                bytes += pick == 0 ? '\n' : pick == 1 ? char(0x80 + random() % 128) : pick == 2 ? '\0' : char('a' + pick);
            }
            QString text = codec::toBoxText(bytes);
            text.replace(QLatin1Char('\n'), QChar::ParagraphSeparator);
            QCOMPARE(codec::fromBoxText(text), bytes);
        }
    }

    void outsideTextFitsTheDocument()
    {
        QCOMPARE(codec::fitForBox(QString::fromUtf8("a\r\nb\rc\nd")),
                 QString("a") + QChar::ParagraphSeparator + "b" + QChar::ParagraphSeparator + "c"
                     + QChar::ParagraphSeparator + "d");
        QCOMPARE(codec::fitForBox(QString::fromUtf8("க€é😀")), QString::fromUtf8("?€é?"));
        QCOMPARE(codec::fromBoxText(codec::fitForBox(QString(QChar(0)))), std::string(1, '\0'));
    }

    void dialogFiltersInQtForm()
    {
        QCOMPARE(qtNameFilters("Tamil Text File  (*.tam)| *.tam"), QStringList({"Tamil Text File  (*.tam)"}));
        QCOMPARE(qtNameFilters("Tamil Text File  (*.tam)| *.tam|All Files (*.*) | *.*"),
                 QStringList({"Tamil Text File  (*.tam)", "All Files (*)"}));
    }

    void messageBoxAsksAndAnswers()
    {
        QtMessageBox messages(nullptr);
        whenModal<QMessageBox>([](QMessageBox* box) {
            QCOMPARE(box->text(), QString("You have not saved the Document.  Do you want to save it now"));
            QCOMPARE(box->windowTitle(), QString("Save"));
            QCOMPARE(box->icon(), QMessageBox::Question);
            QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::Yes));
            box->button(QMessageBox::No)->click();
        });
        QCOMPARE(messages.ask({MessageId::UnsavedPrompt, {}}, Buttons::YesNoCancel), Answer::No);

        whenModal<QMessageBox>([](QMessageBox* box) {
            QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
            box->button(QMessageBox::Yes)->click();
        });
        QCOMPARE(messages.ask({MessageId::ReplaceExisting, {"q"}}, Buttons::YesNo), Answer::Yes);

        // Closed without an answer, New's Yes/No question is no No: the text must stay.
        whenModal<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
        QCOMPARE(messages.ask({MessageId::UnsavedPrompt, {}}, Buttons::YesNo), Answer::Cancel);
        whenModal<QMessageBox>([](QMessageBox* box) { box->close(); });
        QCOMPARE(messages.ask({MessageId::UnsavedPrompt, {}}, Buttons::YesNo), Answer::Cancel);
        whenModal<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_N); });  // its access letter
        QCOMPARE(messages.ask({MessageId::UnsavedPrompt, {}}, Buttons::YesNo), Answer::No);

        // A file name is shown as it is, but a terminal escape in it cannot act, nor can a
        // "%2" in it take the place of the reason.
        const QString text = messageText({MessageId::SaveFailed, {"/t/\x1b[31m%2 \xfe.tam", "No space left on device"}});
        QVERIFY2(text.contains("/t/\\x1b[31m%2 \\xfe.tam\n\nNo space left on device."), qPrintable(text));
    }

    void fileDialogOffersTheNameAndReturnsThePath()
    {
        QTemporaryDir dir;
        const QString chosen = dir.filePath("letter");
        QtFileDialog cmdlg(nullptr);
        cmdlg.Filter = "Tamil Text File  (*.tam)| *.tam";
        cmdlg.FileName = "Untitled.tam";
        whenModal<QFileDialog>([chosen](QFileDialog* d) {
            QCOMPARE(d->acceptMode(), QFileDialog::AcceptSave);
            // Qt's dialog collapses runs of blanks in what it shows.
            QCOMPARE(d->nameFilters(), QStringList({"Tamil Text File (*.tam)"}));
            QCOMPARE(d->findChild<QLineEdit*>("fileNameEdit")->text(), QString("Untitled.tam"));
            d->selectFile(chosen);
            QMetaObject::invokeMethod(d, "accept");
        });
        cmdlg.ShowSave();
        QCOMPARE(QString::fromStdString(cmdlg.FileName), chosen);

        whenModal<QFileDialog>([](QFileDialog* d) { d->reject(); });
        cmdlg.ShowOpen();
        QCOMPARE(cmdlg.FileName, std::string());
    }

    void readsRefuseWhatIsNoRegularFile()
    {
        QTemporaryDir dir;
        LocalFiles files;
        const std::string fifo = dir.filePath("fifo").toStdString();
        QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
        QCOMPARE(files.readFile(fifo, 100).status, ReadOutcome::Failed);  // and does not block
        QCOMPARE(files.readFile("/dev/zero", 100).error, std::string("it is not a regular file"));
        QCOMPARE(files.readFile(dir.path().toStdString(), 100).error, std::string("it is a folder"));
        QCOMPARE(files.readFile(dir.filePath("none").toStdString(), 100).status, ReadOutcome::Missing);

        QFile f(dir.filePath("f"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("0123456789");
        f.close();
        QCOMPARE(files.readFile(dir.filePath("f").toStdString(), 10).bytes, std::string("0123456789"));
        QCOMPARE(files.readFile(dir.filePath("f").toStdString(), 9).status, ReadOutcome::Failed);
        QCOMPARE(files.readFile("/proc/self/status", 1 << 20).status, ReadOutcome::Read);  // size 0, has bytes
    }

    // A save replaces the file; the old version, removed after the save returns, leaves
    // nothing behind, and a hard-linked file keeps its other name.
    void replacedVersionsLeaveNothingBehind()
    {
        QTemporaryDir dir;
        LocalFiles files;
        const std::string path = QFile::encodeName(dir.filePath("letter.tam")).toStdString();
        for (const char* text : {"one\r\n", "two\r\n", "three\r\n"})
            QVERIFY(files.writeFile(path, {text}).written);
        QCOMPARE(files.readFile(path, 100).bytes, std::string("three\r\n"));
        QTRY_COMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"letter.tam"}));

        const std::string other = QFile::encodeName(dir.filePath("other.tam")).toStdString();
        QCOMPARE(::link(path.c_str(), other.c_str()), 0);
        QVERIFY(files.writeFile(path, {"four\r\n"}).written);
        QCOMPARE(files.readFile(other, 100).bytes, std::string("three\r\n"));  // a new file under this name only
        QTRY_COMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"letter.tam", "other.tam"}));
    }
};

QTEST_MAIN(TestQtServices)
#include "test_qt_services.moc"
