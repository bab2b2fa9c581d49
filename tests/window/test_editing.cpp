// The everyday editing of a writer: the find bar typed like the text, replacing, going to a
// line, counting, undo from the menu, zoom, and what a restarted Orvane remembers.

#include "../support/window_test.h"
#include "document/unicode_tamil.h"
#include "platform/text_codec.h"
#include "window/find_bar.h"
#include "window/status_panels.h"
#include "window/keyboard_map.h"
#include "window/tamil_field.h"

#include <QClipboard>
#include <QComboBox>
#include <QMimeData>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QToolButton>
#include <QScreen>
#include <QToolButton>
#include <QtTest>

using namespace orvane;
using namespace orvane::test;

class TestEditing : public WindowTest {
    Q_OBJECT

    std::string bytes() const { return form->Text1->documentBytes(); }
    std::string selected() const { return form->Text1->selectionBytes(); }
    QString selectedUnicode() const { return QString::fromStdString(baminiToUnicode(selected())); }
    void keys(QWidget* to, const QString& text) { QTest::keyClicks(to, text); }

private slots:
    void init()
    {
        freshScripts();
        startWindow();
    }

    void cleanup() { form.reset(); }

    // Tamil99 chosen in Edit > Typing: the text box and the find field read keys by it, the
    // status bar names it, and a click elsewhere ends the joining of the letter typed last.
    void tamil99InTheWindow()
    {
        keys(form->Text1, "ka ka");
        form->command("menUndo")->trigger();  // the caret stays where the undone key was
        QCOMPARE(form->Text1->textCursor().position(), 2);
        form->command("menTamil99")->trigger();
        QCOMPARE(form->StatusBar1->typingPanel()->note(), QString("Tamil99"));
        keys(form->Text1, "vphhkf ajjq");
        QCOMPARE(QString::fromStdString(baminiToUnicode(bytes())), QString::fromUtf8("க வணக்கம் அப்பா"));
        form->command("menUndo")->trigger();  // one key, one step: the ா goes, ப waits again
        QCOMPARE(QString::fromStdString(baminiToUnicode(bytes())), QString::fromUtf8("க வணக்கம் அப்ப"));
        keys(form->Text1, "h");
        QTest::keyClick(form->Text1, Qt::Key_Home);
        QTest::keyClick(form->Text1, Qt::Key_End);
        keys(form->Text1, "g");  // not கெ: the caret left the க
        QCOMPARE(QString::fromStdString(baminiToUnicode(bytes())), QString::fromUtf8("க வணக்கம் அப்பகஎ"));
        // The map draws Tamil99: a vowel key shows the syllable it would make with the க typed
        // last, and a click types it.
        keys(form->Text1, "h");
        QTest::keyClick(form->Text1, Qt::Key_F1);
        KeyboardMap* map = form->keyboardMap();
        QVERIFY(map && map->isVisible());
        QCOMPARE(map->cap('g')->toolTip(), QString::fromUtf8("கெ"));
        QCOMPARE(map->cap('h')->toolTip(), QString::fromUtf8("க்க"));
        map->cap('g')->click();
        QVERIFY(QString::fromStdString(baminiToUnicode(bytes())).endsWith(QString::fromUtf8("எகெ")));
        QCOMPARE(map->cap('g')->toolTip(), QString::fromUtf8("எ"));
        map->close();
        form->command("menFind")->trigger();
        keys(form->findBar()->findField, "hg");
        QCOMPARE(form->findBar()->findField->text(), QString::fromUtf8("கெ"));
        QCOMPARE(form->findBar()->findField->pending(), QString());
        form->command("menTypewriter")->trigger();
        QCOMPARE(form->StatusBar1->typingPanel()->note(), QString("Bamini"));
        QVERIFY(form->findChild<QComboBox*>("Toolbar1_Keyboard")->currentText() == "Bamini typewriter");
        // The choice is remembered: a new window types with it too.
        form->document().setDocumentChanged(false);
        form.reset();
        startWindow();
        QCOMPARE(form->editor().keyboard(), Keyboard::Typewriter);
        form->command("menPhonetic")->trigger();
    }

    void findTypedLikeTheText()
    {
        type("vaOak.kam. damiz. vaOak.kam.");  // வணக்கம் தமிழ் வணக்கம்
        QTest::keyClick(form->Text1, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(form->findBar()->isVisible());
        QCOMPARE(QApplication::focusWidget(), form->findBar()->findField);
        keys(form->findBar()->findField, "vaOak.kam.");
        QCOMPARE(form->findBar()->findField->unicode(), std::string("வணக்கம்"));  // shown as Tamil
        QTest::keyClick(form->findBar()->findField, Qt::Key_Return);
        QCOMPARE(selected(), std::string("tzf;fk;"));
        QCOMPARE(form->Text1->textCursor().selectionStart(), 0);  // from the end, on from the top
        QCOMPARE(form->findBar()->count->text(), QString("1 of 2"));
        QVERIFY(!form->findBar()->note->text().isEmpty());
        QTest::keyClick(form->findBar()->findField, Qt::Key_F3);
        QCOMPARE(form->findBar()->count->text(), QString("2 of 2"));
        QCOMPARE(form->Text1->textCursor().selectionStart(), 14);
        QTest::keyClick(form->findBar()->findField, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(form->findBar()->count->text(), QString("1 of 2"));

        // Tamil pasted from anywhere is found the same way; a letter finds its syllables.
        form->findBar()->findField->clear();
        QApplication::clipboard()->setText(QString::fromUtf8("மி"));
        QTest::keyClick(form->findBar()->findField, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(form->findBar()->findField->unicode(), std::string("மி"));
        QTest::keyClick(form->findBar()->findField, Qt::Key_Return);
        QCOMPARE(selected(), std::string("kp"));
        QCOMPARE(form->findBar()->count->text(), QString("1 of 1"));
        // An edit while the bar is open is searched too (the bar keeps the text between searches).
        form->Text1->setFocus();
        QTest::keyClick(form->Text1, Qt::Key_End, Qt::ControlModifier);
        type(" mi");
        form->findBar()->findField->setFocus();
        QTest::keyClick(form->findBar()->findField, Qt::Key_Return);
        QCOMPARE(form->findBar()->count->text(), QString("1 of 2"));

        QTest::keyClick(form->findBar()->findField, Qt::Key_Escape);
        QVERIFY(!form->findBar()->isVisible());
        QCOMPARE(QApplication::focusWidget(), form->Text1);
        QCOMPARE(bytes(), std::string("tzf;fk; jkpo; tzf;fk; kp"));  // searching changed nothing
        QVERIFY(form->document().DocumentChanged());
        QVERIFY(form->Text1->extraSelections().isEmpty());
        // Opened again, it marks every match of what it holds at once.
        QTest::keyClick(form->Text1, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(form->Text1->extraSelections().size(), 2);
    }

    // English in either case unless Match case; Whole words finds no part of a word. The
    // fields keep their width whatever the bar says.
    void findOptions()
    {
        form->Text1->setDocumentBytes("\x0EThe theme\x0F tzf;fk; tzf;fkhf");  // ... வணக்கம் வணக்கமாக
        QTest::keyClick(form->Text1, Qt::Key_F, Qt::ControlModifier);
        FindBar* bar = form->findBar();
        QCoreApplication::processEvents();
        const int fieldWidth = bar->findField->width();
        QTest::keyClick(bar->findField, Qt::Key_F12);
        keys(bar->findField, "the");
        QTest::keyClick(bar->findField, Qt::Key_F12);
        QTest::keyClick(bar->findField, Qt::Key_Return);
        QCOMPARE(bar->count->text(), QString("1 of 2"));
        bar->matchCase->click();
        QTest::keyClick(bar->findField, Qt::Key_Return);
        QCOMPARE(bar->count->text(), QString("1 of 1"));
        bar->matchCase->click();
        bar->wholeWords->click();
        QTest::keyClick(bar->findField, Qt::Key_Return);
        QCOMPARE(bar->count->text(), QString("1 of 1"));
        QCOMPARE(QString::fromStdString(baminiToUnicode(selected())), QString("The"));
        bar->findField->clear();
        keys(bar->findField, "vaOak.k");  // வணக்க: a part of both words
        QTest::keyClick(bar->findField, Qt::Key_Return);
        QCOMPARE(bar->count->text(), QString("No match"));
        bar->wholeWords->click();
        QTest::keyClick(bar->findField, Qt::Key_Return);
        QCOMPARE(bar->count->text(), QString("1 of 2"));
        QTest::keyClick(bar->findField, Qt::Key_Return);
        QTest::keyClick(bar->findField, Qt::Key_Return);
        QCOMPARE(bar->note->text(), QString("Went on from the top"));
        QCoreApplication::processEvents();
        QCOMPARE(bar->findField->width(), fieldWidth);
        QTest::keyClick(bar->findField, Qt::Key_Escape);
    }

    // Tab goes from the replace field to Replace and Replace All, which their keys press too.
    void theReplaceRowByKeyboard()
    {
        type("ka ka");
        form->command("menReplace")->trigger();
        keys(form->findBar()->findField, "ka");
        QTest::keyClick(form->findBar()->findField, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->findBar()->replaceField);
        keys(form->findBar()->replaceField, "ma");
        QTest::keyClick(form->findBar()->replaceField, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("ReplaceOne"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("ReplaceAll"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(QString::fromStdString(baminiToUnicode(bytes())), QString::fromUtf8("ம ம"));
    }

    void replaceOneAndAllAsOneUndo()
    {
        // A letter of about a megabyte that names கண்ணன் throughout.
        const std::string line = "md;Gs;s fz;zd; mth;fSf;F> tzf;fk;\r\n";
        std::string letter;
        while (letter.size() < (1 << 20))
            letter += line;
        form->Text1->setDocumentBytes(letter);
        form->command("menReplace")->trigger();
        keys(form->findBar()->findField, "kaO.Oao.");                        // கண்ணன்
        keys(form->findBar()->replaceField, "muraLi");                        // முரளி
        QTest::keyClick(form->findBar()->replaceField, Qt::Key_Return);      // finds the first
        QTest::keyClick(form->findBar()->replaceField, Qt::Key_Return);      // replaces it, on to the next
        QCOMPARE(bytes().substr(0, 30), std::string("md;Gs;s Kusp mth;fSf;F> tzf;fk"));
        QTest::mouseClick(form->findBar()->findChild<QPushButton*>("ReplaceAll"), Qt::LeftButton);
        QCOMPARE(bytes().find("fz;zd;"), std::string::npos);
        QCOMPARE(form->findBar()->note->text(), QString("Replaced %1").arg(letter.size() / line.size() - 1));
        form->command("menUndo")->trigger();  // one step takes every replacement back
        QCOMPARE(bytes().substr(0, 30), std::string("md;Gs;s Kusp mth;fSf;F> tzf;fk"));
        QVERIFY(bytes().substr(line.size() - 2) == letter.substr(line.size()));  // 4 codes for 6
        form->command("menRedo")->trigger();
        QCOMPARE(bytes().find("fz;zd;"), std::string::npos);
    }

    // English between Tamil words: F12 switches the typing; in a .tam document the first English
    // key asks, and kept, the document is Unicode text from now on.
    void englishTypingAndTheTwoKindsOfDocument()
    {
        type("ka");
        QTest::keyClick(form->Text1, Qt::Key_F12);
        QVERIFY(form->editor().typesEnglish());
        QCOMPARE(form->StatusBar1->typingPanel()->note(), QString("English"));
        messages.answers = {Answer::Yes};
        // Typing goes on while the question shows: those keys wait for the answer, and are
        // neither lost nor taken for one (Space, and the buttons' letters).
        messages.onAsk = [](const Message&) {
            QWidget* to = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::focusWidget();
            QTest::keyClicks(to, "Hi Yn");
        };
        type(" ");
        messages.onAsk = nullptr;
        QTRY_COMPARE(bytes(), std::string("f\x0E Hi Yn\x0F"));
        QTest::keyClick(form->Text1, Qt::Key_Backspace);
        QTest::keyClick(form->Text1, Qt::Key_Backspace);
        QTest::keyClick(form->Text1, Qt::Key_Backspace);
        QCOMPARE(messages.asked.size(), 1u);
        QVERIFY(messages.asked[0].message.id == MessageId::OtherTextEnters);
        QVERIFY(form->document().format().kind == DocumentFormat::Unicode);
        QCOMPARE(bytes(), std::string("f\x0E Hi\x0F"));
        QCOMPARE(form->windowTitle(), QString("Orvane [ Untitled.txt ]"));  // the name Save will offer
        QTest::keyClick(form->Text1, Qt::Key_F12);
        type("ka");
        QCOMPARE(bytes(), std::string("f\x0E Hi\x0F" "f"));
        QCOMPARE(messages.asked.size(), 1u);  // Unicode now: nothing more to ask
        dialog.answers = {QDir::temp().filePath("orvane-english").toStdString()};
        dialog.filters = {1};  // the form the dialog offers: Unicode text
        form->menSave_Click();
        QCOMPARE(dialog.shown.back().offered, std::string("Untitled.txt"));
        QFile saved(QDir::temp().filePath("orvane-english.txt"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(saved.readAll()), QString::fromUtf8("க Hiக\n"));
        saved.remove();

        // Left out: the document stays Tamil, and so does the typing.
        startWindow();
        QTest::keyClick(form->Text1, Qt::Key_F12);
        messages.answers = {Answer::No};
        messages.onAsk = [](const Message&) { QTest::keyClicks(QApplication::focusWidget(), "ka"); };
        type("H");
        messages.onAsk = nullptr;
        QTRY_COMPARE(bytes(), std::string("f"));  // what was typed meanwhile, typed as Tamil
        QVERIFY(!form->editor().typesEnglish());
        type("ka");
        QCOMPARE(bytes(), std::string("ff"));
    }

    // Tamil words are words: a letter with its signs and pulli is inside one.
    void wordsByTamilLetters()
    {
        type("xao.puL.La naO.pA, ");  // அன்புள்ள நண்பா
        form->Text1->moveCursor(QTextCursor::Start);
        QTest::keyClick(form->Text1, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(selectedUnicode(), QString::fromUtf8("அன்புள்ள"));
        QTest::keyClick(form->Text1, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(selectedUnicode(), QString::fromUtf8("அன்புள்ள நண்பா"));
        QTest::keyClick(form->Text1, Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(form->Text1->textCursor().position(), 8);  // the start of நண்பா
        const QRect at = form->Text1->cursorRect(QTextCursor(form->Text1->document()->findBlock(0)));
        QTest::mouseDClick(form->Text1->viewport(), Qt::LeftButton, {}, at.center() + QPoint(12, 0));
        QCOMPARE(selectedUnicode(), QString::fromUtf8("அன்புள்ள"));
    }

    // The caret stands between syllables: Left and Right step over a letter with its signs
    // (Bamini draws கொ as three codes, the sign before the letter), Delete takes the syllable
    // after the caret, and Backspace keeps each form's meaning: one code in a .tam document,
    // one character in a Unicode one.
    void theCaretStandsBetweenSyllables()
    {
        type("ko");  // கொ: n f h
        QTest::keyClick(form->Text1, Qt::Key_Left);
        QCOMPARE(form->Text1->textCursor().position(), 0);
        type("ma");  // before it, not inside it (மெகா)
        QCOMPARE(bytes(), std::string("knfh"));
        QTextCursor inside(form->Text1->document());
        inside.setPosition(3);  // between க and its kaal
        QTest::mouseClick(form->Text1->viewport(), Qt::LeftButton, {}, form->Text1->cursorRect(inside).center());
        QVERIFY2(form->Text1->textCursor().position() % 3 == 1, "a click puts the caret at a syllable's edge");
        inside.setPosition(1);
        form->Text1->setTextCursor(inside);
        QTest::keyClick(form->Text1, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(selectedUnicode(), QString::fromUtf8("கொ"));
        QTest::keyClick(form->Text1, Qt::Key_Left);  // off the selection, to its start
        QTest::keyClick(form->Text1, Qt::Key_Delete);
        QCOMPARE(bytes(), std::string("k"));
        QTest::keyClick(form->Text1, Qt::Key_End);
        type("ko");
        QTest::keyClick(form->Text1, Qt::Key_Backspace);
        QCOMPARE(bytes(), std::string("knf"));  // a .tam document: the kaal, one code

        // A long paragraph is read only around the caret, with or without spaces.
        for (const std::string& syllable : {std::string("nfh"), std::string("nfh ")}) {
            std::string paragraph;
            for (int k = 0; k < 3000; ++k)
                paragraph += syllable;
            form->Text1->setDocumentBytes(paragraph);
            QTextCursor middle = form->Text1->textCursor();
            middle.setPosition(int(syllable.size()) * 1500);
            form->Text1->setTextCursor(middle);
            QTest::keyClick(form->Text1, Qt::Key_Right);
            QCOMPARE(form->Text1->textCursor().position(), int(syllable.size()) * 1500 + 3);
            QTest::keyClick(form->Text1, Qt::Key_Left);
            QTest::keyClick(form->Text1, Qt::Key_Left);
            QCOMPARE(form->Text1->textCursor().position(), int(syllable.size()) * 1500 - (syllable.size() == 4 ? 1 : 3));  // over the space, or கொ
        }

        QTemporaryDir dir;
        const QString path = dir.filePath("letter.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\xE0\xAE\x95\xE0\xAF\x8A \xE0\xAE\x95\xE0\xAF\x8D \xE0\xAE\x95\xE0\xAE\xBE Hi");  // கொ க் கா Hi
        file.close();
        startWindow('"' + QFile::encodeName(path).toStdString() + '"');
        QVERIFY(form->document().format().kind == DocumentFormat::Unicode);
        QTextCursor cursor = form->Text1->textCursor();
        cursor.movePosition(QTextCursor::End);
        form->Text1->setTextCursor(cursor);
        QTest::keyClick(form->Text1, Qt::Key_Backspace);  // other text: one letter
        for (int k = 0; k < 4; ++k)
            QTest::keyClick(form->Text1, Qt::Key_Left);  // H, the space, கா, the space
        QTest::keyClick(form->Text1, Qt::Key_Backspace);  // க் becomes க
        QTest::keyClick(form->Text1, Qt::Key_Left);
        QTest::keyClick(form->Text1, Qt::Key_Left);
        QTest::keyClick(form->Text1, Qt::Key_Backspace);  // கொ becomes க
        QCOMPARE(QString::fromStdString(baminiToUnicode(bytes())), QString::fromUtf8("க க கா H"));
        form->command("menUndo")->trigger();  // each Backspace its own step
        QCOMPARE(QString::fromStdString(baminiToUnicode(bytes())), QString::fromUtf8("கொ க கா H"));
        // English goes by its own letters: é written e and its accent is one.
        form->Text1->setDocumentBytes("f\x0E" "e\xCC\x81\x0F");
        QTest::keyClick(form->Text1, Qt::Key_End);
        QTest::keyClick(form->Text1, Qt::Key_Left);
        QCOMPARE(form->Text1->textCursor().position(), 1);
    }

    // The clipboard says what its letters are: rich text by its font, plain text with Tamil
    // as Unicode, plain text alone by the document; Paste as English and as Bamini force it.
    void pastedTextReadByWhatItIs()
    {
        auto paste = [](const QString& html, const QString& text) {
            auto* data = new QMimeData;
            if (!html.isEmpty())
                data->setHtml(html);
            data->setText(text);
            QApplication::clipboard()->setMimeData(data);
        };
        paste("<span style=\"font-family:'Bamini'\">tzf;fk;</span> <span style=\"font-family:Arial\">Dear</span>",
              "tzf;fk; Dear");
        messages.answers = {Answer::Yes};
        form->menPaste_Click();
        QCOMPARE(QByteArray::fromStdString(bytes()), QByteArray("tzf;fk; \x0E" "Dear\x0F"));  // a word processor's Bamini, and English

        form->Text1->clear();
        paste({}, "Meeting at 10 with Mr. Kumar");  // a Unicode document now: plain text is English
        form->menPaste_Click();
        QCOMPARE(QString::fromStdString(baminiToUnicode(bytes())), QString("Meeting at 10 with Mr. Kumar"));
        // Plain Bamini keeps the English set beside it in another font before it was copied.
        form->Text1->clear();
        paste({}, "tzf;fk; Meeting at 10 with Mr. Kumar");
        form->command("menPasteBamini")->trigger();
        QCOMPARE(bytes(), std::string("tzf;fk; \x0EMeeting at\x0F 10 \x0Ewith Mr. Kumar\x0F"));
    }

    // Keep English as English in the real box: one step of Undo, English drawn as English.
    void keepEnglishAsEnglishIsOneEdit()
    {
        form->Text1->setDocumentBytes("fy;Y}hpapd; ngah; Name of the College");
        QTextCursor caret(form->Text1->document());
        caret.setPosition(4);
        form->Text1->setTextCursor(caret);
        form->command("menKeepEnglish")->trigger();
        QCOMPARE(form->Text1->textCursor().position(), 4);  // the caret stays where it was
        QCOMPARE(bytes(), std::string("fy;Y}hpapd; ngah; \x0EName of the College\x0F"));
        QVERIFY(form->document().format().kind == DocumentFormat::Unicode);
        QCOMPARE(QString::fromStdString(baminiToUnicode(bytes())), QString::fromUtf8("கல்லூரியின் பெயர் Name of the College"));
        form->Text1->undo();
        QCOMPARE(bytes(), std::string("fy;Y}hpapd; ngah; Name of the College"));
    }

    void goToLineSelectAllAndCount()
    {
        form->Text1->setDocumentBytes("ka\r\nki\r\nku");
        QTimer::singleShot(0, [] {
            QTRY_VERIFY(qobject_cast<QInputDialog*>(QApplication::activeModalWidget()));
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            QCOMPARE(dialog->intMaximum(), 3);
            dialog->setIntValue(3);
            dialog->accept();
        });
        QTest::keyClick(form->Text1, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(form->Text1->textCursor().blockNumber(), 2);
        QCOMPARE(form->focusWidget(), form->Text1);

        form->Text1->setDocumentBytes("tzf;fk; jkpo;\r\nG+");  // வணக்கம் தமிழ், பூ
        form->command("menWordCount")->trigger();
        QCOMPARE(messages.informed.size(), 1u);
        QVERIFY(messages.informed[0].id == MessageId::CountDocument);
        QCOMPARE(messages.informed[0].args, std::vector<std::string>({"3", "9", "16", "2"}));
        form->command("menSelectAll")->trigger();
        QCOMPARE(selected(), bytes());
        form->command("menWordCount")->trigger();
        QVERIFY(messages.informed[1].id == MessageId::CountSelection);
    }

    void undoRedoAndZoom()
    {
        type("kaki");
        form->command("menUndo")->trigger();
        QCOMPARE(bytes(), std::string("f"));
        form->command("menRedo")->trigger();
        QCOMPARE(bytes(), std::string("ffp"));
        QTest::keyClick(form->Text1, Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(form->editor().fontSizeTenThousandths(), 167500);
        QTest::keyClick(form->Text1, Qt::Key_Minus, Qt::ControlModifier);
        QTest::keyClick(form->Text1, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(form->editor().fontSizeTenThousandths(), 147500);
        QWheelEvent wheel(QPointF(50, 50), form->Text1->viewport()->mapToGlobal(QPointF(50, 50)), {}, QPoint(0, 120),
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(form->Text1->viewport(), &wheel);
        QCOMPARE(form->editor().fontSizeTenThousandths(), 157500);
        QCOMPARE(bytes(), std::string("ffp"));  // no key of these typed anything
    }

    void theKeyboardMapFollowsTheComposer()
    {
        QTest::keyClick(form->Text1, Qt::Key_F1);
        KeyboardMap* map = form->keyboardMap();
        QVERIFY(map && map->isVisible());
        QVERIFY(!map->isModal());
        auto shows = [&](QChar key) { return map->cap(key)->toolTip(); };
        QCOMPARE(shows('k'), QString::fromUtf8("க்"));  // a consonant is expected: the consonants
        QCOMPARE(shows('1'), QString("1"));
        QCOMPARE(shows(','), QString(","));

        type("k");  // now each vowel key shows the syllable it would make
        QTRY_COMPARE(shows('a'), QString::fromUtf8("க"));
        QCOMPARE(shows('i'), QString::fromUtf8("கி"));
        QCOMPARE(shows('y'), QString::fromUtf8("கை"));
        QCOMPARE(shows('.'), QString::fromUtf8("க்"));
        QVERIFY(!map->cap('z')->isEnabled());  // no vowel key: it does nothing now
        QVERIFY(map->cap('1')->isEnabled());
        map->findChild<QToolButton*>("KeyboardShift")->click();
        QCOMPARE(shows('I'), QString::fromUtf8("கீ"));
        QCOMPARE(shows('Y'), QString::fromUtf8("கௌ"));

        // A click on a key types it, as if it were pressed.
        map->cap('I')->click();
        QCOMPARE(bytes(), std::string("fP"));
        QTRY_COMPARE(shows('K'), QString());  // a consonant is expected again; K is none
        map->findChild<QToolButton*>("KeyboardShift")->click();
        QCOMPARE(shows('r'), QString::fromUtf8("ர்"));
        type("ra");  // the window stays usable beside it
        QCOMPARE(bytes(), std::string("fPu"));
    }

    void rememberedForTheNextRun()
    {
        QFile::remove(configHome.filePath("Orvane/Orvane.ini"));  // what the tests before kept
        startWindow();
        QTemporaryDir dir;
        const QString one = dir.filePath("one.tam"), two = dir.filePath("two.tam");
        for (const QString& name : {one, two}) {
            QFile f(name);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("f\r\n");
        }
        for (const QString& name : {one, two}) {
            dialog.answers = {QFile::encodeName(name).toStdString()};
            form->menOpen_Click();
        }
        form->editor().FontBigger();
        const QSize kept = form->screen()->availableGeometry().size() - QSize(10, 10);  // not the design's size
        form->resize(kept);
        form->menEnd_Click();

        startWindow();
        QCOMPARE(form->editor().fontSizeTenThousandths(), 167500);
        QCOMPARE(form->size(), kept);
        QStringList recent;
        for (QAction* a : form->menu("menRecent")->actions())
            recent << a->text();
        QCOMPARE(recent, QStringList({two, one}));  // the newest first

        QVERIFY(QFile::remove(one));
        form->menu("menRecent")->actions()[1]->trigger();  // gone: said, and taken off the list
        QCOMPARE(messages.warnings.size(), 1u);
        QVERIFY(mentions(messages.warnings[0], one.toStdString()));
        QCOMPARE(form->menu("menRecent")->actions().size(), 1);
        form->menu("menRecent")->actions()[0]->trigger();
        QCOMPARE(form->document().DocumentFileName(), two.toStdString());
    }

    // The saved bytes are read straight from the box's storage, whose pieces lie out of
    // order once text is inserted before other text; what is saved is what the box shows.
    // (Last: the save puts a name on the recent documents.)
    // The document's storage takes every edit of the box, however made: keys, pastes of
    // lines, English, the code 0E, selections over lines, Undo and Redo, edits joined in
    // one block.
    void theStorageTakesEveryEdit()
    {
        TextBox& box = *form->Text1;
        box.setDocumentBytes(std::string("fh\nkh\r\n\rmk\x80\xff\r\nlast"));
        QCOMPARE(box.documentBytes(), box.boxBytes());  // the lone CR is a line end, as the box reads it
        QTextCursor cursor(box.document());
        QRandomGenerator random(5);
        const auto anywhere = [&] { return random.bounded(box.document()->characterCount()); };
        for (int edit = 0; edit < 400; ++edit) {
            cursor.setPosition(anywhere());
            switch (random.bounded(10)) {
            case 0: cursor.deletePreviousChar(); break;
            case 1: cursor.insertText(QStringLiteral("pq\nrs\nt")); break;  // pasted lines
            case 2: cursor.insertText(QStringLiteral("Dear Sir"), TextBox::otherTextFormat()); break;
            case 3: cursor.setPosition(anywhere(), QTextCursor::KeepAnchor), cursor.removeSelectedText(); break;
            case 4: random.bounded(2) ? box.document()->undo() : box.document()->redo(); break;
            case 5:
                cursor.beginEditBlock();
                cursor.insertText(QString(codec::charOf(0x0E)) + "x");
                cursor.setPosition(anywhere());
                cursor.insertText(QString(QChar::ParagraphSeparator));
                cursor.endEditBlock();
                break;
            default:
                cursor.insertText(random.bounded(5) == 0 ? QString(QChar::ParagraphSeparator) : QString("ab\u2028\u20AC").mid(random.bounded(4), 1));
            }
            QCOMPARE(box.documentBytes(), box.boxBytes());
        }
        QCOMPARE(box.documentByteCount(), box.boxBytes().size());
    }

    void savedBytesAfterEditsAnywhere()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("edited.tam");
        form->Text1->setDocumentBytes(std::string("fh\nkh\r\n\rmk\x80\xff\r\nlast"));
        QTextCursor cursor(form->Text1->document());
        QRandomGenerator random(5);
        for (int edit = 0; edit < 200; ++edit) {
            cursor.setPosition(random.bounded(form->Text1->document()->characterCount()));
            if (random.bounded(4) == 0)
                cursor.deletePreviousChar();
            else if (random.bounded(8) == 0)
                cursor.insertText(QStringLiteral("pq\nrs\nt"));  // pasted lines: pieces with their line feeds
            else
                cursor.insertText(random.bounded(5) == 0 ? QString(QChar::ParagraphSeparator) : QString("ab\u2028\u20AC").mid(random.bounded(4), 1));
        }
        const std::string shown = codec::fromBoxText(form->Text1->document()->toRawText());
        QCOMPARE(form->Text1->documentBytes(), shown);
        QCOMPARE(form->Text1->documentByteCount(), shown.size());
        dialog.answers = {path.toStdString()};
        form->menSA_Click();
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll().toStdString(), shown + "\r\n");
    }
};

QTEST_MAIN(TestEditing)
#include "test_editing.moc"
