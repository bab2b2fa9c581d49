#pragma once
// Text1: the editing box. Every character key, Backspace, Enter and Esc goes through the
// key-press handler first, as its 8-bit code; the handler passes, replaces or swallows it.
// Text from outside enters by one path, whatever brought it.

#include "document/text_storage.h"
#include "window/document_mime.h"
#include "window/words.h"
#include "phonetic/typing.h"

#include <QKeySequence>
#include <QList>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCharFormat>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QMenu;

namespace orvane {

class TextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    // Takes a key's code (NoCode for a character the 8-bit set has not) and its text, and
    // says what the text does.
    std::function<KeyEffect(int code, const QString& text)> keyPressHandler;
    // A file dropped on the box: its name as the system's bytes.
    std::function<void(const std::string&)> fileDropped;
    // Text from outside too large for the memory left.
    std::function<void()> outOfMemory;
    // Reads what text from outside brings as a document's bytes; nothing: it does not come in.
    std::function<std::optional<std::string>(const QMimeData*)> readPasted;
    // Ctrl with the wheel: steps up (positive) or down.
    std::function<void(int steps)> zoomed;
    // The box holds a Unicode document. A copy's plain text for other programs is then its
    // Unicode (a .tam one's, its codes; every copy carries the document's bytes and its
    // Unicode as HTML too), and Backspace takes one character of a syllable, not one code.
    bool holdsUnicode = false;

    // Key sequences of the menus, which win over the box's own use of the same keys.
    void setMenuShortcuts(QList<QKeySequence> shortcuts);
    // A key's code, as a key press would bring it: through the handler, and what it says
    // done to the text as one step of Undo.
    void typeCode(int code, const QString& text = {});
    // The codes just before the caret in its line (a few), none when text is selected: what a
    // key may join with.
    std::string codesBeforeCaret() const;
    // The caret moved, or the text changed, other than by a typed key.
    std::function<void()> caretMovedElsewhere;
    // The consonant waiting for its vowel (as the box's characters; empty: none), drawn
    // over the spot after the caret, as an input method draws its pre-edit: underlined, and
    // never in the text or its layout, so that no edit, save or copy ever sees it. Asked
    // after every key and caret move, and when refreshPending says it changed.
    std::function<QString()> pendingLetter;
    void refreshPending();
    QString pendingShown() const;

    // The storage the box edits: each edit of the box, however made (a key, a paste, Undo,
    // Replace All), is made there too, at the same place. Until one is given, its own.
    void useStorage(TextStorage& storage);
    const TextStorage& storage() const { return *stored; }
    // Edits of the box whose bytes the caller knows (Replace All in Tamil codes alone): made
    // in the storage by storageEdits, at those bytes, rather than read back from the box.
    void editTogether(const std::function<void()>& boxEdits, const std::function<void(TextStorage&)>& storageEdits);
    // The document's bytes in one stretch, without a copy (see TextStorage::flat).
    std::string_view documentView() { return stored->flat(); }
    // The document's bytes, CR LF between lines, other text between its marks: the storage's.
    std::string documentBytes() const;
    // The same read from the box's own characters: what the storage must agree with.
    std::string boxBytes() const;
    // Those of the text between two positions, and of the selection.
    std::string bytesBetween(int from, int to) const;
    // The same from the storage, without reading the box, where both positions begin a line
    // or end the text (the recovery copy's slices); else as bytesBetween.
    std::string storedBetween(int from, int to) const;
    // Replaces `removed` characters at `at` with the bytes, as an edit does.
    void replacePlaces(int at, int removed, std::string_view bytes);
    std::string selectionBytes() const;
    // A paragraph as the document's bytes, with, for each byte, the offset in the paragraph
    // of the character it belongs to (and one more: the paragraph's length).
    struct ParagraphBytes {
        std::string bytes;
        std::vector<int> boxAt;
    };
    // from, to: only the part between these offsets (-1: to the end).
    static ParagraphBytes paragraphBytes(const QTextBlock& block, int from = 0, int to = -1);
    // Puts a document's bytes in at the cursor: Tamil in the box's font, other text in the
    // interface's, marked as other text.
    static void insertBytes(QTextCursor& cursor, std::string_view bytes);
    // Other text (English) is marked by this format property.
    static constexpr int OtherTextProperty = QTextFormat::UserProperty + 1;
    static const QTextCharFormat& otherTextFormat();
    static bool isOther(const QTextCharFormat& format);
    // The same in pieces of about a megabyte, straight from the storage; false when put
    // gave up.
    bool writeDocumentBytes(const std::function<bool(std::string_view)>& put) const;
    std::size_t documentByteCount() const;
    void setDocumentBytes(std::string_view bytes);
    // Bytes the next load may keep as the storage's own rather than copy them, where they
    // are what it loads: the load is given the view this returns.
    std::string_view offerBytes(std::string bytes)
    {
        offered = std::move(bytes);
        return offered;
    }
    // The same a megabyte at a time, telling progress how far it got (0 to 1) after each;
    // when progress returns false it stops there and returns false.
    bool setDocumentBytes(std::string_view bytes, const std::function<bool(double)>& progress);

    // The one way text from outside enters (Paste, Shift+Insert, the context menu, a
    // middle-click, a drop): it replaces the selection, also with nothing when the source
    // holds no text. readPasted says what it is.
    void insertFromMimeData(const QMimeData* source) override;
    // The selection replaced by a document's bytes, as one step of Undo.
    void replaceSelection(std::string_view bytes);
    // The selection for the clipboard: plain text with line feeds for other programs, and
    // its exact bytes for Orvane, so that a lone LF pastes back as itself.
    QMimeData* selectionMimeData() const { return createMimeDataFromSelection(); }

    static constexpr const char* BytesMimeType = DocumentMimeData::BytesMimeType;
    // The menu a right-click at a place opens.
    std::unique_ptr<QMenu> contextMenuAt(const QPoint& at);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    QMimeData* createMimeDataFromSelection() const override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    // An edit of the box made in the storage: the lines it touched, and within a line of
    // Tamil codes alone the very bytes.
    void follow(int position, int added);
    // The storage made again from the box's characters (after a load whose bytes the box
    // reads otherwise, such as a lone CR, which it takes for a line end).
    void takeBoxReading();
    void startFollowing(std::string_view loaded);
    void checkStorage(int position, int added) const;
    void loadFollowing(const std::function<void()>& load);
    void loadBytes(std::string_view bytes);
    bool loadBytes(std::string_view bytes, const std::function<bool(double)>& progress);
    TextStorage& upToDate() const;
    TextStorage ownStorage;
    TextStorage* stored = &ownStorage;
    mutable bool behind = false;  // an edit is not in the storage yet
    std::string offered;
    bool following = true;
    int linesBefore = 1;  // the box's paragraphs before the edit it tells
    void apply(const KeyEffect& effect);
    // Words by Tamil letters (words.h), in the paragraph's places.
    static std::vector<WordPiece> wordPieces(const QTextBlock& block);
    void moveByWord(bool forward, bool select);
    // The caret stands between segments (whole syllables): the edges near an offset of the
    // paragraph, in order.
    static std::vector<int> segmentEdges(const QTextBlock& block, int offset);
    bool moveBySegment(bool forward, bool select);
    bool deleteSegment();
    bool otherTextAt(int position) const;  // whether the character there is other text
    void snapToSegment();
    void deleteBack(QTextCursor& cursor);

    QList<QKeySequence> menuShortcuts;
    bool typingKey = false;
    void placePending();  // at the caret, when no text is selected
    void showScrollThumb();
    QString pendingDrawn;
    QRect pendingRect;  // where it was drawn, in the viewport
};

// Text from outside as the document takes it (see insertFromMimeData).
QString fitPasted(const QString& text);

} // namespace orvane
