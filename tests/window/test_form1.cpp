// Form1 offscreen: start-up, typing through the real text box, shortcuts, clock, layout.

#include "../support/window_test.h"
#include "platform/geometry.h"
#include "window/form1.h"
#include "window/status_panels.h"
#include "window/tamil_font.h"
#include "window/text_box.h"

#include <QAction>
#include <QClipboard>
#include <QMenuBar>
#include <QScrollBar>
#include <QToolBar>
#include <QtTest>

using namespace orvane;
using namespace orvane::test;

namespace {
const QString consonantPrompt = "nka; vOj;ij mOj;jTk;";
const QString vowelPrompt = "caph; vOj;ij mOj;jTk;";
} // namespace

class TestForm1 : public WindowTest {
    Q_OBJECT


    QString text() const { return form->Text1->toPlainText(); }
    QString panel(int n) const { return form->StatusBar1->panel(n)->text(); }

private slots:
    void init()
    {
        freshScripts();
        startWindow();
    }

    void cleanup() { form.reset(); }

    void startsUntitledWithClockAndFocus()
    {
        QCOMPARE(form->windowTitle(), QString("Orvane [ Untitled.tam ]"));
        QCOMPARE(text(), QString());
        QCOMPARE(panel(1), QString());
        QCOMPARE(panel(2), QString());
        QCOMPARE(panel(3), QString());
        QCOMPARE(panel(4), QString("9:05 fhiy"));
        QCOMPARE(QApplication::focusWidget(), form->Text1);
        QCOMPARE(form->Timer1->interval(), 10000);
        QVERIFY(form->Timer1->isActive());
        QVERIFY(!form->document().DocumentChanged());
    }

    void controlsAsDesigned()
    {
        QCOMPARE(form->Text1->font().family(), tamilFontFamily());
        QCOMPARE(form->StatusBar1->panel(3)->font().family(), tamilFontFamily());
        QCOMPARE(form->Text1->font().pointSizeF(), 15.75);
        QCOMPARE(form->StatusBar1->panel(1)->font().pointSizeF(), 12.0);
        QCOMPARE(form->Text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(form->Text1->lineWrapMode(), QPlainTextEdit::WidgetWidth);

        QCOMPARE(form->imlToolbarIcons.count(), 15);
        const QStringList keys = {"New", "Open", "Save", "Print", "Cut", "Copy", "Paste", "Bold",
                                  "Italic", "Underline", "Align Left", "Center", "Align Right", "Big", "Small"};
        for (int i = 1; i <= 15; ++i) {
            QCOMPARE(form->imlToolbarIcons.key(i), keys[i - 1]);
            QCOMPARE(form->imlToolbarIcons.image(i).size(), QSize(16, 16));
            const QImage image = form->imlToolbarIcons.image(i).toImage();
            int inked = 0;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    inked += qAlpha(image.pixel(x, y)) > 0;
            QVERIFY2(inked > 10, qPrintable(keys[i - 1]));  // drawn, not blank
        }

        QStringList toolbar;
        for (QAction* a : form->Toolbar1->actions())
            toolbar << (a->isSeparator() ? "|" : a->data().toString() + ":" + a->toolTip());
        QCOMPARE(toolbar, QStringList({"New:New File", "Open:Open Document", "Save:Save the Document", "|",
                                       "Cut:Cut", "Copy:Copy the Selection", "Paste:Paste from Clipboard",
                                       ":", "Big:Increase Font Size", "Small:Decrease Font Size", "|",
                                       "English:Type English (F12); again for Tamil",
                                       "Keyboard:The keyboard Tamil is typed with"}));

        QStringList menus;
        for (QAction* m : form->menuBar()->actions()) {
            menus << m->text();
            for (QAction* a : m->menu()->actions())
                menus << (a->isSeparator() ? "-" : a->text() + " " + a->shortcut().toString());
        }
        // The designed items, captions and keys as they were, and what was added after them.
        QCOMPARE(menus, QStringList({"&File", "&New Ctrl+N", "&Open Ctrl+O", "&Save Ctrl+S", "Save &As Ctrl+A",
                                     "Export as &Unicode... ", "Export as P&DF... Ctrl+Shift+E", "Conver&t Document... ",
                                     "&Print... Ctrl+Shift+P", "Print Pre&view... ", "&Recent Documents ", "-", "E&xit ",
                                     "&Edit", "&Copy Ctrl+C", "&Cu&t Ctrl+X", "&Paste Ctrl+V",
                                     "Copy as &Unicode Ctrl+Shift+C", "-", "U&ndo Ctrl+Z", "&Redo Ctrl+Shift+Z", "-",
                                     "Select &All ", "-", "&Find... Ctrl+F", "R&eplace... Ctrl+H",
                                     "&Go to Line... Ctrl+G", "&Word Count... ", "-", "Paste as Eng&lish ",
                                     "Paste as &Bamini ", "&Keep English as English ", "Type Engl&ish F12", "&Typing ",
                                     "&About", "&Program Ctrl+P", "Programmer Ctrl+U", "&Keyboard F1"}));
    }

    // Every button stands out from the toolbar on a light and on a dark palette, and a
    // screen scaled 2x gets images drawn at 32 x 32, not 16 x 16 blown up.
    void toolbarIconsOnDarkPalettesAndScaledScreens()
    {
        auto legible = [](const QIcon& icon, QColor background) {
            const QImage image = icon.pixmap(QSize(16, 16), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
            int standingOut = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    if (c.alpha() < 128)
                        continue;
                    standingOut += std::abs(c.lightness() - background.lightness()) > 60;
                }
            return standingOut >= 12;  // an outline at least, not only a faint shape
        };
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
        dark.setColor(QPalette::Button, QColor(0x30, 0x30, 0x30));
        dark.setColor(QPalette::WindowText, Qt::white);
        for (const QPalette& palette : {QPalette(QColor(0xef, 0xef, 0xef)), dark}) {
            form->setPalette(palette);
            for (QAction* button : form->Toolbar1->actions()) {
                if (button->isSeparator() || button->icon().isNull())
                    continue;
                QVERIFY2(legible(button->icon(), palette.color(QPalette::Window)), qPrintable(button->toolTip()));
                const QPixmap scaled = button->icon().pixmap(QSize(16, 16), 2.0);
                QCOMPARE(scaled.size(), QSize(32, 32));
                const QImage drawn = scaled.toImage();
                const QImage blownUp = button->icon().pixmap(QSize(16, 16), 1.0).toImage().scaled(32, 32);
                QVERIFY2(drawn.convertToFormat(blownUp.format()) != blownUp, qPrintable(button->toolTip()));
            }
        }
    }

    // A key changes the panels' texts only: the status bar is not laid out again, and the
    // panels keep their places.
    void typingDoesNotRelayoutTheStatusBar()
    {
        struct Counter : QObject {
            int layouts = 0;
            bool eventFilter(QObject*, QEvent* e) override
            {
                layouts += e->type() == QEvent::LayoutRequest || e->type() == QEvent::Resize;
                return false;
            }
        } counter;
        type("ka");
        QCoreApplication::processEvents();
        form->StatusBar1->installEventFilter(&counter);
        for (int i = 1; i <= 4; ++i)
            form->StatusBar1->panel(i)->installEventFilter(&counter);
        form->document().setDocumentChanged(false);  // saved: the next key says Unsaved again
        type("kikItaRu");
        form->Timer1_Timer();
        QCoreApplication::processEvents();
        QCOMPARE(panel(2), QString("c"));
        QCOMPARE(form->StatusBar1->unsavedPanel()->note(), QString("Unsaved"));
        QCOMPARE(counter.layouts, 0);
    }

    void statusBarTellsThePlaceAndUnsavedChanges()
    {
        const auto place = [this] {
            QTest::qWait(60);  // shown a moment after the caret stops
            return form->StatusBar1->placePanel()->note();
        };
        QCOMPARE(place(), QString("Ln 1, Col 1"));
        QCOMPARE(form->StatusBar1->unsavedPanel()->note(), QString());
        type("vaOak.kam.");  // வணக்கம்: seven codes, five letters
        QCOMPARE(place(), QString("Ln 1, Col 6"));
        QCOMPARE(form->StatusBar1->unsavedPanel()->note(), QString("Unsaved"));
        QTest::keyClick(form->Text1, Qt::Key_Return);
        type("ki");
        QCOMPARE(place(), QString("Ln 2, Col 2"));
        form->document().setDocumentChanged(false);
        QCOMPARE(form->StatusBar1->unsavedPanel()->note(), QString());

        // A window kept from a session at another scale comes back whole on the screen.
        QCOMPARE(placedOnScreen({-96, 0, 1474, 986}, {{0, 0, 1280, 900}}), QRect(0, 0, 1280, 900));
        QCOMPARE(placedOnScreen({1200, 850, 400, 300}, {{0, 0, 1280, 900}}), QRect(880, 600, 400, 300));
        QCOMPARE(placedOnScreen({1400, 100, 400, 300}, {{0, 0, 1280, 900}, {1280, 0, 1920, 1080}}),
                 QRect(1400, 100, 400, 300));  // on the second screen, as it was
    }

    // In a long document the scroll bar's thumb stands out from its groove on the default theme.
    void theScrollThumbIsSeen()
    {
        std::string lines;
        for (int n = 0; n < 3000; ++n)
            lines += "tzf;fk;\r\n";
        form->Text1->setDocumentBytes(lines);
        QScrollBar* bar = form->Text1->verticalScrollBar();
        bar->setValue(bar->maximum() / 2);
        QCoreApplication::processEvents();
        const QImage shown = bar->grab().toImage();
        // The middle of the thumb (the bar stands at its middle) against the groove far from it.
        const int thumb = shown.pixelColor(shown.width() / 2, shown.height() / 2).lightness();
        const int groove = shown.pixelColor(shown.width() / 2, shown.height() / 8).lightness();
        const int lightest = std::max(thumb, groove), darkest = std::min(thumb, groove);
        QVERIFY2(lightest - darkest >= 40, qPrintable(QString("thumb and groove: %1 against %2").arg(darkest).arg(lightest)));
    }

    void typingComposesAtTheCaret()
    {
        type("ka");
        QCOMPARE(text(), QString("f"));
        QCOMPARE(panel(1), QString("f;"));
        QCOMPARE(panel(2), QString("m"));
        QCOMPARE(panel(3), consonantPrompt);
        QCOMPARE(form->Text1->pendingShown(), QString());  // the syllable is whole
        const int steps = form->Text1->document()->availableUndoSteps();
        type("k");
        QCOMPARE(panel(3), vowelPrompt);
        QCOMPARE(text(), QString("f"));
        // The consonant waits at the caret, drawn as a pre-edit: not in the text, no edit.
        QCOMPARE(form->Text1->pendingShown(), QString("f;"));
        QCOMPARE(form->Text1->documentBytes(), std::string("f"));
        QCOMPARE(form->Text1->document()->availableUndoSteps(), steps);
        type("Y");
        QCOMPARE(text(), QString("fnfs"));
        QCOMPARE(form->Text1->pendingShown(), QString());
        type("k");
        QTest::keyClick(form->Text1, Qt::Key_Escape);  // abandoned: it goes
        QCOMPARE(form->Text1->pendingShown(), QString());
        type("k");
        QTest::keyClick(form->Text1, Qt::Key_Home);  // it follows the caret
        QCOMPARE(form->Text1->pendingShown(), QString("f;"));
        QTest::keyClick(form->Text1, Qt::Key_Right, Qt::ShiftModifier);  // nothing drawn over a selection
        QCOMPARE(form->Text1->pendingShown(), QString());
        QCOMPARE(text(), QString("fnfs"));
        QTest::keyClick(form->Text1, Qt::Key_Escape);
        QTest::keyClick(form->Text1, Qt::Key_End);

        // Caret moved into the middle: navigation keys never reach the composer.
        QTest::keyClick(form->Text1, Qt::Key_Home);
        QTest::keyClick(form->Text1, Qt::Key_Right);
        type("dU");
        QCOMPARE(text(), QString("fJ}nfs"));

        // A selection (a syllable at a time: கௌ is three codes) is replaced by the syllable.
        QTest::keyClick(form->Text1, Qt::Key_End);
        QTest::keyClick(form->Text1, Qt::Key_Left, Qt::ShiftModifier);
        type("ma");
        QCOMPARE(text(), QString("fJ}k"));
    }

    void aVowelAloneAndEnglishSayWhatTheyWaitFor()
    {
        const auto tip = [this] { return form->StatusBar1->panel(3)->toolTip(); };
        type("a");  // at a word's start: nothing appears, and the prompt's tip says why
        QCOMPARE(text(), QString());
        QVERIFY2(tip().contains("அ"), qPrintable(tip()));
        type("a");
        QCOMPARE(text(), QString("m"));
        QCOMPARE(tip(), QString());
        type("k");
        QCOMPARE(tip(), QString());  // a consonant waits as it always has
        QTest::keyClick(form->Text1, Qt::Key_F12);
        QCOMPARE(panel(3), QString());  // English asks for no consonant
        QTest::keyClick(form->Text1, Qt::Key_Backspace);  // the composer's own keys too
        QTest::keyClick(form->Text1, Qt::Key_Return);
        QCOMPARE(panel(3), QString());
        QTest::keyClick(form->Text1, Qt::Key_F12);
        QCOMPARE(panel(3), consonantPrompt);
    }

    void punctuationEnterAndUnstorableCharacters()
    {
        type("ka, ;`");
        QCOMPARE(text(), QString("f> @="));
        QTest::keyClick(form->Text1, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClick(form->Text1, Qt::Key_Enter);
        type("x.");
        QCOMPARE(form->Text1->document()->blockCount(), 3);
        QCOMPARE(form->Text1->documentBytes(), std::string("f> @=\r\n\r\n/"));
        for (const QChar ch : QString::fromUtf8("க€")) {  // a Tamil letter has no 8-bit code; the euro sign has
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(form->Text1, &press);
        }
        QCOMPARE(form->Text1->documentBytes(), std::string("f> @=\r\n\r\n/"));
        QVERIFY(form->editor().composer().WaitingForVowel);  // "€" is a key like any other
        QTest::keyClick(form->Text1, Qt::Key_Escape);
        QVERIFY(!form->editor().composer().WaitingForVowel);
        QCOMPARE(panel(3), consonantPrompt);
        QTest::keyClick(form->Text1, Qt::Key_Backspace);
        QCOMPARE(form->Text1->documentBytes(), std::string("f> @=\r\n\r\n"));
        QTest::keyClick(form->Text1, Qt::Key_Backspace);
        QCOMPARE(form->Text1->documentBytes(), std::string("f> @=\r\n"));
    }

    void undoTakesBackOneKeyOrOneSyllable()
    {
        type("kakY ");
        QCOMPARE(text(), QString("fnfs "));
        QTest::keyClick(form->Text1, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(text(), QString("fnfs"));
        QTest::keyClick(form->Text1, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(text(), QString("f"));
        QTest::keyClick(form->Text1, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(text(), QString("fnfs"));
        QTest::keyClick(form->Text1, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(form->Text1, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(text(), QString());
        QTest::keyClick(form->Text1, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(text(), QString("f"));
    }

    void keysHeldWithCtrlNeverEditByThemselves()
    {
        type("ka ka");
        QTest::keyClick(form->Text1, Qt::Key_Left);
        for (const auto& [key, mods] : std::initializer_list<std::pair<Qt::Key, Qt::KeyboardModifiers>>{
                 {Qt::Key_K, Qt::ControlModifier},
                 {Qt::Key_Backspace, Qt::ControlModifier},
                 {Qt::Key_Delete, Qt::ControlModifier},
                 {Qt::Key_Return, Qt::ControlModifier},
                 {Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier},
                 {Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier},
                 {Qt::Key_H, Qt::ControlModifier},
                 {Qt::Key_M, Qt::ControlModifier}}) {
            QTest::keyClick(form->Text1, key, mods);
            QCOMPARE(text(), QString("f f"));
            QCOMPARE(form->Text1->document()->blockCount(), 1);
            QTest::keyClick(form->Text1, Qt::Key_Escape);
        }
        // The control code reached the filter, which handed it to the composer.
        QTest::keyClick(form->Text1, Qt::Key_K, Qt::ControlModifier);
        QVERIFY(form->editor().composer().WaitingForVowel);
        QTest::keyClick(form->Text1, Qt::Key_Escape);
        // Moving, and the commands that own their edits, still work.
        QTest::keyClick(form->Text1, Qt::Key_Home, Qt::ControlModifier);
        type("ma");
        QCOMPARE(text(), QString("kf f"));
        QTest::keyClick(form->Text1, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(text(), QString("f f"));

        // An Alt chord that is no menu's types nothing and leaves a half-typed syllable be.
        type("m");
        QTest::keyClick(form->Text1, Qt::Key_K, Qt::AltModifier);
        QTest::keyClick(form->Text1, Qt::Key_T, Qt::AltModifier);
        QTest::keyClick(form->Text1, Qt::Key_I, Qt::AltModifier);
        QVERIFY(form->editor().composer().WaitingForVowel);
        type("a");
        QCOMPARE(text(), QString("kf f"));
        // A menu's access key opens it.
        QTest::keyClick(form->Text1, Qt::Key_E, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QCOMPARE(QApplication::activePopupWidget()->objectName(), QString("menEdit"));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    }

    void menuShortcutsWinOverTheTextBox()
    {
        type("kaka");
        form->Text1->selectAll();
        QApplication::clipboard()->setText("before");

        QTest::keyClick(form->Text1, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString("ff"));

        QTest::keyClick(form->Text1, Qt::Key_A, Qt::ControlModifier);  // Save As, not select all
        QCOMPARE(dialog.shown.size(), 1u);
        QVERIFY(dialog.shown[0].saving);

        QTest::keyClick(form->Text1, Qt::Key_S, Qt::ControlModifier);  // Save: still no file, asks again
        QCOMPARE(dialog.shown.size(), 2u);

        form->Text1->selectAll();
        QTest::keyClick(form->Text1, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(text(), QString());
        QCOMPARE(QApplication::clipboard()->text(), QString("ff"));
        QTest::keyClick(form->Text1, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(form->Text1, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(text(), QString("ffff"));
    }

    void clockPanel_data()
    {
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<int>("second");
        QTest::addColumn<QString>("shown");
        QTest::newRow("9:05:07 PM") << 21 << 5 << 7 << "9:05 khiy";
        QTest::newRow("10:15:32 AM") << 10 << 15 << 32 << "10:15 fhiy";
        QTest::newRow("noon") << 12 << 0 << 0 << "12:00 khiy";
        QTest::newRow("after midnight") << 0 << 30 << 45 << "12:30 fhiy";
        QTest::newRow("11:59:59 AM") << 11 << 59 << 59 << "11:59 fhiy";
        QTest::newRow("12:59:59 AM") << 0 << 59 << 59 << "12:59 fhiy";
        QTest::newRow("11:59 PM") << 23 << 59 << 0 << "11:59 khiy";
    }

    void clockPanel()
    {
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(int, second);
        QFETCH(QString, shown);
        type("k");
        clock.time = {hour, minute, second};
        form->Timer1_Timer();
        QCOMPARE(panel(4), shown);
        QCOMPARE(panel(1), QString("f;"));  // a tick writes panel 4 only
        QCOMPARE(panel(3), vowelPrompt);
    }

    void textBoxFollowsTheWindowSize()
    {
        const QSize design = form->size();
        QVERIFY(design.width() >= 700 && design.width() <= 780);  // 737 pixels at 96 DPI
        for (QSize size : {QSize(1200, 900), QSize(60, 40), QSize(1, 1), QSize(400, 300)}) {
            form->resize(size);
            QCoreApplication::processEvents();
            const QRect box(form->Text1->mapTo(form.get(), QPoint()), form->Text1->size());
            QCOMPARE(box.left(), 0);
            QCOMPARE(box.width(), form->width());
            QVERIFY(box.top() >= form->Toolbar1->geometry().bottom());
            QVERIFY(box.bottom() < form->StatusBar1->geometry().top());
        }
        form->showMinimized();
        form->showNormal();
        QTRY_VERIFY(form->Text1->isVisible());
        type("ka");
        QCOMPARE(text(), QString("f"));
    }
};

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
