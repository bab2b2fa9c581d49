// What a screen reader gets: Text1 as the Tamil it draws, offsets and changes in that text,
// the status panels in Tamil, and a name for every button and menu item.

#include "../support/window_test.h"
#include "document/text_storage.h"
#include "window/status_panels.h"
#include "window/storage_reading.h"
#include "window/text_view.h"

#include <QAccessible>
#include <QMenuBar>
#include <QToolBar>
#include <QtTest>

using namespace orvane;
using namespace orvane::test;

namespace {
struct Told {
    QAccessible::Event type;
    int position;
    QString text;
};
std::vector<Told> told;

void listen(QAccessibleEvent* event)
{
    if (event->type() == QAccessible::TextInserted) {
        auto* inserted = static_cast<QAccessibleTextInsertEvent*>(event);
        told.push_back({event->type(), inserted->changePosition(), inserted->textInserted()});
    }
}
} // namespace

class TestAccessibility : public WindowTest {
    Q_OBJECT

    QAccessibleTextInterface* text() const
    {
        return QAccessible::queryAccessibleInterface(form->Text1)->textInterface();
    }

private slots:
    void initTestCase()
    {
        QAccessible::installUpdateHandler(listen);  // before the window's own filter goes on top
        // As when a screen reader runs: the platform's accessibility is on, once the bridge
        // has found the accessibility bus (tests/e2e/with_atspi.sh gives it one).
        if (!QTest::qWaitFor([] { return QAccessible::isActive(); }, 5000))
            QSKIP("accessibility is off: run it under tests/e2e/with_atspi.sh, as ctest does");
    }

    void init()
    {
        freshScripts();
        startWindow();
        told.clear();
    }

    void cleanup() { form.reset(); }

    void theTextIsTheTamilItDraws()
    {
        type("vaOak.kam.");
        QAccessibleTextInterface* t = text();
        QVERIFY(t);
        QCOMPARE(t->text(0, t->characterCount()), QString::fromUtf8("வணக்கம்"));
        QCOMPARE(t->cursorPosition(), 7);
        QCOMPARE(QAccessible::queryAccessibleInterface(form->Text1)->role(), QAccessible::EditableText);

        // The syllable just typed is announced in Tamil, where it stands in the Tamil text.
        told.clear();
        type("ka");
        QVERIFY(!told.empty());
        QCOMPARE(told.back().text, QString::fromUtf8("க"));
        QCOMPARE(told.back().position, 7);

        // Lines, words and the caret in Tamil offsets, whatever the codes' order.
        form->Text1->setDocumentBytes("tzf;fk;\r\nnfhz;L jkpo;");  // வணக்கம் / கொண்டு தமிழ்
        t = text();
        QCOMPARE(t->characterCount(), 20);
        int start = 0, end = 0;
        QCOMPARE(t->textAtOffset(9, QAccessible::LineBoundary, &start, &end).trimmed(), QString::fromUtf8("கொண்டு தமிழ்"));
        QCOMPARE(t->textAtOffset(16, QAccessible::WordBoundary, &start, &end), QString::fromUtf8("தமிழ்"));
        t->setCursorPosition(10);  // after கொ, which its codes write around the ka
        QCOMPARE(form->Text1->textCursor().position(), 11);
        t->setSelection(0, 8, 10);
        QCOMPARE(form->Text1->textCursor().selectedText(), QString("nfh"));
        t->selection(0, &start, &end);
        QCOMPARE(start, 8);
        QCOMPARE(end, 10);
    }

    // Orvane's own view reads the same: its storage's Tamil, offsets in it, and each edit told
    // as the Tamil that changed.
    void theViewReadsAsTheTamilItDraws()
    {
        TextStorage storage("tzf;fk;\r\nnfhz;L jkpo;");  // வணக்கம் / கொண்டு தமிழ்
        TextView view(storage);
        view.resize(300, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(&view);
        QCOMPARE(shown->role(), QAccessible::EditableText);
        QAccessibleTextInterface* t = shown->textInterface();
        QCOMPARE(t->characterCount(), 20);
        int start = 0, end = 0;
        QCOMPARE(t->textAtOffset(9, QAccessible::LineBoundary, &start, &end).trimmed(), QString::fromUtf8("கொண்டு தமிழ்"));
        t->setCursorPosition(10);  // after கொ, which its codes write around the ka
        QCOMPARE(view.caret(), std::size_t(12));
        QCOMPARE(t->cursorPosition(), 10);
        t->setSelection(0, 8, 10);
        QCOMPARE(view.selectedBytes(), std::string("nfh"));
        view.setCaret(2);  // after வண
        told.clear();
        QTest::keyClicks(&view, "h");  // ண becomes ணா
        QVERIFY(!told.empty());
        QCOMPARE(told.back().text, QString::fromUtf8("ா"));
        QCOMPARE(told.back().position, 2);
        QCOMPARE(t->text(0, 3), QString::fromUtf8("வணா"));
        // An edit reads the lines it touched alone again; the reading stays what reading the
        // whole anew gives, through keys, deletions, lines pasted in and taken out, and Undo.
        const char* const edits[] = {"f", "n", "h", ";", "\b", "\b", "\r", "k", "\b", "paste", "jk", "\r", "join", "undo"};
        for (int round = 0; round < 56; ++round) {
            const std::string key = edits[round % 14];
            view.setCaret((round * 7) % (storage.size() + 1));
            const std::size_t at = view.caret();  // a syllable's start
            if (key == "\b")
                QTest::keyClick(&view, Qt::Key_Backspace);
            else if (key == "\r")
                QTest::keyClick(&view, Qt::Key_Return);
            else if (key == "paste")  // two lines more, into the middle of one
                view.replace(at, at, "f\r\nkh\r\nnjh");
            else if (key == "join")  // from inside a line to the end of the one after the next
                view.replace(at, storage.lineEnd(std::min(storage.lineOf(at) + 2, storage.lineCount() - 1)), "g");
            else if (key == "undo")
                view.undo();
            else
                QTest::keyClicks(&view, QString::fromStdString(key));
            StorageReading fresh(storage);
            QCOMPARE(view.unicodeReading().length(), fresh.length());
            QCOMPARE(view.unicodeReading().text(0, fresh.length()), fresh.text(0, fresh.length()));
        }
    }

    void panelsButtonsAndMenusHaveNames()
    {
        type("k");
        QCOMPARE(QAccessible::queryAccessibleInterface(form->StatusBar1->panel(1))->text(QAccessible::Name),
                 QString::fromUtf8("க்"));
        QCOMPARE(QAccessible::queryAccessibleInterface(form->StatusBar1->panel(3))->text(QAccessible::Name),
                 QString::fromUtf8("உயிர் எழுத்தை அழுத்தவும்"));
        QCOMPARE(QAccessible::queryAccessibleInterface(form->StatusBar1->panel(4))->text(QAccessible::Name),
                 QString::fromUtf8("9:05 காலை"));
        for (QAction* action : form->Toolbar1->actions())
            if (!action->isSeparator() && !action->data().toString().isEmpty()) {
                // A list is read by its choice, and told by its description.
                QAccessibleInterface* button = QAccessible::queryAccessibleInterface(form->Toolbar1->widgetForAction(action));
                const bool list = button->role() == QAccessible::ComboBox;
                QCOMPARE(button->text(list ? QAccessible::Description : QAccessible::Name), action->toolTip());
            }
        QAccessibleInterface* edit = QAccessible::queryAccessibleInterface(form->menu("menEdit"));
        QStringList names;
        for (int i = 0; i < edit->childCount(); ++i)
            names << edit->child(i)->text(QAccessible::Name);
        QVERIFY2(names.contains("Cut") && names.contains("Copy as Unicode"), qPrintable(names.join('|')));
        for (const QString& name : names)
            QVERIFY(!name.contains('&'));
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
