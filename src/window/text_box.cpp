#include "window/text_box.h"

#include "document/other_text.h"
#include "document/places.h"
#include "document/segments.h"
#include "document/unicode_tamil.h"
#include "platform/text_codec.h"
#include "platform/utf8.h"
#include "window/accessibility.h"
#include "window/document_mime.h"
#include "window/key_codes.h"
#include "window/words.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextCursor>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace orvane {

TextBox::TextBox(QWidget* parent) : QPlainTextEdit(parent)
{
    installAccessibility();
    // Composed input comes from key events only; an input method would bypass the filter.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    showScrollThumb();
    // First of all who watch the text, so that the storage has each edit before they hear of it.
    connect(document(), &QTextDocument::contentsChange, this, [this](int position, int, int added) {
        if (!following)
            return;  // a load: the storage takes its bytes once it is in
        try {
            follow(position, added);
        } catch (const std::bad_alloc&) {
            behind = true;  // no exception goes through Qt's signals
            return;
        }
        checkStorage(position, added);
    });
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (typingKey)
            return;
        placePending();  // it follows the caret, wherever it went
        if (caretMovedElsewhere)
            caretMovedElsewhere();
    });
}

// The default theme draws the scroll bar's thumb in nearly the groove's grey: in a long
// document it could not be found. It is drawn in the palette's dark grey on the window's
// colour (its light grey in a dark theme), never shorter than a finger's width.
void TextBox::showScrollThumb()
{
    const bool light = palette().color(QPalette::Window).lightness() > 128;
    const QColor groove = palette().color(QPalette::Window);
    const QColor thumb = palette().color(light ? QPalette::Dark : QPalette::Light);
    verticalScrollBar()->setStyleSheet(
        QStringLiteral("QScrollBar:vertical { background: %1; width: 14px; margin: 0; }"
                       "QScrollBar::handle:vertical { background: %2; min-height: 24px; border-radius: 4px; margin: 2px; }"
                       "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
                       "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }")
            .arg(groove.name(), thumb.name()));
}

void TextBox::changeEvent(QEvent* e)
{
    QPlainTextEdit::changeEvent(e);
    if (e->type() == QEvent::PaletteChange)
        showScrollThumb();
}

void TextBox::refreshPending()
{
    if (!typingKey)
        placePending();  // a key's own is placed once its edit is done
}

QString TextBox::pendingShown() const { return pendingDrawn; }

void TextBox::placePending()
{
    const QTextCursor caret = textCursor();
    const QString pending = pendingLetter && !caret.hasSelection() ? pendingLetter() : QString();
    const QRect before = pendingRect;
    pendingDrawn = pending;
    pendingRect = {};
    if (!pending.isEmpty()) {
        const QFontMetrics metrics(caret.charFormat().font());
        const QRect at = cursorRect(caret);
        pendingRect = QRect(at.left() + 1, at.top(), metrics.horizontalAdvance(pending) + 2, at.height());
    }
    viewport()->update(before.united(pendingRect));
}

void TextBox::paintEvent(QPaintEvent* e)
{
    QPlainTextEdit::paintEvent(e);
    if (pendingDrawn.isEmpty())
        return;
    // Where the caret stands now, whatever scrolled since the key.
    const QTextCursor caret = textCursor();
    const QRect at = cursorRect(caret);
    pendingRect = QRect(at.left() + 1, at.top(), QFontMetrics(caret.charFormat().font()).horizontalAdvance(pendingDrawn) + 2,
                        at.height());
    if (!pendingRect.intersects(e->rect()))
        return;
    QPainter painter(viewport());
    QFont underlined = caret.charFormat().font();
    underlined.setUnderline(true);
    painter.setFont(underlined);
    painter.fillRect(pendingRect, palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Highlight));
    painter.drawText(pendingRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, pendingDrawn);
}

void TextBox::setMenuShortcuts(QList<QKeySequence> shortcuts) { menuShortcuts = std::move(shortcuts); }

void TextBox::useStorage(TextStorage& storage)
{
    stored = &storage;
    takeBoxReading();
}

// An edit the storage could not take (short of memory) leaves it behind the box: it is made
// again from the box's characters before anyone reads it.
TextStorage& TextBox::upToDate() const
{
    if (behind) {
        const_cast<TextBox*>(this)->takeBoxReading();
        behind = false;
    }
    return *stored;
}

std::string TextBox::documentBytes() const { return upToDate().text(); }

std::size_t TextBox::documentByteCount() const { return upToDate().size(); }

bool TextBox::writeDocumentBytes(const std::function<bool(std::string_view)>& put) const
{
    // Pieces that lie one after the other in memory (the text as read, between edits) go out
    // as one stretch, without a copy; the many short pieces typing leaves are gathered a
    // megabyte at a time.
    constexpr std::size_t Piece = std::size_t(1) << 20;
    std::string gathered;
    std::string_view stretch;
    const auto flush = [&] {
        bool more = true;
        if (stretch.size() >= Piece / 32) {
            more = (gathered.empty() || put(gathered)) && put(stretch);
            gathered.clear();
        } else {
            gathered.append(stretch);
            if (gathered.size() >= Piece) {
                more = put(gathered);
                gathered.clear();
            }
        }
        stretch = {};
        return more;
    };
    const TextStorage& text = upToDate();
    const bool whole = text.forEachPiece(0, text.size(), [&](std::string_view piece) {
        if (!stretch.empty() && stretch.data() + stretch.size() == piece.data()) {
            stretch = std::string_view(stretch.data(), stretch.size() + piece.size());
            return true;
        }
        const bool more = stretch.empty() || flush();
        stretch = piece;
        return more;
    });
    return whole && (stretch.empty() || flush()) && (gathered.empty() || put(gathered));
}

std::string TextBox::boxBytes() const
{
    std::string bytes;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QString piece = it.fragment().text();
            if (isOther(it.fragment().charFormat()))
                appendOther(bytes, piece.toStdString());
            else
                bytes += codec::fromBoxText(piece);
        }
        if (block.next().isValid())
            bytes += "\r\n";
    }
    return bytes;
}

// The tests ask (ORVANE_CHECK_STORAGE) that every edit of a text of up to a megabyte be
// checked against the box's own characters.
void TextBox::checkStorage(int position, int added) const
{
    static const bool check = qEnvironmentVariableIsSet("ORVANE_CHECK_STORAGE");
    if (check && stored->size() < (std::size_t(1) << 20) && stored->text() != boxBytes()) {
        std::fprintf(stderr, "the storage left the box at an edit of %d places at %d\n", added, position);
        std::abort();
    }
}

void TextBox::editTogether(const std::function<void()>& boxEdits, const std::function<void(TextStorage&)>& storageEdits)
{
    upToDate();
    following = false;
    try {
        boxEdits();
        following = true;
        storageEdits(*stored);
        linesBefore = document()->blockCount();
    } catch (...) {
        following = true;
        behind = true;
        throw;
    }
    checkStorage(0, 0);
}

void TextBox::takeBoxReading()
{
    *stored = TextStorage(boxBytes());
    linesBefore = document()->blockCount();
}

// After a load: the bytes are the storage as they are, where the box reads them as they are
// (Tamil codes, CR LF between lines); else the box's reading of them.
void TextBox::startFollowing(std::string_view loaded)
{
    bool asTheyAre = !holdsOther(loaded);
    for (std::size_t at = loaded.find('\r'); asTheyAre && at != std::string_view::npos; at = loaded.find('\r', at + 1))
        asTheyAre = at + 1 < loaded.size() && loaded[at + 1] == '\n';
    if (asTheyAre && !loaded.empty() && loaded.data() == offered.data()) {
        offered.resize(loaded.size());  // what came in, where it was stopped
        *stored = TextStorage(std::move(offered));
        offered = {};
        linesBefore = document()->blockCount();
    } else if (asTheyAre) {
        *stored = TextStorage(std::string(loaded));
        linesBefore = document()->blockCount();
    } else {
        takeBoxReading();
    }
    following = true;
}

void TextBox::follow(int position, int added)
{
    if (!following || behind)
        return;  // a load, or a storage made again from the box when next read
    QTextDocument* doc = document();
    const int places = doc->characterCount() - 1, lines = doc->blockCount();
    // Qt counts the box's own last paragraph end into an edit that reaches it.
    position = std::clamp(position, 0, places);
    added = std::clamp(added, 0, places - position);
    const QTextBlock first = doc->findBlock(position), last = doc->findBlock(position + added);
    // What was removed ended on the old line that the line now holding the edit's end was:
    // the lines before the edit are the same, and so are those after it.
    const long line = first.blockNumber(), oldLast = last.blockNumber() + long(linesBefore) - lines;
    const std::size_t column = std::size_t(position - first.position());
    const std::size_t tail = std::size_t(last.position() + last.length() - 1 - (position + added));
    const bool sane = oldLast >= line && stored->lineCount() == std::size_t(linesBefore);
    linesBefore = lines;
    if (!sane) {
        takeBoxReading();
        return;
    }
    const std::size_t from = stored->lineStart(std::size_t(line)), to = stored->lineEnd(std::size_t(oldLast));
    // Lines of Tamil codes alone are a byte to each place of the box: the edit's own bytes.
    if (from + column + tail <= to && !stored->holds(OtherBegins, from, to)) {
        const std::string bytes = bytesBetween(position, position + added);
        if (bytes.find(OtherBegins) == std::string::npos) {
            stored->replace(from + column, to - tail - (from + column), bytes);
            return;
        }
    }
    // Else the lines it touched, as the box now has them: runs of other text are whole.
    stored->replace(from, to - from, bytesBetween(first.position(), last.position() + last.length() - 1));
}

const QTextCharFormat& TextBox::otherTextFormat()
{
    static const QTextCharFormat format = [] {
        QTextCharFormat f;
        f.setProperty(OtherTextProperty, true);
        f.setFontFamilies({QApplication::font().family()});  // the interface's font, at the box's size
        return f;
    }();
    return format;
}

bool TextBox::isOther(const QTextCharFormat& format) { return format.boolProperty(OtherTextProperty); }

void TextBox::insertBytes(QTextCursor& cursor, std::string_view bytes)
{
    static const QTextCharFormat tamil;
    if (!holdsOther(bytes)) {
        cursor.insertText(codec::toBoxText(bytes), tamil);
        return;
    }
    // Runs never cross a line end, so each line break stays a paragraph break of the box.
    forEachRun(
        bytes, [&](std::string_view codes) { cursor.insertText(codec::toBoxText(codes), tamil); },
        [&](std::string_view other) {
            // QString::fromUtf8 takes a U+FEFF that begins its bytes for a byte-order mark and
            // drops it: inside the text it is a character like any other.
            QString text;
            for (; other.starts_with("\xEF\xBB\xBF"); other.remove_prefix(3))
                text += QChar(0xFEFF);
            text += QString::fromUtf8(other.data(), qsizetype(other.size()));
            cursor.insertText(text, otherTextFormat());
        });
}

void TextBox::replacePlaces(int at, int removed, std::string_view bytes)
{
    QTextCursor cursor(document());
    cursor.setPosition(at);
    cursor.setPosition(at + removed, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    if (!bytes.empty())
        insertBytes(cursor, bytes);
}

std::string TextBox::bytesBetween(int from, int to) const
{
    std::string bytes;
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() <= to; block = block.next()) {
        if (block.position() > from)
            bytes += "\r\n";
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int begin = std::max(from, fragment.position()), end = std::min(to, fragment.position() + fragment.length());
            if (end <= begin)
                continue;
            const QString piece = fragment.text().mid(begin - fragment.position(), end - begin);
            if (isOther(fragment.charFormat()))
                appendOther(bytes, piece.toStdString());
            else
                bytes += codec::fromBoxText(piece);
        }
    }
    return bytes;
}

std::string TextBox::storedBetween(int from, int to) const
{
    const int length = document()->characterCount() - 1;
    const auto byteOf = [&](int at) -> std::optional<std::size_t> {
        if (at >= length)
            return stored->size();
        const QTextBlock block = document()->findBlock(at);
        if (block.position() != at)
            return std::nullopt;
        return stored->lineStart(std::size_t(block.blockNumber()));
    };
    const TextStorage& text = upToDate();
    const std::optional<std::size_t> begin = byteOf(from), end = byteOf(to);
    if (!following || !begin || !end || *end < *begin)
        return bytesBetween(from, to);
    return text.text(*begin, *end);
}

TextBox::ParagraphBytes TextBox::paragraphBytes(const QTextBlock& block, int from, int to)
{
    ParagraphBytes out;
    const int length = block.length() - 1;
    to = to < 0 ? length : std::min(to, length);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const int fragmentAt = fragment.position() - block.position();
        const int begin = std::max(from, fragmentAt), end = std::min(to, fragmentAt + fragment.length());
        if (end <= begin)
            continue;
        const QString text = fragment.text().mid(begin - fragmentAt, end - begin);
        if (isOther(fragment.charFormat()))
            appendOther(out.bytes, text.toStdString());
        else
            out.bytes += codec::fromBoxText(text);
    }
    out.boxAt = placesOf(out.bytes);
    for (int& at : out.boxAt)
        at += from;
    return out;
}

std::vector<int> TextBox::segmentEdges(const QTextBlock& block, int offset)
{
    // A segment is a few codes long and none reaches over a space: a long paragraph is read
    // only around the place, and its edges trusted from the first space read (or, with none,
    // from far enough on for the reading to have found its step). A run of other text cut
    // there is read as a run of its own, its characters each a segment either way.
    constexpr int Whole = 4096, Back = 256, Settled = 32;
    const int length = block.length() - 1;
    const bool whole = length <= Whole;
    const int from = whole ? 0 : std::max(0, offset - Back), to = whole ? length : std::min(length, offset + Back);
    const ParagraphBytes paragraph = paragraphBytes(block, from, to);
    std::vector<int> edges;
    if (from == 0)
        edges.push_back(0);
    int trusted = from == 0 ? 0 : from + Settled;
    bool spaced = from == 0;
    forEachSegment(paragraph.bytes, [&](const Segment& s) {
        const int at = paragraph.boxAt[s.begin + s.length];
        if (!spaced && s.text == " " && at <= offset) {
            spaced = true;
            trusted = at;
            edges.clear();
        }
        if ((spaced || at >= trusted) && (to == length || at + Settled <= to) && (edges.empty() || edges.back() < at))
            edges.push_back(at);
    });
    std::erase_if(edges, [trusted](int at) { return at < trusted; });
    return edges;
}

bool TextBox::otherTextAt(int position) const
{
    QTextCursor at(document());
    at.setPosition(position + 1);  // the format of the character before it
    return isOther(at.charFormat());
}

// To the edge of the segment before (or after) the caret: a whole syllable, a letter of
// other text; past a paragraph's start or end the box moves on as ever.
bool TextBox::moveBySegment(bool forward, bool select)
{
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection() && !select)
        return false;  // the box puts the caret at the selection's edge
    const QTextBlock block = cursor.block();
    const int offset = cursor.position() - block.position();
    if (forward ? offset >= block.length() - 1 : offset == 0)
        return false;
    if (otherTextAt(cursor.position() + (forward ? 0 : -1)))
        return false;  // English goes by the box's own letters (a letter with its accents)
    const std::vector<int> edges = segmentEdges(block, offset);
    int target = -1;
    if (forward) {
        const auto next = std::upper_bound(edges.begin(), edges.end(), offset);
        target = next == edges.end() ? -1 : *next;
    } else {
        const auto next = std::lower_bound(edges.begin(), edges.end(), offset);
        target = next == edges.begin() ? -1 : *(next - 1);
    }
    if (target < 0)
        return false;
    cursor.setPosition(block.position() + target, select ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
    return true;
}

// A caret the mouse, or a line's edge, put inside a syllable goes to its nearer edge; the
// selection's other end stays.
void TextBox::snapToSegment()
{
    const QTextCursor cursor = textCursor();
    const QTextBlock block = cursor.block();
    const int offset = cursor.position() - block.position();
    if (offset == 0 || offset >= block.length() - 1)
        return;
    const std::vector<int> edges = segmentEdges(block, offset);
    const auto next = std::lower_bound(edges.begin(), edges.end(), offset);
    if (next == edges.end() || next == edges.begin() || *next == offset)
        return;
    const int target = offset - *(next - 1) <= *next - offset ? *(next - 1) : *next;
    QTextCursor moved = cursor;
    moved.setPosition(cursor.anchor());
    moved.setPosition(block.position() + target, cursor.hasSelection() ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
    setTextCursor(moved);
}

void TextBox::mousePressEvent(QMouseEvent* e)
{
    QPlainTextEdit::mousePressEvent(e);
    if (e->button() == Qt::LeftButton)
        snapToSegment();
}

void TextBox::mouseMoveEvent(QMouseEvent* e)
{
    QPlainTextEdit::mouseMoveEvent(e);
    if (e->buttons() & Qt::LeftButton)
        snapToSegment();
}

// Delete takes the whole segment after the caret: a syllable goes with all its signs.
bool TextBox::deleteSegment()
{
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection())
        return false;
    const QTextBlock block = cursor.block();
    const int offset = cursor.position() - block.position();
    if (offset >= block.length() - 1 || otherTextAt(cursor.position()))
        return false;  // English: the box's own Delete
    const std::vector<int> edges = segmentEdges(block, offset);
    const auto next = std::upper_bound(edges.begin(), edges.end(), offset);
    if (next == edges.end() || *next == offset + 1)
        return false;  // one character: the box's own Delete
    cursor.setPosition(block.position() + *next, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    setTextCursor(cursor);
    return true;
}

// Backspace in a Unicode document takes the last character of the syllable before the
// caret (கொ becomes க, க் becomes க), as a Unicode editor does; in a .tam document, and in
// other text, it takes one code, as the box does.
void TextBox::deleteBack(QTextCursor& cursor)
{
    const QTextBlock block = cursor.block();
    const int offset = cursor.position() - block.position();
    if (!holdsUnicode || offset == 0) {
        cursor.deletePreviousChar();
        return;
    }
    const std::vector<int> edges = segmentEdges(block, offset);
    const auto at = std::lower_bound(edges.begin(), edges.end(), offset);
    if (at == edges.begin() || *at != offset || *(at - 1) + 1 == offset) {
        cursor.deletePreviousChar();  // one code, or inside a syllable: as ever
        return;
    }
    const int from = *(at - 1);
    const std::string codes = bytesBetween(block.position() + from, block.position() + offset);
    if (holdsOther(codes)) {
        cursor.deletePreviousChar();
        return;
    }
    const std::string left = withoutLastCharacter(codes);
    cursor.setPosition(block.position() + from, QTextCursor::KeepAnchor);
    if (left.empty()) {  // one character: its codes all go
        cursor.removeSelectedText();
        return;
    }
    cursor.insertText(codec::toBoxText(left));
}

std::string TextBox::selectionBytes() const
{
    const QTextCursor cursor = textCursor();
    return bytesBetween(cursor.selectionStart(), cursor.selectionEnd());
}

void TextBox::setDocumentBytes(std::string_view bytes)
{
    loadFollowing([&] { loadBytes(bytes); });
}

bool TextBox::setDocumentBytes(std::string_view bytes, const std::function<bool(double)>& progress)
{
    bool whole = false;
    loadFollowing([&] { whole = loadBytes(bytes, progress); });
    return whole;
}

// A load that fails half way (short of memory) still leaves the storage what the box shows.
void TextBox::loadFollowing(const std::function<void()>& load)
{
    try {
        load();
    } catch (...) {
        following = true;
        try {
            takeBoxReading();
        } catch (...) {
            stored->remove(0, stored->size());
            setPlainText(QString());
        }
        throw;
    }
}

void TextBox::loadBytes(std::string_view bytes)
{
    // setPlainText gives the new text the format the caret had: after English, all of it
    // would be English.
    setCurrentCharFormat(QTextCharFormat());
    following = false;  // the storage takes the bytes whole
    if (!holdsOther(bytes)) {
        setPlainText(codec::toBoxText(bytes));
        startFollowing(bytes);
        return;
    }
    setPlainText(QString());
    document()->setUndoRedoEnabled(false);  // as setPlainText: the loaded text is no step to undo
    QTextCursor cursor(document());
    insertBytes(cursor, bytes);
    document()->setUndoRedoEnabled(true);
    document()->setModified(false);
    moveCursor(QTextCursor::Start);
    startFollowing(bytes);
}

bool TextBox::loadBytes(std::string_view bytes, const std::function<bool(double)>& progress)
{
    constexpr std::size_t Piece = std::size_t(1) << 20;
    setCurrentCharFormat(QTextCharFormat());
    following = false;
    setPlainText(QString());
    QTextDocument* doc = document();
    doc->setUndoRedoEnabled(false);  // as setPlainText: the loaded text is no step to undo
    QTextCursor end(doc);
    bool whole = true;
    std::size_t loaded = 0;
    for (std::size_t at = 0; at < bytes.size() && whole;) {
        // A piece ends with a paragraph: added to a paragraph already there, it would have the
        // box lay that paragraph out again, and a long one again and again.
        const std::size_t lineEnd = at + Piece < bytes.size() ? bytes.find("\r\n", at + Piece - 1) : std::string_view::npos;
        const std::size_t n = lineEnd == std::string_view::npos ? bytes.size() - at : lineEnd + 2 - at;
        end.movePosition(QTextCursor::End);
        insertBytes(end, bytes.substr(at, n));
        at += n;
        loaded = at;
        whole = progress(double(at) / double(bytes.size()));
    }
    doc->setUndoRedoEnabled(true);
    doc->setModified(false);
    moveCursor(QTextCursor::Start);
    startFollowing(bytes.substr(0, loaded));  // what came in, where it was stopped
    return whole;
}

bool TextBox::event(QEvent* e)
{
    if (e->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(e);
        if (menuShortcuts.contains(QKeySequence(key->keyCombination()))) {
            e->ignore();  // let the menu's action have it
            return true;
        }
    }
    return QPlainTextEdit::event(e);
}

void TextBox::keyPressEvent(QKeyEvent* e)
{
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    if ((e->key() == Qt::Key_Left || e->key() == Qt::Key_Right)
        && (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier))) {
        e->accept();
        moveByWord(e->key() == Qt::Key_Right, mods & Qt::ShiftModifier);
        return;
    }
    if ((e->key() == Qt::Key_Left || e->key() == Qt::Key_Right) && (mods == Qt::NoModifier || mods == Qt::ShiftModifier)
        && moveBySegment(e->key() == Qt::Key_Right, mods == Qt::ShiftModifier)) {
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Delete && mods == Qt::NoModifier && deleteSegment()) {
        e->accept();
        return;
    }
    const int code = keyCodeOf(e);
    if (code == BoxOwnsKey || !keyPressHandler) {
        QPlainTextEdit::keyPressEvent(e);
        // Up, Down, a page, or a line's edge where a line broke inside a syllable.
        if (const int key = e->key(); key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown
                                      || key == Qt::Key_Home || key == Qt::Key_End)
            snapToSegment();
        return;
    }
    e->accept();
    if (code == Swallowed)
        return;  // a key that must not edit
    typeCode(code, e->text());
}

void TextBox::typeCode(int code, const QString& text)
{
    if (!keyPressHandler)
        return;
    // One key press, with every character it injects, is one step of Undo.
    // The block begins where the caret stands, so that Undo puts the caret back there.
    QTextCursor group = textCursor();
    typingKey = true;
    group.beginEditBlock();
    apply(keyPressHandler(code, text));
    group.endEditBlock();
    typingKey = false;
    placePending();
    ensureCursorVisible();
}

std::string TextBox::codesBeforeCaret() const
{
    const QTextCursor cursor = textCursor();
    if (cursor.hasSelection())
        return {};
    // Character by character: a fragment's text would copy the whole of a long paragraph.
    const int n = std::min(cursor.positionInBlock(), 16);
    QString chars;
    for (int at = cursor.position() - n; at < cursor.position(); ++at)
        chars += document()->characterAt(at);
    return codec::fromBoxText(chars);
}

void TextBox::apply(const KeyEffect& effect)
{
    // Inside the key's edit block the layout is not yet updated, so nothing here may ask
    // for the caret's place (setTextCursor, ensureCursorVisible): the edit goes through a
    // copy of the caret, which the box's own caret follows.
    QTextCursor cursor = textCursor();
    switch (effect.kind) {
    case KeyEffect::Nothing:
        return;
    case KeyEffect::DeleteBack:
        if (cursor.hasSelection())
            cursor.removeSelectedText();
        else
            deleteBack(cursor);
        return;
    case KeyEffect::LineBreak:
        cursor.insertBlock();  // a paragraph break, also for Shift+Enter
        return;
    case KeyEffect::Insert:  // the codes' characters, printable or not, replacing the selection
        if (!cursor.hasSelection())  // a typed letter rewritten: one code a character
            for (std::size_t n = std::min<std::size_t>(effect.erase, std::size_t(cursor.positionInBlock())); n > 0; --n)
                cursor.deletePreviousChar();
        insertBytes(cursor, effect.codes);
        return;
    }
}

bool TextBox::canInsertFromMimeData(const QMimeData* source) const
{
    return source && (source->hasText() || source->hasFormat(BytesMimeType));
}

void TextBox::insertFromMimeData(const QMimeData* source)
{
    try {
        std::optional<std::string> bytes;
        if (readPasted)
            bytes = readPasted(source);
        else if (source && source->hasFormat(BytesMimeType))
            bytes = source->data(BytesMimeType).toStdString();
        if (bytes && (!bytes->empty() || textCursor().hasSelection()))
            replaceSelection(*bytes);
    } catch (const std::bad_alloc&) {
        if (outOfMemory)
            outOfMemory();
    }
}

void TextBox::replaceSelection(std::string_view bytes)
{
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    insertBytes(cursor, bytes);
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

QMimeData* TextBox::createMimeDataFromSelection() const { return new DocumentMimeData(selectionBytes(), holdsUnicode); }

// The box's words: the paragraph's segments as pieces in the box's places.
std::vector<WordPiece> TextBox::wordPieces(const QTextBlock& block)
{
    const ParagraphBytes paragraph = paragraphBytes(block);
    std::vector<WordPiece> pieces = orvane::wordPieces(paragraph.bytes);
    for (WordPiece& p : pieces)
        p = {std::size_t(paragraph.boxAt[p.from]), std::size_t(paragraph.boxAt[p.to]), p.word};
    return pieces;
}

// Forward: to the end of this word or the next; back: to the start of this word or the one
// before; past a paragraph's end (or start), on to the next (or the one before).
void TextBox::moveByWord(bool forward, bool select)
{
    QTextCursor cursor = textCursor();
    const QTextBlock block = cursor.block();
    const int offset = cursor.position() - block.position();
    const int length = block.length() - 1;
    int target = int(wordStep(wordPieces(block), std::size_t(offset), forward));
    if (target == offset && forward)
        target = offset < length || !block.next().isValid() ? length : length + 1;
    else if (target == offset)
        target = offset > 0 || !block.previous().isValid() ? 0 : -1;
    cursor.setPosition(block.position() + target, select ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void TextBox::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        QPlainTextEdit::mouseDoubleClickEvent(e);
        return;
    }
    QTextCursor cursor = cursorForPosition(e->position().toPoint());
    const QTextBlock block = cursor.block();
    const auto [from, to] = wordAround(wordPieces(block), std::size_t(cursor.position() - block.position()));
    cursor.setPosition(block.position() + int(from));
    cursor.setPosition(block.position() + int(to), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    e->accept();
}

void TextBox::wheelEvent(QWheelEvent* e)
{
    if ((e->modifiers() & Qt::ControlModifier) && zoomed) {
        if (const int delta = e->angleDelta().y(); delta != 0)
            zoomed(delta > 0 ? 1 : -1);
        e->accept();
        return;
    }
    QPlainTextEdit::wheelEvent(e);
}

void TextBox::contextMenuEvent(QContextMenuEvent* e) { contextMenuAt(e->pos())->exec(e->globalPos()); }

std::unique_ptr<QMenu> TextBox::contextMenuAt(const QPoint& at)
{
    // Ctrl+A is Save As in this window: the menu must not offer it for Select All.
    std::unique_ptr<QMenu> menu(createStandardContextMenu(at));
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String("select-all"))
            action->setShortcut(QKeySequence());
        if (action->objectName() == QLatin1String("edit-undo"))
            action->setText(tr("U&ndo"));  // the Edit menu's own letter, in both menus
    }
    return menu;
}

void TextBox::dragEnterEvent(QDragEnterEvent* e)
{
    if (!droppedFile(e->mimeData()).empty()) {
        e->acceptProposedAction();
        return;
    }
    QPlainTextEdit::dragEnterEvent(e);
}

void TextBox::dragMoveEvent(QDragMoveEvent* e)
{
    if (!droppedFile(e->mimeData()).empty()) {
        e->acceptProposedAction();
        return;
    }
    QPlainTextEdit::dragMoveEvent(e);
}

void TextBox::dropEvent(QDropEvent* e)
{
    // A file is opened, not typed in as its name.
    if (const std::string file = droppedFile(e->mimeData()); !file.empty()) {
        e->acceptProposedAction();
        if (fileDropped)
            fileDropped(file);
        return;
    }
    QPlainTextEdit::dropEvent(e);
}

} // namespace orvane
