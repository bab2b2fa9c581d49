// Orvane's own view of a storage: the caret between syllables, each form's Backspace, rows
// that never split a syllable, and ink where the text is.

#include "document/text_storage.h"
#include "phonetic/batch_typist.h"
#include "phonetic/typing.h"
#include "window/tamil_font.h"
#include "window/document_mime.h"
#include "window/text_view.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QImage>
#include <QProcess>
#include <QtTest>

using namespace orvane;

class TestTextView : public QObject {
    Q_OBJECT

    struct Shown {
        TextStorage storage;
        TextView view;
        explicit Shown(std::string bytes, int width = 400) : storage(std::move(bytes)), view(storage)
        {
            view.setFonts(tamilFont(14), QApplication::font());
            view.resize(width, 300);
            view.show();
            view.setFocus();
            QVERIFY(QTest::qWaitForWindowExposed(&view));
        }
    };

private slots:
    void caretMovesBySyllable()
    {
        // மொகொ: Left twice from the end stands before each syllable, never between its codes,
        // so what is typed there goes between syllables.
        Shown s("nkhnfh");
        s.view.setCaret(6);
        QTest::keyClick(&s.view, Qt::Key_Left);
        QCOMPARE(s.view.caret(), std::size_t(3));
        QTest::keyClick(&s.view, Qt::Key_Left);
        QCOMPARE(s.view.caret(), std::size_t(0));
        QTest::keyClick(&s.view, Qt::Key_Right);
        QTest::keyClicks(&s.view, "f");
        QCOMPARE(s.storage.text(), std::string("nkhfnfh"));
        QCOMPARE(s.view.caret(), std::size_t(4));
        // A place inside a syllable is taken for the place before it.
        s.view.setCaret(5);
        QCOMPARE(s.view.caret(), std::size_t(4));
        // Right at a line's end goes to the next line's start, over its CR LF.
        Shown lines("f\r\nf");
        lines.view.setCaret(1);
        QTest::keyClick(&lines.view, Qt::Key_Right);
        QCOMPARE(lines.view.caret(), std::size_t(3));
        QTest::keyClick(&lines.view, Qt::Key_Backspace);
        QCOMPARE(lines.storage.text(), std::string("ff"));
    }

    void eachFormHasItsBackspace()
    {
        // .tam: one code, as Bamini typists rely on (கொ becomes கெ).
        Shown tam("nfh");
        tam.view.setCaret(3);
        QTest::keyClick(&tam.view, Qt::Key_Backspace);
        QCOMPARE(tam.storage.text(), std::string("nf"));
        // Unicode: one character (கொ becomes க, க் becomes க).
        Shown unicode("nfh f;");
        unicode.view.unicodeDocument = true;
        unicode.view.setCaret(3);
        QTest::keyClick(&unicode.view, Qt::Key_Backspace);
        QCOMPARE(unicode.storage.text(), std::string("f f;"));
        unicode.view.setCaret(4);
        QTest::keyClick(&unicode.view, Qt::Key_Backspace);
        QCOMPARE(unicode.storage.text(), std::string("f f"));
        // Delete takes the whole syllable after the caret, in either form.
        unicode.view.setCaret(0);
        QTest::keyClick(&unicode.view, Qt::Key_Delete);
        QCOMPARE(unicode.storage.text(), std::string(" f"));
    }

    void rowsBreakBetweenSyllables()
    {
        // A long word of ஸு: every row begins with a whole syllable, and Down goes one row on.
        std::string line;
        for (int k = 0; k < 30; ++k)
            line += "]{";
        Shown s(line + "\r\nf", 200);
        const LineLayout& l = s.view.layoutOf(0);
        QVERIFY(l.rows.size() > 3);
        for (const std::uint32_t r : l.rows)
            QCOMPARE(l.syllables[r].begin % 2, std::uint32_t(0));
        s.view.setCaret(0);
        QTest::keyClick(&s.view, Qt::Key_Down);
        QCOMPARE(s.view.caret(), std::size_t(l.syllables[l.rows[1]].begin));
        QCOMPARE(s.view.caretRect().y(), s.view.lineHeight());
        // Every row is one height: the line after the long one begins as many rows down as
        // the long one has.
        QVERIFY(int(l.rows.size() + 1) * s.view.lineHeight() < s.view.viewport()->height());
        s.view.setCaret(s.storage.size());
        QCOMPARE(s.view.caretRect().y(), int(l.rows.size()) * s.view.lineHeight());
        // A click lands between syllables.
        QTest::mouseClick(s.view.viewport(), Qt::LeftButton, {}, QPoint(37, s.view.lineHeight() / 2));
        QCOMPARE(s.view.caret() % 2, std::size_t(0));
        QVERIFY(s.view.caret() > 0);
    }

    void selectsWholeSyllables()
    {
        // Shift with the arrows, a drag and Ctrl+A select between syllables; what is typed,
        // Backspace and Delete take the selection.
        Shown s("nkhnfh ]{]{");
        s.view.setCaret(0);
        QTest::keyClick(&s.view, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(&s.view, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(s.view.selectedBytes(), std::string("nkhnfh"));
        QTest::keyClicks(&s.view, "f");
        QCOMPARE(s.storage.text(), std::string("f ]{]{"));
        QCOMPARE(s.view.selectedBytes(), std::string());
        // A drag from the start to inside the second ஸு ends at a syllable's edge.
        const int middle = s.view.lineHeight() / 2;
        const QRect end = [&] { s.view.setCaret(6); return s.view.caretRect(); }();
        QTest::mousePress(s.view.viewport(), Qt::LeftButton, {}, QPoint(1, middle));
        QMouseEvent drag(QEvent::MouseMove, QPointF(end.x() - 3, middle), s.view.viewport()->mapToGlobal(QPointF(end.x() - 3, middle)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(s.view.viewport(), &drag);
        QCOMPARE(s.view.selectionStart(), std::size_t(0));
        QVERIFY(s.view.selectionEnd() == 4 || s.view.selectionEnd() == 6);
        // Drawn: the highlight where the selection is, and nowhere past it.
        const QColor lit = s.view.palette().highlight().color();
        const auto litIn = [&](int from, int to) {
            const QImage image = s.view.viewport()->grab().toImage();
            int n = 0;
            for (int x = from; x < to; ++x)
                n += image.pixelColor(x, middle) == lit;
            return n;
        };
        QVERIFY(litIn(4, end.x() - 12) > 0);
        QCOMPARE(litIn(end.x() + 40, 300), 0);
        QTest::keyClick(&s.view, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(s.view.selectedBytes(), s.storage.text());
        QTest::keyClick(&s.view, Qt::Key_Delete);
        QCOMPARE(s.storage.size(), std::size_t(0));
    }

    void typesThroughTheComposerAKeyAStepOfUndo()
    {
        // The view types what the composer makes of the keys, as the batch typist does, and
        // Undo takes back a key (with all it wrote) at a time; Redo brings it back.
        struct Quiet final : StatusPanels, ChangeMarker {
            void setPanelText(int, std::string_view) override {}
            void markDocumentChanged() override {}
        } quiet;
        CompositionTables tables;
        tables.FillSyllableTable();
        tables.FillVowelKeys();
        tables.FillConsonantKeys();
        Typing typing(tables, quiet, quiet);
        Shown s("");
        s.view.keyPressHandler = [&](int code, const QString&) { return typing.press(code, s.view.codesBeforeCaret()); };
        const auto typed = [](const char* keys) {
            BatchTypist typist;
            typist.typeBytes(keys);
            return typist.text();
        };
        QTest::keyClicks(&s.view, "vazhka kotu");
        QCOMPARE(s.storage.text(), typed("vazhka kotu"));
        QTest::keyClick(&s.view, Qt::Key_Backspace);
        QCOMPARE(s.storage.text(), typed("vazhka kotu\b"));
        QTest::keyClick(&s.view, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(s.storage.text(), typed("vazhka kotu"));
        QCOMPARE(s.view.caret(), s.storage.size());
        QTest::keyClick(&s.view, Qt::Key_Z, Qt::ControlModifier);  // the u
        QCOMPARE(s.storage.text(), typed("vazhka kot"));
        QTest::keyClick(&s.view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(s.storage.text(), typed("vazhka kotu"));
        while (s.view.canUndo())
            s.view.undo();
        QCOMPARE(s.storage.text(), std::string());
    }

    // The real clipboard: a copy carries the exact bytes for Orvane (a lone LF and a run of
    // English come back as they were), the codes for other programs and the Unicode as HTML;
    // a cut is one step of Undo; a selection made with the keys is the X selection, which a
    // middle click pastes where it clicks.
    void theClipboardCarriesTheBytes()
    {
        const std::string bytes = "tzf;fk;\nf\x0E" "Dear\x0F";  // வணக்கம், a lone LF, English
        Shown s(bytes + " jkpo;");
        s.view.select(0, bytes.size());
        QTest::keyClick(&s.view, Qt::Key_C, Qt::ControlModifier);
        const QMimeData* copied = QApplication::clipboard()->mimeData();
        QCOMPARE(copied->data(DocumentMimeData::BytesMimeType).toStdString(), bytes);
        QCOMPARE(copied->text(), QString("tzf;fk;\nfDear"));
        QVERIFY(copied->html().contains(QString::fromUtf8("வணக்கம்<br>கDear")));
        s.view.setCaret(s.storage.size());
        QTest::keyClick(&s.view, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(s.storage.text(), bytes + " jkpo;" + bytes);
        QTest::keyClick(&s.view, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(s.storage.text(), bytes + " jkpo;");
        // A Unicode document gives other programs its Unicode.
        s.view.unicodeDocument = true;
        s.view.select(bytes.size() + 1, s.storage.size());
        QTest::keyClick(&s.view, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString::fromUtf8("தமிழ்"));
        QCOMPARE(s.storage.text(), bytes + " ");
        QTest::keyClick(&s.view, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(s.storage.text(), bytes + " jkpo;");
        if (!QApplication::clipboard()->supportsSelection())
            QSKIP("this platform has no X selection");
        s.view.setCaret(s.storage.size());
        const QPoint end = s.view.caretRect().center();
        s.view.setCaret(0);
        for (int k = 0; k < 3; ++k)  // வ ண க்
            QTest::keyClick(&s.view, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(QApplication::clipboard()->mimeData(QClipboard::Selection)->data(DocumentMimeData::BytesMimeType),
                 QByteArray("tzf;"));
        QTest::mouseClick(s.view.viewport(), Qt::MiddleButton, {}, end);
        QCOMPARE(s.storage.text(), bytes + " jkpo;tzf;");
    }

    // The selection dragged with the mouse, as the X server carries a drag: moved to another
    // place of the text (one step of Undo), and out to another program's field, which takes
    // it from the view; a click inside the selection only moves the caret.
    void dragsTheSelection()
    {
        if (QGuiApplication::platformName() != "xcb")
            QSKIP("a drag needs a real X server (test_text_view_x11)");
        Shown s("tzf;fk; jkpo; ehL");  // வணக்கம் தமிழ் நாடு
        const auto mouse = [&](const QStringList& steps) {
            QProcess x;
            x.start("xdotool", steps);
            QVERIFY(x.waitForStarted());
            QTRY_VERIFY_WITH_TIMEOUT(x.state() == QProcess::NotRunning, 10000);
            QCOMPARE(x.exitCode(), 0);
        };
        const auto at = [&](std::size_t byte, int dx = 0) {
            const QPoint p = s.view.viewport()->mapToGlobal(s.view.placeRect(byte).center() + QPoint(dx, 0));
            return QStringList{"mousemove", QString::number(p.x()), QString::number(p.y())};
        };
        const auto drag = [&](std::size_t from, const QStringList& to) {
            // After a pause, so that the press is no double-click.
            mouse(QStringList{"sleep", "0.6"} + at(from, 3) + QStringList{"mousedown", "1"} + at(from, 20) + QStringList{"sleep", "0.2"} + to
                  + QStringList{"sleep", "0.3", "mouseup", "1"});
        };
        s.view.select(8, 13);  // தமிழ்
        mouse(at(9, 2) + QStringList{"click", "1"});
        QTRY_COMPARE(s.view.selectionStart(), s.view.selectionEnd());
        s.view.select(8, 13);
        drag(9, at(s.storage.size(), 4));
        QTRY_COMPARE_WITH_TIMEOUT(QString::fromStdString(s.storage.text()), QString("tzf;fk;  ehLjkpo;"), 5000);
        QCOMPARE(s.view.selectedBytes(), std::string("jkpo;"));
        QTest::keyClick(&s.view, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(s.storage.text(), std::string("tzf;fk; jkpo; ehL"));
        // Out to a field of another window: it has the Unicode, the view no longer the text.
        QLineEdit field;
        field.move(s.view.frameGeometry().bottomLeft() + QPoint(0, 40));
        field.resize(300, 40);
        field.show();
        QVERIFY(QTest::qWaitForWindowExposed(&field));
        s.view.unicodeDocument = true;
        s.view.select(8, 13);
        const QPoint in = field.mapToGlobal(field.rect().center());
        drag(9, {"mousemove", QString::number(in.x()), QString::number(in.y())});
        QTRY_COMPARE(field.text(), QString::fromUtf8("தமிழ்"));
        QTRY_COMPARE(s.storage.text(), std::string("tzf;fk;  ehL"));
    }

    // Ctrl+Right and Ctrl+Left go by Tamil words (a syllable with its signs and pulli is
    // inside one; a comma is not), on over a line's end; a double-click selects the word; a
    // line longer than the view reads about the place alone, the same.
    void movesAndSelectsByWords()
    {
        const std::string line = "tzf;fk;> jkpo; ehL";  // வணக்கம், தமிழ் நாடு
        std::string text = line + "\r\nf";
        for (int k = 0; k < 12000; ++k)
            text += " jkpo;";  // a line of 72 KB after it
        text += " tzf;fk;> jkpo;";
        Shown s(text);
        s.view.setCaret(0);
        QTest::keyClick(&s.view, Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(s.view.caret(), std::size_t(7));  // after வணக்கம், before the comma
        QTest::keyClick(&s.view, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(s.view.selectedBytes(), std::string("> jkpo;"));
        QTest::keyClick(&s.view, Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(s.view.caret(), line.size());
        QTest::keyClick(&s.view, Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(s.view.caret(), line.size() + 2);  // the next line's start
        QTest::keyClick(&s.view, Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(s.view.caret(), line.size());
        QTest::keyClick(&s.view, Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(s.view.caret(), std::size_t(15));  // before நாடு
        // The long line's last words, read from a syllable well before them.
        const std::size_t word = text.size() - 14;  // the last வணக்கம்
        s.view.setCaret(word + 4);
        QTest::keyClick(&s.view, Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(s.view.caret(), word);
        QTest::keyClick(&s.view, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(s.view.selectedBytes(), std::string("tzf;fk;"));
        // A double-click on தமிழ் of the first line selects it whole.
        s.view.setCaret(10);
        const QPoint inside = s.view.caretRect().center() + QPoint(2, 0);
        QTest::mouseDClick(s.view.viewport(), Qt::LeftButton, {}, inside);
        QCOMPARE(s.view.selectedBytes(), std::string("jkpo;"));
    }

    // The consonant waiting for its vowel is drawn after the caret, never in the text; zoom
    // is asked of the window with Ctrl and the wheel.
    void drawsThePendingLetterOutsideTheText()
    {
        Shown s("jkpo;");
        s.view.setCaret(5);
        QString pending;
        s.view.pendingLetter = [&pending] { return pending; };
        const auto inkAfterCaret = [&s] {
            const QImage image = s.view.viewport()->grab().toImage();
            const QRect caret = s.view.caretRect();
            int dark = 0;
            for (int y = caret.top(); y <= caret.bottom(); ++y)
                for (int x = caret.right() + 2; x < caret.right() + 30; ++x)
                    dark += qGray(image.pixel(x, y)) < 128;
            return dark;
        };
        QCOMPARE(inkAfterCaret(), 0);
        pending = "f";
        s.view.refreshPending();
        QVERIFY(inkAfterCaret() > 20);
        QCOMPARE(s.storage.text(), std::string("jkpo;"));
        pending.clear();
        s.view.refreshPending();
        QCOMPARE(inkAfterCaret(), 0);
        int steps = 0;
        s.view.zoomed = [&steps](int by) { steps += by; };
        QWheelEvent wheel(QPointF(10, 10), s.view.viewport()->mapToGlobal(QPointF(10, 10)), {}, {0, 120}, Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(s.view.viewport(), &wheel);
        QCOMPARE(steps, 1);
    }

    // The right-click menu offers what can be done now (Select All without Ctrl+A, which is
    // Save As in this window) and does it; a file dropped is handed over to be opened, text
    // dropped goes in where it falls, read as a paste; the find bar's marks stand behind the
    // words they mark.
    void menuDropsAndMarks()
    {
        Shown s("jkpo; ehL");
        s.view.setCaret(0);
        auto menu = s.view.contextMenuAt({});
        QStringList enabled;
        for (QAction* a : menu->actions())
            if (a->isEnabled() && !a->isSeparator())
                enabled << a->text().remove('&');
        QCOMPARE(enabled.contains("Cut"), false);
        QVERIFY(enabled.contains("Select All"));
        QAction* all = menu->actions().last();
        QVERIFY(all->shortcut().isEmpty());
        all->trigger();
        QCOMPARE(s.view.selectedBytes(), std::string("jkpo; ehL"));
        menu = s.view.contextMenuAt({});
        for (QAction* a : menu->actions())
            if (a->text().remove('&') == "Cut")
                a->trigger();
        QCOMPARE(s.storage.text(), std::string());
        QCOMPARE(QApplication::clipboard()->mimeData()->data(DocumentMimeData::BytesMimeType), QByteArray("jkpo; ehL"));
        s.view.undo();

        std::string dropped;
        s.view.fileDropped = [&dropped](const std::string& name) { dropped = name; };
        const auto drop = [&s](QMimeData& data, QPoint at) {
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(s.view.viewport(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent onto(at, Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(s.view.viewport(), &onto);
        };
        QMimeData file;
        file.setUrls({QUrl::fromLocalFile("/tmp/letter.tam")});
        file.setText("file:///tmp/letter.tam");  // as file managers add it
        drop(file, {20, 5});
        QCOMPARE(dropped, std::string("/tmp/letter.tam"));
        QCOMPARE(s.storage.text(), std::string("jkpo; ehL"));
        s.view.setCaret(6);
        const QPoint beforeNaadu = s.view.caretRect().center();
        QMimeData text;
        text.setData(DocumentMimeData::BytesMimeType, "nfhz;L ");
        drop(text, beforeNaadu);
        QCOMPARE(s.storage.text(), std::string("jkpo; nfhz;L ehL"));

        // Marks: yellow behind நாடு alone.
        const auto yellowIn = [&s](int from, int to) {
            const QImage image = s.view.viewport()->grab().toImage();
            int yellow = 0;
            for (int x = from; x < to; ++x)
                yellow += image.pixel(x, 2) == qRgb(255, 225, 120);
            return yellow;
        };
        s.view.setCaret(13);
        const int markFrom = s.view.caretRect().left() + 2;
        s.view.setCaret(16);
        const int markTo = s.view.caretRect().left() - 2;
        s.view.setMarks({{13, 16}});
        QVERIFY(yellowIn(markFrom, markTo) > (markTo - markFrom) / 2);
        QCOMPARE(yellowIn(0, markFrom - 4), 0);
        s.view.setMarks({});
        QCOMPARE(yellowIn(markFrom, markTo), 0);
    }

    void replacesEachAsOneStep()
    {
        // Replace All: every stretch in one edit of the storage, taken back by one Undo.
        Shown s("nfh f\r\nnfh");
        s.view.replaceEach({{0, 3, "fp"}, {7, 10, "fp"}});
        QCOMPARE(s.storage.text(), std::string("fp f\r\nfp"));
        QCOMPARE(s.storage.lineCount(), std::size_t(2));
        s.view.undo();
        QCOMPARE(s.storage.text(), std::string("nfh f\r\nnfh"));
        QVERIFY(!s.view.canUndo());
    }

    void drawsItsText()
    {
        // Ink where the text is, none in a view of nothing: Tamil codes through the font's
        // glyphs, English through Qt.
        const auto ink = [](TextView& view) {
            const QImage image = view.viewport()->grab().toImage();
            int dark = 0;
            for (int y = 0; y < view.lineHeight(); ++y)
                for (int x = 8; x < 200; ++x)
                    dark += qGray(image.pixel(x, y)) < 128;
            return dark;
        };
        Shown empty("");
        Shown tamil("nfhOk;gpYs;s");
        std::string english = "f ";
        english += "\x0E" "Diploma\x0F";
        Shown mixed(english);
        QCOMPARE(ink(empty.view), 0);
        QVERIFY(ink(tamil.view) > 50);
        QVERIFY(ink(mixed.view) > 50);
    }
};

QTEST_MAIN(TestTextView)
#include "test_text_view.moc"
