// Menu items, toolbar buttons, the clipboard, font size and the About windows.

#include "../support/window_test.h"
#include "about/about_windows.h"
#include "document/unicode_tamil.h"
#include "office/office_document.h"
#include "window/form1.h"
#include "window/status_panels.h"
#include "window/text_box.h"

#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QToolBar>
#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

using namespace orvane;
using namespace orvane::test;

class TestCommands : public WindowTest {
    Q_OBJECT


    QString text() const { return form->Text1->toPlainText(); }
    QAction* button(const char* key)
    {
        for (QAction* action : form->Toolbar1->actions())
            if (action->data().toString() == QLatin1String(key))
                return action;
        return nullptr;
    }
    double fontSize() const { return form->Text1->font().pointSizeF(); }
    void setFontSize(double points)
    {
        QFont f = form->Text1->font();
        f.setPointSizeF(points);
        form->Text1->setFont(f);
    }

private slots:
    void init()
    {
        freshScripts();
        startWindow();
    }

    void cleanup() { form.reset(); }

    void toolbarKeysReachTheirOperations()
    {
        type("kaka");
        form->Toolbar1_ButtonClick(button("Save"));
        QCOMPARE(dialog.shown.size(), 1u);
        QVERIFY(dialog.shown[0].saving);
        messages.answers = {Answer::Cancel};
        form->Toolbar1_ButtonClick(button("Open"));
        QCOMPARE(messages.asked.size(), 1u);
        QCOMPARE(dialog.shown.size(), 1u);

        form->Text1->selectAll();
        QApplication::clipboard()->setText("x");
        form->Toolbar1_ButtonClick(button("Copy"));
        QCOMPARE(QApplication::clipboard()->text(), QString("ff"));
        form->Toolbar1_ButtonClick(button("Cut"));
        QCOMPARE(text(), QString());
        form->Toolbar1_ButtonClick(button("Paste"));
        form->Toolbar1_ButtonClick(button("Paste"));
        QCOMPARE(text(), QString("ffff"));

        form->Toolbar1_ButtonClick(button("Big"));
        QCOMPARE(fontSize(), 16.75);
        form->Toolbar1_ButtonClick(button("Small"));
        QCOMPARE(fontSize(), 15.75);

        messages.answers = {Answer::No};
        form->Toolbar1_ButtonClick(button("New"));
        QCOMPARE(text(), QString());

        // A key of no command, the separator and the gap do nothing.
        QAction stray;
        stray.setData(QString("Print"));
        type("ka");
        form->Toolbar1_ButtonClick(&stray);
        form->Toolbar1_ButtonClick(nullptr);
        for (QAction* a : form->Toolbar1->actions())
            if (a->data().toString().isEmpty())
                form->Toolbar1_ButtonClick(a);
        QCOMPARE(text(), QString("f"));
        QCOMPARE(dialog.shown.size(), 1u);
        QCOMPARE(fontSize(), 15.75);
    }

    void toolbarButtonsWorkByMouse()
    {
        type("ka");
        form->Text1->selectAll();
        QWidget* copy = form->Toolbar1->widgetForAction(button("Copy"));
        QApplication::clipboard()->setText("x");
        QTest::mouseClick(copy, Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(), QString("f"));
        QTest::mouseClick(form->Toolbar1->widgetForAction(button("Big")), Qt::LeftButton);
        QCOMPARE(fontSize(), 16.75);
        QCOMPARE(QApplication::focusWidget(), form->Text1);
    }

    void cutCopiesThenDeletesAndPasteFitsTheDocument()
    {
        type("kakY");
        QTest::keyClick(form->Text1, Qt::Key_Home);
        QTest::keyClick(form->Text1, Qt::Key_Right, Qt::ShiftModifier);
        form->menCut_Click();
        QCOMPARE(text(), QString("nfs"));
        QCOMPARE(QApplication::clipboard()->text(), QString("f"));
        QVERIFY(form->document().DocumentChanged());
        QTest::keyClick(form->Text1, Qt::Key_End);
        form->document().setDocumentChanged(false);
        form->menPaste_Click();
        QCOMPARE(text(), QString("nfsf"));
        QVERIFY(form->document().DocumentChanged());

        form->menCut_Click();  // nothing selected: nothing happens
        QCOMPARE(text(), QString("nfsf"));
        QCOMPARE(QApplication::clipboard()->text(), QString("f"));

        QApplication::clipboard()->setText(QString::fromUtf8("a\né€😀b"));
        form->menPaste_Click();
        QCOMPARE(form->Text1->documentBytes(), std::string("nfsfa\r\n\xe9\x80?b"));

        form->Text1->moveCursor(QTextCursor::Start);
        form->menCopy_Click();  // nothing selected: an empty text
        QCOMPARE(QApplication::clipboard()->text(), QString());
        QCOMPARE(QApplication::focusWidget(), form->Text1);
    }

    void unicodeInAndOut()
    {
        // Tamil from a web page comes in as the codes that draw it.
        QApplication::clipboard()->setText(QString::fromUtf8("வணக்கம், ஸ்ரீ\nகௌ"));
        form->menPaste_Click();
        QCOMPARE(form->Text1->documentBytes(), std::string("tzf;fk;> =\r\nnfs"));

        // Copy as Unicode: the whole document with nothing selected, else the selection.
        QTest::keyClick(form->Text1, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString::fromUtf8("வணக்கம், ஸ்ரீ\nகௌ"));
        QTest::keyClick(form->Text1, Qt::Key_Home);
        QTest::keyClick(form->Text1, Qt::Key_End, Qt::ShiftModifier);
        form->command("menCopyUnicode")->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QString::fromUtf8("கௌ"));
        QCOMPARE(form->Text1->documentBytes(), std::string("tzf;fk;> =\r\nnfs"));
        QCOMPARE(QApplication::focusWidget(), form->Text1);
    }

    void exportAsUnicode()
    {
        QTemporaryDir dir;
        type("vaOak.kam.");
        QTest::keyClick(form->Text1, Qt::Key_Return);
        type("damiz.");
        form->document().setDocumentFileName(dir.filePath("letter.tam").toStdString());
        dialog.answers = {dir.filePath("letter").toStdString()};
        form->command("menExport")->trigger();
        QCOMPARE(dialog.shown.back().offered, dir.filePath("letter.txt").toStdString());
        QCOMPARE(dialog.shown.back().filter, std::string("Unicode Text File (*.txt)|*.txt"));
        QFile written(dir.filePath("letter.txt"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(written.readAll()), QString::fromUtf8("வணக்கம்\nதமிழ்\n"));
        QVERIFY(form->document().DocumentChanged());  // exporting is no save

        dialog.answers = {};  // cancelled: nothing written, nothing said
        form->command("menExport")->trigger();
        QVERIFY(messages.warnings.empty());

        QDir(dir.path()).mkdir("taken.txt");
        dialog.answers = {dir.filePath("taken.txt").toStdString()};
        form->command("menExport")->trigger();
        QCOMPARE(messages.warnings.size(), 1u);
        QVERIFY(mentions(messages.warnings[0], "taken.txt"));
        QVERIFY(QFileInfo(dir.filePath("taken.txt")).isDir());
    }

    void pasteFromAnEmptyClipboard()
    {
        type("kaka");
        QApplication::clipboard()->clear();
        form->menPaste_Click();
        QCOMPARE(text(), QString("ff"));
        auto* image = new QMimeData;
        image->setImageData(QImage(4, 4, QImage::Format_RGB32));
        QApplication::clipboard()->setMimeData(image);
        form->menPaste_Click();
        QCOMPARE(text(), QString("ff"));
        form->Text1->selectAll();
        form->menPaste_Click();  // no text: the selection goes, nothing comes
        QCOMPARE(text(), QString());
    }

    void everyWayInTakesTheOnePastePath_data()
    {
        QTest::addColumn<QString>("way");
        for (const char* way : {"Ctrl+V", "Shift+Insert", "context menu", "middle-click", "drop"})
            QTest::newRow(way) << way;
    }

    void everyWayInTakesTheOnePastePath()
    {
        QFETCH(QString, way);
        auto pasteBy = [&] {
            if (way == "Ctrl+V") {
                QTest::keyClick(form->Text1, Qt::Key_V, Qt::ControlModifier);
            } else if (way == "Shift+Insert") {
                QTest::keyClick(form->Text1, Qt::Key_Insert, Qt::ShiftModifier);
            } else if (way == "context menu") {
                std::unique_ptr<QMenu> menu(form->Text1->createStandardContextMenu());
                for (QAction* a : menu->actions())
                    if (a->objectName() == "edit-paste")
                        a->trigger();
            } else if (way == "middle-click") {
                QTest::mouseClick(form->Text1->viewport(), Qt::MiddleButton, {}, QPoint(400, 200));
            } else {
                const QPoint at(400, 200);
                auto* data = new QMimeData;
                if (const QMimeData* clip = QApplication::clipboard()->mimeData(QClipboard::Clipboard))
                    for (const QString& format : clip->formats())
                        data->setData(format, clip->data(format));
                QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, {});
                QApplication::sendEvent(form->Text1->viewport(), &enter);
                QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, {});
                QApplication::sendEvent(form->Text1->viewport(), &drop);
                delete data;
            }
        };
        const bool selection = way == "middle-click";
        if (selection && !QApplication::clipboard()->supportsSelection())
            QSKIP("this platform has no selection clipboard");
        const QClipboard::Mode mode = selection ? QClipboard::Selection : QClipboard::Clipboard;

        QApplication::clipboard()->clear(mode);
        pasteBy();  // nothing to paste: nothing happens, and nothing breaks
        QCOMPARE(form->Text1->documentBytes(), std::string());

        // Tamil from outside comes in as its codes, the rest as other text; a byte-order mark
        // at the start is no character. Into a .tam document, other text asks first: kept,
        // the document is Unicode text from now on.
        QApplication::clipboard()->setText(QString::fromUtf8("\uFEFFவணக்கம் é😀"), mode);
        messages.answers = {Answer::Yes};
        pasteBy();
        QCOMPARE(messages.asked.size(), 1u);
        QVERIFY(messages.asked[0].message.id == MessageId::OtherTextEnters);
        QCOMPARE(form->Text1->documentBytes(), std::string("tzf;fk; \x0E\xc3\xa9\xf0\x9f\x98\x80\x0F"));
        QVERIFY(form->document().format().kind == DocumentFormat::Unicode);
    }

    void aLoneLineFeedCopiesAsItself()
    {
        form->Text1->setDocumentBytes(std::string("a\nb\r\nc", 6));
        form->Text1->selectAll();
        form->menCopy_Click();
        QCOMPARE(QApplication::clipboard()->text(), QString("a\nb\nc"));  // other programs see lines
        QTest::keyClick(form->Text1, Qt::Key_End, Qt::ControlModifier);
        form->menPaste_Click();
        QCOMPARE(form->Text1->documentBytes(), std::string("a\nb\r\nca\nb\r\nc"));
    }

    // Other programs get a Unicode document's own text, and a .tam document's codes; both as
    // HTML they read as Tamil too.
    void copiesSpeakTheDocumentsForm()
    {
        form->Text1->setDocumentBytes("jkpo;");
        form->Text1->selectAll();
        form->menCopy_Click();
        QCOMPARE(QApplication::clipboard()->text(), QString("jkpo;"));
        QVERIFY(QApplication::clipboard()->mimeData()->html().contains(QString::fromUtf8("தமிழ்")));

        QTemporaryDir dir;
        QFile file(dir.filePath("mixed.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("தமிழ் Hello\n");
        file.close();
        startWindow('"' + file.fileName().toStdString() + '"');
        QVERIFY(form->document().format().kind == DocumentFormat::Unicode);
        form->Text1->selectAll();
        form->menCopy_Click();
        QCOMPARE(QApplication::clipboard()->text(), QString::fromUtf8("தமிழ் Hello"));
        QVERIFY(QApplication::clipboard()->mimeData()->html().contains(QString::fromUtf8("தமிழ் Hello")));
        QTest::keyClick(form->Text1, Qt::Key_End, Qt::ControlModifier);
        form->menPaste_Click();  // Orvane's own copy comes back as it was
        QCOMPARE(QString::fromStdString(baminiToUnicode(form->Text1->documentBytes())), QString::fromUtf8("தமிழ் Helloதமிழ் Hello"));
    }

    // The Tamil code 0E is written 0E 0F in the document: one letter of the box, with English
    // beside it or not, that the caret cannot split.
    void theCode0EIsOneLetter()
    {
        const std::string withEnglish("ab \x0E\x0F cd \x0EHi\x0F", 13);
        form->Text1->setDocumentBytes(withEnglish);
        QCOMPARE(form->Text1->documentBytes(), withEnglish);
        QCOMPARE(form->Text1->documentByteCount(), withEnglish.size());
        const std::string tamil("ab \x0E\x0F cd", 9);
        form->Text1->setDocumentBytes(tamil);
        QCOMPARE(form->Text1->document()->characterCount() - 1, 8);
        QCOMPARE(form->Text1->documentBytes(), tamil);
        QCOMPARE(form->Text1->documentByteCount(), tamil.size());
        form->Text1->selectAll();
        QCOMPARE(form->Text1->selectionBytes(), tamil);
        // A Tamil text opened where the caret stood in English is still Tamil, whole or in pieces.
        for (const bool pieces : {false, true}) {
            form->Text1->setDocumentBytes("\x0EHi\x0F");
            const std::string next("ab\r\n\ncd");
            if (pieces)
                QVERIFY(form->Text1->setDocumentBytes(next, [](double) { return true; }));
            else
                form->Text1->setDocumentBytes(next);
            QCOMPARE(form->Text1->documentBytes(), next);
        }
    }

    // File > Convert Document...: the document chosen, the way asked, into a document of its
    // kind under the name offered, which then opens; a PDF's text becomes Unicode text.
    void aDocumentIsConvertedAndOpened()
    {
        QTemporaryDir dir;
        const QString odt = dir.filePath("certificate.odt");
        QVERIFY(QFile::copy(QFINDTESTDATA("../data/office/transfer-certificate.odt"), odt));
        dialog.answers = {odt.toStdString(), dir.filePath("certificate-unicode.odt").toStdString()};
        messages.answers = {Answer::Yes};
        form->menConvert_Click();
        QCOMPARE(dialog.shown.back().offered, dir.filePath("certificate-unicode.odt").toStdString());
        QFile out(dir.filePath("certificate-unicode.odt"));
        QVERIFY(out.open(QIODevice::ReadOnly));
        const std::string bytes = out.readAll().toStdString();
        QCOMPARE(office::kindOf(bytes), office::DocumentKind::Odt);
        QFile expected(QFINDTESTDATA("../data/office/transfer-certificate.txt"));
        QVERIFY(expected.open(QIODevice::ReadOnly));
        const QString firstLine = QString::fromUtf8(expected.readLine()).trimmed();
        QVERIFY2(QString::fromStdString(baminiToUnicode(form->Text1->documentBytes())).contains(firstLine),
                 qPrintable(firstLine));  // opened, as its text

        const QString pdf = QFINDTESTDATA("../data/pdf/funeral-assistance-form.pdf");
        messages.answers = {Answer::No};  // the opened document is not to be saved
        dialog.answers = {pdf.toStdString(), dir.filePath("form.txt").toStdString()};
        const std::size_t asked = messages.asked.size();
        form->menConvert_Click();
        QVERIFY(dialog.shown.back().offered.ends_with("/funeral-assistance-form.txt"));
        QVERIFY(QString::fromStdString(baminiToUnicode(form->Text1->documentBytes())).contains(u8"இறந்த உறுப்பினரின் பெயர்"));
        QVERIFY(std::none_of(messages.asked.begin() + long(asked), messages.asked.end(),
                             [](const auto& a) { return a.message.id == MessageId::ConvertWhichWay; }));  // a PDF goes one way

        // Text that is no such document is refused with why, nothing written.
        const QString notes = dir.filePath("notes.odt");
        QVERIFY(QFile::copy(QFINDTESTDATA("../data/office/mid-year-examination.txt"), notes));
        messages.answers = {Answer::Yes};
        dialog.answers = {notes.toStdString(), dir.filePath("notes-unicode.odt").toStdString()};
        const std::size_t warned = messages.warnings.size();
        form->menConvert_Click();
        QCOMPARE(messages.warnings.size(), warned + 1);
        QCOMPARE(messages.warnings.back().id, MessageId::ConvertFailed);
        QVERIFY(!QFile::exists(dir.filePath("notes-unicode.odt")));
    }

    void droppedFileOpensLikeOpen()
    {
        QTemporaryDir dir;
        const QByteArray name = QFile::encodeName(dir.path()) + "/h\xfe.tam";  // not UTF-8
        QFile file(QFile::decodeName(name));
        {
            const int fd = ::open(name.constData(), O_WRONLY | O_CREAT, 0644);
            QVERIFY(fd >= 0);
            QCOMPARE(::write(fd, "tzf;fk;\r\n", 9), 9);
            ::close(fd);
        }
        type("ka");
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromEncoded("file://" + name.toPercentEncoding("/"))});
        data->setText("file://" + QString::fromLatin1(name));  // as file managers add it
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, data, Qt::LeftButton, {});
        QApplication::sendEvent(form->Text1->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPoint(10, 10), Qt::CopyAction, data, Qt::LeftButton, {});
        messages.answers = {Answer::No};
        QApplication::sendEvent(form->Text1->viewport(), &drop);
        delete data;
        QCOMPARE(messages.asked.size(), 1u);
        QVERIFY(messages.asked[0].message.id == MessageId::UnsavedPrompt);
        QCOMPARE(form->Text1->documentBytes(), std::string("tzf;fk;"));
        QCOMPARE(form->document().DocumentFileName(), name.toStdString());
    }

    void fontSizeSteps()
    {
        form->document().setDocumentChanged(false);
        form->Toolbar1_ButtonClick(button("Big"));
        QCOMPARE(form->editor().fontSizeTenThousandths(), 167500);
        form->Toolbar1_ButtonClick(button("Big"));
        QCOMPARE(form->editor().fontSizeTenThousandths(), 177500);
        QVERIFY(!form->document().DocumentChanged());
        QCOMPARE(form->StatusBar1->panel(1)->font().pointSizeF(), 12.0);

        setFontSize(6);
        form->Toolbar1_ButtonClick(button("Small"));
        QCOMPARE(fontSize(), 5.0);
        form->Toolbar1_ButtonClick(button("Small"));
        QCOMPARE(fontSize(), 5.0);
        setFontSize(4.75);
        form->Toolbar1_ButtonClick(button("Small"));
        QCOMPARE(fontSize(), 4.75);

        setFontSize(398.5);
        form->Toolbar1_ButtonClick(button("Big"));
        QCOMPARE(fontSize(), 399.5);
        form->Toolbar1_ButtonClick(button("Big"));
        QCOMPARE(fontSize(), 399.5);  // the largest step stops short of 400
        type("ka");
        QCOMPARE(text(), QString("f"));
        QCOMPARE(QApplication::focusWidget(), form->Text1);
    }

    void aboutProgramLoadsOnceUntilClosed()
    {
        form->command("menProgram")->trigger();
        FrmProg* about = form->aboutProgram();
        QVERIFY(about && about->isVisible());
        QCOMPARE(about->windowTitle(), QString("About Program"));
        QCOMPARE(about->Label1->text(), QString("Application Name"));
        QVERIFY(about->Label1->font().bold());
        QCOMPARE(about->Label2->text(), QString("Orvane"));
        QCOMPARE(about->Label3->text(), QString("Version"));
        QCOMPARE(about->Label4->text(), QString("1.0"));
        QCOMPARE(about->cmdOK->text(), QString("OK"));
        QCOMPARE(about->parentWidget(), nullptr);
        QVERIFY(!about->isModal());

        form->command("menProgram")->trigger();  // already shown: the same window
        QCOMPARE(form->aboutProgram(), about);

        QTest::mouseClick(about->cmdOK, Qt::LeftButton);
        QVERIFY(!about->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), form->Text1);
        form->command("menProgram")->trigger();
        QCOMPARE(form->aboutProgram(), about);  // hidden, not unloaded: the same window

        about->close();  // the close box unloads it
        QTRY_VERIFY(!form->aboutProgram());
        form->command("menProgram")->trigger();  // loaded again
        QVERIFY(form->aboutProgram());
        QCOMPARE(form->aboutProgram()->Label4->text(), QString("1.0"));
    }

    void aboutProgrammerWhileTheEditorWorks()
    {
        QTest::keyClick(form->Text1, Qt::Key_U, Qt::ControlModifier);
        FrmMe* me = form->aboutProgrammer();
        QVERIFY(me && me->isVisible());
        QCOMPARE(me->windowTitle(), QString("About Programmer"));
        QVERIFY(me->Label1->text().contains("Orvane developers"));
        QVERIFY(me->Label2->text().startsWith("https://"));

        form->activateWindow();
        form->Text1->setFocus();
        type("ka");  // the editor stays usable
        QCOMPARE(text(), QString("f"));

        QTest::mouseClick(me->Command1, Qt::LeftButton);
        QVERIFY(!me->isVisible());
        QCOMPARE(form->aboutProgrammer(), me);
        form->command("menProgrammer")->trigger();
        QCOMPARE(form->aboutProgrammer(), me);
        me->close();
        QTRY_VERIFY(!form->aboutProgrammer());
    }
};

QTEST_MAIN(TestCommands)
#include "test_commands.moc"
