#pragma once
// Orvane's own view of a document's storage: it draws the visible lines straight from the
// bytes, a Tamil code as one glyph of the font at the advance the font gives it, a character
// of other text in the other font; every line one height; rows broken between syllables only
// (see document/line_layout.h). The caret stands between syllables: Left and Right move by
// one, Delete takes the one after it, and Backspace takes one code in a .tam document and
// one character in a Unicode one. Every edit is one edit of the storage.

#include "document/line_layout.h"
#include "document/text_storage.h"
#include "phonetic/keyboards.h"
#include "window/storage_reading.h"
#include "window/words.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QRawFont>

class QMenu;
class QMimeData;

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace orvane {

class TextView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TextView(TextStorage& storage, QWidget* parent = nullptr);

    // Tamil codes in the first, other text in the second.
    void setFonts(const QFont& tamil, const QFont& other);
    // Backspace takes one character of a syllable, as in every Unicode editor.
    bool unicodeDocument = false;

    // The caret, as a byte of the storage (always between syllables).
    std::size_t caret() const { return caretAt; }
    void setCaret(std::size_t at);
    // Where the caret is drawn, in the viewport; where it would be at a byte (at the end of a
    // row rather than the next one's start); the place nearest a point of the viewport.
    QRect caretRect();
    QRect placeRect(std::size_t at, bool atRowEnd = false);
    std::size_t byteAt(QPoint at);
    // The selection: from the anchor to the caret (bytes of the storage, between syllables).
    std::size_t anchor() const { return anchorAt; }
    std::size_t selectionStart() const { return std::min(anchorAt, caretAt); }
    std::size_t selectionEnd() const { return std::max(anchorAt, caretAt); }
    std::string selectedBytes() const { return storage.text(selectionStart(), selectionEnd()); }
    void select(std::size_t from, std::size_t to);
    // Replaces the bytes from..to, as one edit of the storage; the caret after them.
    void replace(std::size_t from, std::size_t to, std::string_view bytes);
    // The storage changed from outside: lines from `line` on (all of them: npos).
    void storageChanged(std::size_t line = std::size_t(-1));
    // After each edit the view makes: where, how many bytes went and came.
    std::function<void(std::size_t at, std::size_t removed, std::size_t added)> edited;

    // Takes a key's code (as the text box gives it: the character's 8-bit code, 8 Backspace,
    // 13 Enter) and its text, and says what the text does; without one, a character goes in
    // as its code.
    std::function<KeyEffect(int code, const QString& text)> keyPressHandler;
    // A key's code as a key press would bring it, what it does one step of Undo.
    void typeCode(int code, const QString& text = {});
    // The consonant waiting for its vowel (as the box's characters; empty: none), drawn after
    // the caret, underlined, as an input method draws its pre-edit: never in the text, its
    // layout or the storage. Asked after every key and caret move, and by refreshPending.
    std::function<QString()> pendingLetter;
    void refreshPending();
    // The find bar's matches, marked behind the text: byte ranges of the storage, in order.
    using Mark = std::pair<std::size_t, std::size_t>;
    void setMarks(std::vector<Mark> matches);
    // The menu a right-click at a place opens, as the box's: Undo, Redo, Cut, Copy, Paste,
    // Delete, Select All (with no key: Ctrl+A is Save As in this window).
    std::unique_ptr<QMenu> contextMenuAt(const QPoint& at);
    // A file dropped on the view: its name as the system's bytes. Text dropped goes in where
    // it is dropped, read as a paste is.
    std::function<void(const std::string&)> fileDropped;
    // Ctrl with the wheel: steps up (positive) or down.
    std::function<void(int steps)> zoomed;
    // The codes just before the caret in its line (a few), none when text is selected.
    std::string codesBeforeCaret() const;
    // Each of the stretches (in order, none overlapping) replaced by its bytes, as one edit of
    // the storage and one step of Undo (Replace All).
    struct Replacement {
        std::size_t from, to;
        std::string bytes;
    };
    void replaceEach(const std::vector<Replacement>& replacements);
    // The clipboard: the selection copied as the box copies it (document_mime.h), cut as one
    // step of Undo, and what the clipboard holds pasted over it, read by readPasted (the
    // editor's rules for text from outside; without them only Orvane's own bytes come in).
    // A selection made with the mouse or the keys is offered as the X selection, which a
    // middle click pastes where it clicks.
    void selectAll();
    void copy();
    void cut();
    void paste();
    void pasteFrom(const QMimeData* source);
    std::function<std::optional<std::string>(const QMimeData*)> readPasted;
    QMimeData* selectionMimeData() const;
    // Undo and Redo, an edit or a key's edits at a time; the caret where the edit was.
    void undo();
    void redo();
    bool canUndo() const { return !done.empty(); }
    bool canRedo() const { return !undone.empty(); }

    int lineHeight() const { return rowHeight; }
    // The storage as the Unicode it stands for, as a screen reader reads it; every edit is
    // told to the screen reader in it.
    StorageReading& unicodeReading() { return reading; }
    // A line laid out (a long one as far as it is asked: more than `rows` rows, past byte
    // `through` of it; by default whole).
    const LineLayout& layoutOf(std::size_t line, std::size_t rows = std::size_t(-1), std::size_t through = std::size_t(-1));
    // The line at the top of the viewport, and how many of its rows are above it.
    std::size_t topLine() const { return top; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct Spot {
        std::size_t line, syllable;
    };
    Spot spotOf(std::size_t at);
    std::size_t byteOf(std::size_t line, std::size_t syllable);
    void moveCaret(std::size_t at, bool keepGoal = false);
    void moveByRows(int rows);
    // Where in its row the syllable at a byte of a line begins; at a row's end, where it ends.
    float xOf(const LineLayout& l, std::size_t lineStart, std::size_t row, std::size_t byte);
    void drawRow(QPainter& p, const LineLayout& l, std::size_t lineStart, std::size_t row, int y);
    void backspace();
    void apply(const KeyEffect& effect);
    // The edits of one step of Undo: the bytes that went and came at each place, in order.
    struct Edit {
        std::size_t at;
        std::string removed, added;
    };
    struct Step {
        std::vector<Edit> edits;
        std::size_t caret, anchor;  // as they stood before it
    };
    void replaceWithout(std::size_t from, std::size_t to, std::string_view bytes);
    void undoStep(std::vector<Step>& from, std::vector<Step>& to, bool backwards);
    void deleteForward();
    void ensureCaretVisible();
    void offerSelection();
    // A press inside the selection may begin dragging it: where it was pressed, until the
    // mouse moves far enough (a drag) or is let go (a click). While the selection is
    // dragged, what it was, and whether it was dropped here.
    std::optional<QPoint> pressedInSelection;
    struct DraggedOut {
        std::size_t from, to;
        std::uint64_t edits;
        bool droppedHere = false;
    };
    std::optional<DraggedOut> draggedOut;
    void dragSelection();
    void moveText(std::size_t from, std::size_t to, std::size_t at);
    // The words about a place of a line, in bytes of the line: a short line's every one, a
    // long line's within a few thousand bytes of it.
    std::vector<WordPiece> wordsNear(std::size_t line, std::size_t at);
    void moveByWord(bool forward);
    // Where row `row` of a line begins in the viewport: above it, -rowHeight; below it, its
    // height.
    int yOf(std::size_t line, std::size_t row);
    // The rows from..to of a line drawn again (to: npos, to the bottom).
    void updateRows(std::size_t line, std::size_t from, std::size_t to);
    void updateScrollRange();
    float width() const;
    std::size_t lineBytesEnd(std::size_t line) const { return storage.lineEnd(line); }
    // A line's bytes, in a buffer kept from line to line (a long one is not allocated anew
    // for every key); valid until the next call.
    std::string_view lineText(std::size_t line);

    TextStorage& storage;
    StorageReading reading{storage};
    QFont tamil, other;
    QRawFont raw;
    std::array<quint32, 256> glyph{};
    Advances advances;
    int rowHeight = 1, ascent = 0;
    std::string lineBuffer;
    std::unordered_map<std::size_t, LineLayout> layouts;  // of the lines drawn lately, at layoutWidth
    float layoutWidth = 0;
    std::size_t caretAt = 0, anchorAt = 0;
    bool extending = false;  // the caret's move takes the selection with it
    std::vector<Step> done, undone;
    bool inStep = false;  // edits join the last step (one key's)
    bool caretAtRowEnd = false;  // at the end of its row rather than the start of the next
    float goalX = -1;            // where Up and Down aim
    std::size_t top = 0, topRow = 0;
    void tellChange(int at, const QString& before, const QString& now);
    std::vector<Mark> marks;
    QString pendingDrawn;
    QRect pendingRect;  // where it was drawn
};

} // namespace orvane
