#include "window/text_view.h"

#include "document/other_text.h"
#include "document/segments.h"
#include "document/unicode_tamil.h"
#include "platform/charset.h"
#include "window/accessibility.h"
#include "window/document_mime.h"
#include "window/key_codes.h"

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QGlyphRun>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QVarLengthArray>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace orvane {

namespace {
constexpr int Margin = 4;
constexpr std::size_t KeptLayouts = 512;
// The bytes after an edit handed to its layout: many rows' worth.
constexpr std::size_t AboutAnEdit = std::size_t(64) << 10;
} // namespace

TextView::TextView(TextStorage& storage, QWidget* parent) : QAbstractScrollArea(parent), storage(storage)
{
    installViewAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    // Composed input comes from key events only; an input method would bypass the composer.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setCursor(Qt::IBeamCursor);
    setFonts(font(), font());
}

void TextView::setFonts(const QFont& tamilFont, const QFont& otherFont)
{
    tamil = tamilFont;
    other = otherFont;
    raw = QRawFont::fromFont(tamil);
    QString codes(256, Qt::Uninitialized);
    for (int b = 0; b < 256; ++b)
        codes[b] = QChar(charset::toUnicode(static_cast<unsigned char>(b)));
    const QList<quint32> indexes = raw.glyphIndexesForString(codes);
    const QList<QPointF> widths = raw.advancesForGlyphIndexes(indexes, QRawFont::KernedAdvances);
    for (std::size_t b = 0; b < 256; ++b) {
        const bool drawn = b >= 0x20 && qsizetype(b) < indexes.size();
        glyph[b] = drawn ? indexes[qsizetype(b)] : 0;
        // In 64ths of a pixel, which add up exactly: a row laid out again about an edit
        // comes out as it would laid out whole.
        advances.code[b] = drawn ? float(std::round(widths[qsizetype(b)].x() * 64) / 64) : 0;
    }
    advances.code['\t'] = 4 * advances.code[' '];
    const QFontMetricsF otherMetrics(other);
    advances.other = [otherMetrics](std::string_view utf8) {
        return float(std::round(otherMetrics.horizontalAdvance(QString::fromUtf8(utf8.data(), qsizetype(utf8.size()))) * 64) / 64);
    };
    // One height for every line, whichever fonts it holds.
    const QFontMetricsF tamilMetrics(tamil);
    ascent = int(std::ceil(std::max(tamilMetrics.ascent(), otherMetrics.ascent())));
    rowHeight = ascent + int(std::ceil(std::max(tamilMetrics.descent(), otherMetrics.descent()))) + 1;
    storageChanged();
}

float TextView::width() const { return float(std::max(1, viewport()->width() - 2 * Margin)); }

const LineLayout& TextView::layoutOf(std::size_t line, std::size_t rows, std::size_t through)
{
    if (layoutWidth != width()) {
        layouts.clear();
        layoutWidth = width();
    }
    auto it = layouts.find(line);
    if (it == layouts.end()) {
        if (layouts.size() >= KeptLayouts)
            layouts.clear();
        return layouts[line] = layOutLine(lineText(line), advances, layoutWidth, rows, through);
    }
    LineLayout& l = it->second;
    if (!l.complete && (l.rows.size() <= rows || l.syllables.back().begin <= through))
        layOutFurther(l, lineText(line), advances, layoutWidth, rows, through);
    return l;
}

std::string_view TextView::lineText(std::size_t line)
{
    lineBuffer.clear();
    storage.forEachPiece(storage.lineStart(line), storage.lineEnd(line), [this](std::string_view piece) {
        lineBuffer.append(piece);
        return true;
    });
    return lineBuffer;
}

void TextView::storageChanged(std::size_t line)
{
    if (line == std::size_t(-1)) {
        layouts.clear();
    } else {
        std::erase_if(layouts, [line](const auto& entry) { return entry.first >= line; });
    }
    caretAt = std::min(caretAt, storage.size());
    top = std::min(top, storage.lineCount() - 1);
    updateScrollRange();
    viewport()->update();
}

void TextView::updateScrollRange()
{
    QScrollBar* bar = verticalScrollBar();
    const QSignalBlocker quiet(bar);
    bar->setRange(0, int(std::min<std::size_t>(storage.lineCount() - 1, INT_MAX)));
    bar->setPageStep(std::max(1, viewport()->height() / rowHeight));
    bar->setValue(int(top));
}

TextView::Spot TextView::spotOf(std::size_t at)
{
    const std::size_t line = storage.lineOf(at);
    const auto inLine = std::uint32_t(at - storage.lineStart(line));
    const LineLayout& l = layoutOf(line, 0, inLine);
    auto s = std::lower_bound(l.syllables.begin(), l.syllables.end(), inLine,
                              [](const LineLayout::Syllable& x, std::uint32_t b) { return x.begin < b; });
    if (s == l.syllables.end() || s->begin != inLine)
        --s;  // inside a syllable (an edit made from outside): before it
    return {line, std::size_t(s - l.syllables.begin())};
}

std::size_t TextView::byteOf(std::size_t line, std::size_t syllable)
{
    return storage.lineStart(line) + layoutOf(line, 0, 0).syllables[syllable].begin;
}

void TextView::select(std::size_t from, std::size_t to)
{
    setCaret(from);
    extending = true;
    setCaret(to);
    extending = false;
}

void TextView::setCaret(std::size_t at)
{
    const Spot spot = spotOf(std::min(at, storage.size()));
    caretAtRowEnd = false;
    moveCaret(byteOf(spot.line, spot.syllable));
}

void TextView::moveCaret(std::size_t at, bool keepGoal)
{
    // The caret drawn where it was and where it goes; everything when the view scrolls.
    const QRect was = caretRect();
    const std::size_t wasTop = top, wasTopRow = topRow;
    const bool selected = anchorAt != caretAt;
    caretAt = at;
    if (!extending)
        anchorAt = at;
    if (!keepGoal)
        goalX = -1;
    ensureCaretVisible();
    if (top != wasTop || topRow != wasTopRow || selected || anchorAt != caretAt) {
        viewport()->update();
    } else {
        viewport()->update(was.adjusted(-1, 0, 1, 0));
        viewport()->update(caretRect().adjusted(-1, 0, 1, 0));
    }
    refreshPending();
}

QRect TextView::caretRect() { return placeRect(caretAt, caretAtRowEnd); }

QRect TextView::placeRect(std::size_t at, bool atRowEnd)
{
    const Spot spot = spotOf(at);
    const LineLayout& l = layoutOf(spot.line, 0, at - storage.lineStart(spot.line));
    std::size_t row = l.rowOf(spot.syllable);
    float x = l.syllables[spot.syllable].x;
    if (atRowEnd && row > 0 && l.rows[row] == spot.syllable) {
        --row;  // the end of the row before: where the last syllable of it ends
        const std::size_t last = spot.syllable - 1;
        const std::size_t from = storage.lineStart(spot.line);
        const std::string bytes = storage.text(from + l.syllables[last].begin, from + l.syllables[spot.syllable].begin);
        x = l.syllables[last].x;
        if (l.syllables[last].other) {
            std::string utf8;
            otherCharacter(bytes, utf8);
            x += advances.other(utf8);
        } else {
            for (const char c : bytes)
                x += advances.code[static_cast<unsigned char>(c)];
        }
    }
    return QRect(Margin + int(x), yOf(spot.line, row), 2, rowHeight);
}

int TextView::yOf(std::size_t line, std::size_t row)
{
    if (line < top || (line == top && row < topRow))
        return -rowHeight;
    // Rows from the top of the viewport to it, as far as the viewport goes.
    int y = 0;
    const int height = viewport()->height();
    for (std::size_t at = top; at <= line && y <= height; ++at) {
        const std::size_t first = at == top ? topRow : 0;
        const auto enough = first + std::size_t((height - y) / rowHeight) + 2;
        const std::size_t rows = at == line ? row : std::min(enough, layoutOf(at, enough, 0).rows.size());
        y += int(rows - std::min(rows, first)) * rowHeight;
    }
    return std::min(y, height);
}

void TextView::updateRows(std::size_t line, std::size_t from, std::size_t to)
{
    const int y = std::max(0, yOf(line, from));
    const int height = viewport()->height();
    const int bottom = to == std::size_t(-1) ? height : std::min<long long>(height, y + (long long)(to - from) * rowHeight);
    if (bottom > y)
        viewport()->update(0, y, viewport()->width(), bottom - y);
}

void TextView::ensureCaretVisible()
{
    const Spot spot = spotOf(caretAt);
    const LineLayout& l = layoutOf(spot.line, 0, caretAt - storage.lineStart(spot.line));
    std::size_t row = l.rowOf(spot.syllable);
    if (caretAtRowEnd && row > 0 && l.rows[row] == spot.syllable)
        --row;
    if (spot.line < top || (spot.line == top && row < topRow)) {
        top = spot.line;
        topRow = row;
    } else {
        // The first row of a viewport that ends with the caret's; scrolled to where it is below.
        std::size_t line = spot.line, r = row;
        for (int n = std::max(1, viewport()->height() / rowHeight); n > 1; --n) {
            if (r > 0)
                --r;
            else if (line > top)
                r = layoutOf(--line).rows.size() - 1;
            else
                break;
        }
        if (line > top || (line == top && r > topRow)) {
            top = line;
            topRow = r;
        }
    }
    updateScrollRange();
}

void TextView::scrollContentsBy(int, int)
{
    top = std::size_t(verticalScrollBar()->value());
    topRow = 0;
    viewport()->update();
}

void TextView::wheelEvent(QWheelEvent* e)
{
    if ((e->modifiers() & Qt::ControlModifier) && zoomed) {
        if (const int delta = e->angleDelta().y(); delta != 0)
            zoomed(delta > 0 ? 1 : -1);
        e->accept();
        return;
    }
    int rows = -e->angleDelta().y() / 40;  // three rows a notch
    for (; rows > 0; --rows) {
        const LineLayout& l = layoutOf(top, topRow + 2, 0);
        if (topRow + 1 + !l.complete < l.rows.size())
            ++topRow;
        else if (top + 1 < storage.lineCount())
            ++top, topRow = 0;
    }
    for (; rows < 0; ++rows) {
        if (topRow > 0)
            --topRow;
        else if (top > 0)
            topRow = layoutOf(--top).rows.size() - 1;
    }
    updateScrollRange();
    viewport()->update();
    e->accept();
}

void TextView::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    topRow = 0;
    updateScrollRange();
}

void TextView::paintEvent(QPaintEvent* e)
{
    QPainter p(viewport());
    const QRect area = e->rect();
    p.fillRect(area, palette().base());
    p.setPen(palette().text().color());
    const int height = std::min(viewport()->height(), area.bottom() + 1);
    int y = 0;
    for (std::size_t line = top; line < storage.lineCount() && y < height; ++line) {
        const std::size_t from = storage.lineStart(line);
        const std::size_t firstRow = line == top ? topRow : 0;
        const LineLayout& l = layoutOf(line, firstRow + std::size_t((height - y) / rowHeight) + 1, 0);
        for (std::size_t row = firstRow; row + !l.complete < l.rows.size() && y < height; ++row, y += rowHeight) {
            if (y + rowHeight <= area.top())
                continue;
            drawRow(p, l, from, row, y);
        }
    }
    if (hasFocus() && caretRect().intersects(area))
        p.fillRect(caretRect(), palette().text());
    if (!pendingDrawn.isEmpty() && pendingRect.intersects(area)) {
        QFont underlined = tamil;
        underlined.setUnderline(true);
        p.setFont(underlined);
        p.fillRect(pendingRect, palette().base());
        p.drawText(pendingRect, Qt::AlignLeft | Qt::AlignVCenter, pendingDrawn);
    }
}

std::unique_ptr<QMenu> TextView::contextMenuAt(const QPoint&)
{
    auto menu = std::make_unique<QMenu>(this);
    const bool selected = selectionStart() != selectionEnd();
    const auto add = [&](const char* context, const char* text, QKeySequence::StandardKey key, bool enabled,
                         std::function<void()> act) {
        QAction* action = menu->addAction(QCoreApplication::translate(context, text), this, std::move(act));
        if (key != QKeySequence::UnknownKey)
            action->setShortcut(key);
        action->setEnabled(enabled);
    };
    add("orvane::TextBox", "U&ndo", QKeySequence::Undo, canUndo(), [this] { undo(); });
    add("QWidgetTextControl", "&Redo", QKeySequence::Redo, canRedo(), [this] { redo(); });
    menu->addSeparator();
    add("QWidgetTextControl", "Cu&t", QKeySequence::Cut, selected, [this] { cut(); });
    add("QWidgetTextControl", "&Copy", QKeySequence::Copy, selected, [this] { copy(); });
    const QMimeData* held = QGuiApplication::clipboard()->mimeData();
    add("QWidgetTextControl", "&Paste", QKeySequence::Paste, held && (held->hasText() || held->hasFormat(DocumentMimeData::BytesMimeType)),
        [this] { paste(); });
    add("QWidgetTextControl", "Delete", QKeySequence::UnknownKey, selected,
        [this] { replace(selectionStart(), selectionEnd(), {}); });
    menu->addSeparator();
    add("QWidgetTextControl", "Select All", QKeySequence::UnknownKey, storage.size() > 0, [this] { selectAll(); });
    return menu;
}

void TextView::contextMenuEvent(QContextMenuEvent* e) { contextMenuAt(e->pos())->exec(e->globalPos()); }

void TextView::dragEnterEvent(QDragEnterEvent* e)
{
    const QMimeData* data = e->mimeData();
    if (!droppedFile(data).empty() || data->hasText() || data->hasFormat(DocumentMimeData::BytesMimeType))
        e->acceptProposedAction();
}

void TextView::dragMoveEvent(QDragMoveEvent* e) { e->acceptProposedAction(); }

void TextView::dropEvent(QDropEvent* e)
{
    e->acceptProposedAction();
    if (const std::string file = droppedFile(e->mimeData()); !file.empty()) {
        if (fileDropped)
            fileDropped(file);
        return;
    }
    caretAtRowEnd = false;
    const std::size_t at = byteAt(e->position().toPoint());
    if (draggedOut && e->dropAction() == Qt::MoveAction && storage.edits() == draggedOut->edits) {
        draggedOut->droppedHere = true;  // the selection itself, moved: one step of Undo
        moveText(draggedOut->from, draggedOut->to, at);
        return;
    }
    moveCaret(at);
    pasteFrom(e->mimeData());
}

// The selection dragged: to another program, or to another place here (Ctrl makes it a
// copy). Moved elsewhere, it goes from here; moved here, the drop moves it.
void TextView::dragSelection()
{
    auto* drag = new QDrag(this);
    drag->setMimeData(selectionMimeData());
    draggedOut = DraggedOut{selectionStart(), selectionEnd(), storage.edits()};
    const Qt::DropAction done = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
    const DraggedOut d = *draggedOut;
    draggedOut.reset();
    if (done == Qt::MoveAction && !d.droppedHere && storage.edits() == d.edits) {
        inStep = false;
        replace(d.from, d.to, {});
    }
}

void TextView::moveText(std::size_t from, std::size_t to, std::size_t at)
{
    if (at >= from && at <= to) {  // onto itself: nothing moves
        select(from, to);
        return;
    }
    const std::string bytes = storage.text(from, to);
    inStep = false;
    done.push_back({{}, caretAt, anchorAt});
    inStep = true;
    if (at > to) {
        replace(at, at, bytes);
        replace(from, to, {});
        at -= bytes.size();
    } else {
        replace(from, to, {});
        replace(at, at, bytes);
    }
    inStep = false;
    select(at, at + bytes.size());
}

void TextView::tellChange(int at, const QString& before, const QString& now)
{
    qsizetype same = 0, sameAtEnd = 0;
    while (same < before.size() && same < now.size() && before[same] == now[same])
        ++same;
    while (sameAtEnd < before.size() - same && sameAtEnd < now.size() - same
           && before[before.size() - 1 - sameAtEnd] == now[now.size() - 1 - sameAtEnd])
        ++sameAtEnd;
    const QString removed = before.mid(same, before.size() - same - sameAtEnd);
    const QString inserted = now.mid(same, now.size() - same - sameAtEnd);
    const int where = at + int(same);
    if (!removed.isEmpty() && !inserted.isEmpty()) {
        QAccessibleTextUpdateEvent updated(this, where, removed, inserted);
        QAccessible::updateAccessibility(&updated);
    } else if (!removed.isEmpty()) {
        QAccessibleTextRemoveEvent gone(this, where, removed);
        QAccessible::updateAccessibility(&gone);
    } else if (!inserted.isEmpty()) {
        QAccessibleTextInsertEvent came(this, where, inserted);
        QAccessible::updateAccessibility(&came);
    }
}

void TextView::setMarks(std::vector<Mark> matches)
{
    marks = std::move(matches);
    viewport()->update();
}

void TextView::refreshPending()
{
    const QString letter = pendingLetter && anchorAt == caretAt ? pendingLetter() : QString();
    const QRect caret = caretRect();
    const QRect at(caret.right() + 1, caret.top(), QFontMetrics(tamil).horizontalAdvance(letter) + 2, caret.height());
    if (letter == pendingDrawn && at == pendingRect)
        return;
    viewport()->update(pendingRect);
    pendingDrawn = letter;
    pendingRect = letter.isEmpty() ? QRect() : at;
    viewport()->update(pendingRect);
}

float TextView::xOf(const LineLayout& l, std::size_t lineStart, std::size_t row, std::size_t byte)
{
    const std::size_t first = l.rows[row], end = l.rowEnd(row);
    const auto at = std::uint32_t(byte - lineStart);
    auto s = std::lower_bound(l.syllables.begin() + std::ptrdiff_t(first), l.syllables.begin() + std::ptrdiff_t(end), at,
                              [](const LineLayout::Syllable& x, std::uint32_t b) { return x.begin < b; });
    if (s != l.syllables.begin() + std::ptrdiff_t(end) || end + 1 == l.syllables.size())
        return s->x;
    // The end of a row that goes on: where its last syllable ends.
    const LineLayout::Syllable& last = l.syllables[end - 1];
    const std::string bytes = storage.text(lineStart + last.begin, lineStart + l.syllables[end].begin);
    float x = last.x;
    if (last.other) {
        std::string utf8;
        otherCharacter(bytes, utf8);
        return x + advances.other(utf8);
    }
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        const auto c = static_cast<unsigned char>(bytes[k]);
        x += advances.code[c];
        k += c == static_cast<unsigned char>(OtherBegins);
    }
    return x;
}

void TextView::drawRow(QPainter& p, const LineLayout& l, std::size_t lineStart, std::size_t row, int y)
{
    const std::size_t first = l.rows[row], end = l.rowEnd(row);
    const std::size_t begin = l.syllables[first].begin, rowEnd = lineStart + l.syllables[end].begin;
    const std::string bytes = storage.text(lineStart + begin, rowEnd);
    QVarLengthArray<quint32, 256> glyphs;
    QVarLengthArray<QPointF, 256> positions;
    std::string utf8;
    const qreal baseline = y + ascent;
    const auto draw = [&] {
        for (std::size_t s = first; s < end; ++s) {
            const std::size_t b0 = l.syllables[s].begin - begin, b1 = l.syllables[s + 1].begin - begin;
            float x = Margin + l.syllables[s].x;
            if (l.syllables[s].other) {
                otherCharacter(std::string_view(bytes).substr(b0, b1 - b0), utf8);
                p.setFont(other);
                p.drawText(QPointF(x, baseline), QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
                continue;
            }
            for (std::size_t k = b0; k < b1; ++k) {
                const auto c = static_cast<unsigned char>(bytes[k]);
                if (glyph[c] != 0) {
                    glyphs.append(glyph[c]);
                    positions.append(QPointF(x, baseline));
                }
                x += advances.code[c];
                k += c == static_cast<unsigned char>(OtherBegins);
            }
        }
        if (!glyphs.isEmpty()) {
            QGlyphRun run;
            run.setRawFont(raw);
            run.setRawData(glyphs.constData(), positions.constData(), int(glyphs.size()));
            p.drawGlyphRun(QPointF(), run);
        }
    };
    // The find bar's matches in the row, behind its text.
    auto mark = std::lower_bound(marks.begin(), marks.end(), lineStart + begin,
                                 [](const Mark& m, std::size_t at) { return m.second <= at; });
    for (; mark != marks.end() && mark->first < rowEnd; ++mark) {
        const float x0 = xOf(l, lineStart, row, std::max(mark->first, lineStart + begin));
        const float x1 = xOf(l, lineStart, row, std::min(mark->second, rowEnd));
        p.fillRect(QRectF(Margin + x0, y, x1 - x0, rowHeight), QColor(255, 225, 120));
    }
    draw();
    // The selected part of the row: its highlight, and its text again over it.
    const std::size_t from = std::max(selectionStart(), lineStart + begin), to = std::min(selectionEnd(), rowEnd);
    const bool toLineEnd = selectionEnd() > rowEnd && end + 1 == l.syllables.size();  // its line end too
    if (from > to || (from == to && !toLineEnd))
        return;
    const float x0 = xOf(l, lineStart, row, from);
    const float x1 = toLineEnd ? xOf(l, lineStart, row, rowEnd) + advances.code[' '] : xOf(l, lineStart, row, to);
    const QRectF lit(Margin + x0, y, x1 - x0, rowHeight);
    p.save();
    p.fillRect(lit, palette().highlight());
    p.setClipRect(lit, Qt::IntersectClip);
    p.setPen(palette().highlightedText().color());
    glyphs.clear();
    positions.clear();
    draw();
    p.restore();
}

std::size_t TextView::byteAt(QPoint at)
{
    // The row under the point, then the syllable edge nearest it.
    const int rowsDown = std::max(0, at.y() / rowHeight);
    std::size_t line = top, row = topRow;
    for (int n = 0; n < rowsDown; ++n) {
        const LineLayout& l = layoutOf(line, row + 2, 0);
        if (row + 1 + !l.complete < l.rows.size())
            ++row;
        else if (line + 1 < storage.lineCount())
            ++line, row = 0;
    }
    const LineLayout& l = layoutOf(line, row + 1, 0);
    const float x = float(at.x()) - Margin;
    std::size_t s = l.rows[row];
    const std::size_t end = l.rowEnd(row);
    while (s < end && (s + 1 < end ? (l.syllables[s].x + l.syllables[s + 1].x) / 2 : l.syllables[s].x + 4) < x)
        ++s;
    if (s == end && end + 1 < l.syllables.size())
        s = end - (end > l.rows[row]);  // past a row that goes on: before its last syllable
    return byteOf(line, s);
}

void TextView::mouseMoveEvent(QMouseEvent* e)
{
    if (!(e->buttons() & Qt::LeftButton))
        return QAbstractScrollArea::mouseMoveEvent(e);
    if (pressedInSelection) {
        if ((e->position().toPoint() - *pressedInSelection).manhattanLength() < QApplication::startDragDistance())
            return;
        pressedInSelection.reset();
        dragSelection();
        return;
    }
    caretAtRowEnd = false;
    extending = true;
    moveCaret(byteAt(e->position().toPoint()));
    extending = false;
}

std::vector<WordPiece> TextView::wordsNear(std::size_t line, std::size_t at)
{
    constexpr std::size_t Near = 4096;
    const std::size_t length = storage.lineEnd(line) - storage.lineStart(line);
    if (length <= 16 * Near)
        return wordPieces(lineText(line));
    // From a syllable well before it, the reading taken up as it stood there, to one well past.
    const LineLayout& l = layoutOf(line, 0, std::min(length, at + Near));
    const auto syllableAt = [&l](std::size_t byte) {
        return std::size_t(std::lower_bound(l.syllables.begin(), l.syllables.end(), byte,
                                            [](const LineLayout::Syllable& s, std::size_t b) { return s.begin < b; })
                           - l.syllables.begin());
    };
    const std::size_t first = syllableAt(at > Near ? at - Near : 0);
    const std::size_t last = std::min(syllableAt(at + Near), l.syllables.size() - 1);
    const std::size_t from = l.syllables[first].begin, to = l.syllables[last].begin;
    const std::size_t lineStart = storage.lineStart(line);
    const std::string bytes = storage.text(lineStart + from, lineStart + std::min(length, to + SegmentReader::Lookahead));
    SegmentReader reader;
    if (first > 0)
        reader.resume(l.syllables[first - 1].vowelAfter, l.syllables[first - 1].openAfter,
                      static_cast<unsigned char>(storage.text(lineStart + from - 1, lineStart + from)[0]));
    std::vector<WordPiece> pieces;
    reader.read(bytes, to + SegmentReader::Lookahead >= length, [&](const Segment& s) {
        if (from + s.begin < to)
            pieces.push_back({from + s.begin, from + s.begin + s.length, isWordText(s.text)});
    });
    return pieces;
}

void TextView::moveByWord(bool forward)
{
    const Spot spot = spotOf(caretAt);
    const std::size_t lineStart = storage.lineStart(spot.line), length = storage.lineEnd(spot.line) - lineStart;
    const std::size_t offset = caretAt - lineStart;
    const std::size_t target = wordStep(wordsNear(spot.line, offset), offset, forward);
    caretAtRowEnd = false;
    if (target != offset)
        moveCaret(lineStart + target);
    else if (forward)
        moveCaret(offset < length || spot.line + 1 == storage.lineCount() ? lineStart + length : storage.lineStart(spot.line + 1));
    else
        moveCaret(offset > 0 || spot.line == 0 ? lineStart : storage.lineEnd(spot.line - 1));
}

void TextView::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return QAbstractScrollArea::mouseDoubleClickEvent(e);
    const std::size_t at = byteAt(e->position().toPoint());
    const std::size_t line = storage.lineOf(at), lineStart = storage.lineStart(line);
    const auto [from, to] = wordAround(wordsNear(line, at - lineStart), at - lineStart);
    caretAtRowEnd = false;
    select(lineStart + from, lineStart + to);
    offerSelection();
}

void TextView::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && pressedInSelection) {  // a click inside the selection
        pressedInSelection.reset();
        caretAtRowEnd = false;
        moveCaret(byteAt(e->position().toPoint()));
    }
    if (e->button() == Qt::LeftButton)
        offerSelection();
    QAbstractScrollArea::mouseReleaseEvent(e);
}

void TextView::offerSelection()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (selectionStart() != selectionEnd() && clipboard->supportsSelection())
        clipboard->setMimeData(selectionMimeData(), QClipboard::Selection);
}

QMimeData* TextView::selectionMimeData() const { return new DocumentMimeData(selectedBytes(), unicodeDocument); }

void TextView::selectAll()
{
    select(0, storage.size());
    offerSelection();
}

void TextView::copy()
{
    if (selectionStart() != selectionEnd())
        QGuiApplication::clipboard()->setMimeData(selectionMimeData());
}

void TextView::cut()
{
    if (selectionStart() == selectionEnd())
        return;
    copy();
    replace(selectionStart(), selectionEnd(), {});
}

void TextView::paste() { pasteFrom(QGuiApplication::clipboard()->mimeData()); }

void TextView::pasteFrom(const QMimeData* source)
{
    std::optional<std::string> bytes;
    if (readPasted)
        bytes = readPasted(source);
    else if (source && source->hasFormat(QLatin1String(DocumentMimeData::BytesMimeType)))
        bytes = source->data(QLatin1String(DocumentMimeData::BytesMimeType)).toStdString();
    if (bytes && (!bytes->empty() || selectionStart() != selectionEnd()))
        replace(selectionStart(), selectionEnd(), *bytes);
}

void TextView::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        caretAtRowEnd = false;
        moveCaret(byteAt(e->position().toPoint()));
        pasteFrom(QGuiApplication::clipboard()->mimeData(QClipboard::Selection));
        return;
    }
    if (e->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(e);
    const std::size_t at = byteAt(e->position().toPoint());
    if (!(e->modifiers() & Qt::ShiftModifier) && selectionStart() != selectionEnd() && at >= selectionStart()
        && at < selectionEnd()) {
        pressedInSelection = e->position().toPoint();  // a drag of it, or a click
        return;
    }
    caretAtRowEnd = false;
    extending = e->modifiers() & Qt::ShiftModifier;
    moveCaret(at);
    extending = false;
}

void TextView::moveByRows(int rows)
{
    Spot spot = spotOf(caretAt);
    const LineLayout* l = &layoutOf(spot.line, 0, caretAt - storage.lineStart(spot.line));
    std::size_t row = l->rowOf(spot.syllable);
    if (caretAtRowEnd && row > 0 && l->rows[row] == spot.syllable)
        --row;
    if (goalX < 0)
        goalX = float(caretRect().x() - Margin);
    for (; rows > 0; --rows) {
        l = &layoutOf(spot.line, row + 2, 0);
        if (row + 1 + !l->complete < l->rows.size())
            ++row;
        else if (spot.line + 1 < storage.lineCount())
            l = &layoutOf(++spot.line, 1, 0), row = 0;
    }
    for (; rows < 0; ++rows) {
        if (row > 0)
            --row;
        else if (spot.line > 0)
            l = &layoutOf(--spot.line), row = l->rows.size() - 1;
    }
    l = &layoutOf(spot.line, row + 1, 0);
    const std::size_t end = l->rowEnd(row);
    std::size_t s = l->rows[row];
    while (s < end && l->syllables[s + 1].x <= goalX + 0.5f && !(s + 1 == end && end + 1 < l->syllables.size()))
        ++s;
    caretAtRowEnd = false;
    moveCaret(byteOf(spot.line, s), true);
}

void TextView::replace(std::size_t from, std::size_t to, std::string_view bytes)
{
    if (!inStep || done.empty())
        done.push_back({{}, caretAt, anchorAt});
    done.back().edits.push_back({from, storage.text(from, to), std::string(bytes)});
    undone.clear();
    replaceWithout(from, to, bytes);
}

void TextView::replaceEach(const std::vector<Replacement>& replacements)
{
    if (replacements.empty())
        return;
    // The stretch from the first to the last made anew in one pass, and put in at once.
    const std::size_t from = replacements.front().from, to = replacements.back().to;
    std::string made;
    std::size_t size = to - from;
    for (const Replacement& r : replacements)
        size += r.bytes.size() - (r.to - r.from);
    made.reserve(size);
    std::size_t at = from;
    for (const Replacement& r : replacements) {
        storage.forEachPiece(at, r.from, [&made](std::string_view piece) {
            made.append(piece);
            return true;
        });
        made += r.bytes;
        at = r.to;
    }
    inStep = false;
    replace(from, to, made);
}

void TextView::undo() { undoStep(done, undone, true); }

void TextView::redo() { undoStep(undone, done, false); }

// A step's edits made the other way, last first, the caret and selection back as they were
// (Undo); or again in order, the caret after them (Redo).
void TextView::undoStep(std::vector<Step>& from, std::vector<Step>& to, bool backwards)
{
    if (from.empty())
        return;
    Step step = std::move(from.back());
    from.pop_back();
    if (backwards) {
        for (auto e = step.edits.rbegin(); e != step.edits.rend(); ++e)
            replaceWithout(e->at, e->at + e->added.size(), e->removed);
        select(step.anchor, step.caret);
    } else {
        step.caret = caretAt;
        step.anchor = anchorAt;
        for (const Edit& e : step.edits)
            replaceWithout(e.at, e.at + e.removed.size(), e.added);
    }
    to.push_back(std::move(step));
}

void TextView::typeCode(int code, const QString& text)
{
    if (!keyPressHandler)
        return;
    inStep = false;
    if (done.empty() || !done.back().edits.empty())
        done.push_back({{}, caretAt, anchorAt});
    inStep = true;
    apply(keyPressHandler(code, text));
    inStep = false;
    if (done.back().edits.empty())
        done.pop_back();  // a key that changed nothing is no step
    refreshPending();
}

void TextView::apply(const KeyEffect& effect)
{
    switch (effect.kind) {
    case KeyEffect::Nothing: return;
    case KeyEffect::DeleteBack: backspace(); return;
    case KeyEffect::LineBreak: replace(selectionStart(), selectionEnd(), "\r\n"); return;
    case KeyEffect::Insert:
        if (anchorAt == caretAt) {  // a typed letter rewritten: its codes before the caret go first
            const std::size_t line = storage.lineStart(storage.lineOf(caretAt));
            replace(caretAt - std::min(effect.erase, caretAt - line), caretAt, effect.codes);
        } else {
            replace(selectionStart(), selectionEnd(), effect.codes);
        }
        return;
    }
}

std::string TextView::codesBeforeCaret() const
{
    if (anchorAt != caretAt)
        return {};
    const std::size_t line = storage.lineStart(storage.lineOf(caretAt));
    return storage.text(caretAt - std::min<std::size_t>(caretAt - line, 16), caretAt);
}

void TextView::replaceWithout(std::size_t from, std::size_t to, std::string_view bytes)
{
    const std::size_t line = storage.lineOf(from);
    const bool lines = storage.holds('\n', from, to) || bytes.find('\n') != std::string_view::npos;
    // A screen reader is told what changed in the Unicode it reads: the lines the edit
    // touches, before and after, less what they still share at either end.
    const bool telling = QAccessible::isActive();
    int lineAt = 0;
    QString before;
    std::size_t after = 0;  // bytes from the edit's end to the end of its last line
    if (telling) {
        lineAt = reading.toUnicode(storage.lineStart(line));
        const std::size_t end = storage.lineEnd(storage.lineOf(to));
        before = reading.text(lineAt, reading.toUnicode(end));
        after = end - to;
    }
    const std::size_t editsBefore = storage.edits(), lastBefore = storage.lineOf(to);
    storage.replace(from, to - from, bytes);
    if (telling) {
        reading.edited(line, lastBefore - line + 1, storage.lineOf(from + bytes.size()) - line + 1, editsBefore);
        tellChange(lineAt, before, reading.text(lineAt, reading.toUnicode(from + bytes.size() + after)));
    }
    if (lines) {
        storageChanged(line);
    } else if (auto laid = layouts.find(line); laid != layouts.end() && layoutWidth == width()) {
        // Within a line: its rows laid out again only about the edit, from the bytes about
        // it (the whole line only where those hold no row), and drawn again.
        const std::size_t start = storage.lineStart(line), length = storage.lineEnd(line) - start, at = from - start;
        const std::size_t first = relayOutFrom(laid->second, at);
        const std::size_t end = std::min(length, at + bytes.size() + AboutAnEdit);
        lineBuffer.clear();
        storage.forEachPiece(start + first, start + end, [this](std::string_view piece) {
            lineBuffer.append(piece);
            return true;
        });
        ChangedRows changed = relayOutLine(laid->second, LineBytes(lineBuffer, first, length), at, to - from,
                                           bytes.size(), advances, layoutWidth);
        if (!changed.done)
            changed = relayOutLine(laid->second, lineText(line), at, to - from, bytes.size(), advances, layoutWidth);
        updateRows(line, changed.from, changed.to);
    } else {
        updateRows(line, 0, std::size_t(-1));
    }
    if (edited)
        edited(from, to - from, bytes.size());
    caretAtRowEnd = false;
    caretAt = anchorAt = from + bytes.size();
    extending = false;
    setCaret(caretAt);
}

// One code in a .tam document (a line end, or the code 0E with its quote, is one); in a
// Unicode document one character of the syllable; in other text one character.
void TextView::backspace()
{
    if (anchorAt != caretAt) {
        replace(selectionStart(), selectionEnd(), {});
        return;
    }
    if (caretAt == 0)
        return;
    const Spot spot = spotOf(caretAt);
    if (spot.syllable == 0) {
        replace(caretAt - 2, caretAt, {});  // the line end before
        return;
    }
    const LineLayout& l = layoutOf(spot.line, 0, 0);
    const std::size_t from = byteOf(spot.line, spot.syllable - 1);
    const std::string codes = storage.text(from, caretAt);
    if (l.syllables[spot.syllable - 1].other || codes.size() == 1) {
        replace(from, caretAt, {});
        return;
    }
    if (unicodeDocument) {
        replace(from, caretAt, withoutLastCharacter(codes));
        return;
    }
    const bool quoted = codes.size() >= 2 && codes[codes.size() - 2] == OtherBegins && codes.back() == OtherEnds;
    replace(caretAt - (quoted ? 2 : 1), caretAt, {});
}

void TextView::deleteForward()
{
    if (anchorAt != caretAt) {
        replace(selectionStart(), selectionEnd(), {});
        return;
    }
    const Spot spot = spotOf(caretAt);
    const LineLayout& l = layoutOf(spot.line, 0, 0);
    if (spot.syllable + 1 < l.syllables.size())
        replace(caretAt, byteOf(spot.line, spot.syllable + 1), {});
    else if (caretAt < storage.size())
        replace(caretAt, caretAt + 2, {});  // the line end
}

void TextView::keyPressEvent(QKeyEvent* e)
{
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    const std::pair<QKeySequence::StandardKey, void (TextView::*)()> commands[] = {
        {QKeySequence::SelectAll, &TextView::selectAll}, {QKeySequence::Copy, &TextView::copy},
        {QKeySequence::Cut, &TextView::cut},             {QKeySequence::Paste, &TextView::paste},
        {QKeySequence::Undo, &TextView::undo},           {QKeySequence::Redo, &TextView::redo}};
    for (const auto& [key, command] : commands)
        if (e->matches(key)) {
            (this->*command)();
            return;
        }
    // Moves with Shift take the selection with them, and offer it as the X selection.
    extending = e->modifiers() & Qt::ShiftModifier;
    struct Done {
        TextView& view;
        ~Done()
        {
            if (view.extending)
                view.offerSelection();
            view.extending = false;
        }
    } done{*this};
    const Spot spot = spotOf(caretAt);
    std::size_t row = layoutOf(spot.line, 0, 0).rowOf(spot.syllable);
    if (caretAtRowEnd && row > 0 && layoutOf(spot.line, 0, 0).rows[row] == spot.syllable)
        --row;
    const LineLayout& l = layoutOf(spot.line, row + 1, 0);
    switch (e->key()) {
    case Qt::Key_Left:
        if (ctrl)
            return moveByWord(false);
        caretAtRowEnd = false;
        if (spot.syllable > 0)
            moveCaret(byteOf(spot.line, spot.syllable - 1));
        else if (spot.line > 0)
            moveCaret(lineBytesEnd(spot.line - 1));
        return;
    case Qt::Key_Right:
        if (ctrl)
            return moveByWord(true);
        caretAtRowEnd = false;
        if (spot.syllable + 1 < l.syllables.size())
            moveCaret(byteOf(spot.line, spot.syllable + 1));
        else if (spot.line + 1 < storage.lineCount())
            moveCaret(storage.lineStart(spot.line + 1));
        return;
    case Qt::Key_Up: moveByRows(-1); return;
    case Qt::Key_Down: moveByRows(1); return;
    case Qt::Key_PageUp: moveByRows(-std::max(1, viewport()->height() / rowHeight - 1)); return;
    case Qt::Key_PageDown: moveByRows(std::max(1, viewport()->height() / rowHeight - 1)); return;
    case Qt::Key_Home:
        caretAtRowEnd = false;
        moveCaret(ctrl ? 0 : byteOf(spot.line, l.rows[row]));
        return;
    case Qt::Key_End:
        if (ctrl) {
            caretAtRowEnd = false;
            moveCaret(storage.size());
            return;
        }
        caretAtRowEnd = l.rowEnd(row) + 1 < l.syllables.size();
        moveCaret(byteOf(spot.line, l.rowEnd(row)));
        return;
    case Qt::Key_Delete: deleteForward(); return;
    default: break;
    }
    if (keyPressHandler) {
        const int code = keyCodeOf(e);
        if (code == BoxOwnsKey)
            return QAbstractScrollArea::keyPressEvent(e);
        if (code != Swallowed && code != NoCode)
            typeCode(code, e->text());
        return;
    }
    switch (e->key()) {
    case Qt::Key_Backspace: backspace(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: replace(selectionStart(), selectionEnd(), "\r\n"); return;
    default: break;
    }
    const QString text = e->text();
    std::string codes;
    for (const QChar c : text) {
        const int code = charset::toByte(c.unicode());
        if (code < 0x20 && code != '\t')
            continue;
        appendCode(codes, static_cast<unsigned char>(code));
    }
    if (codes.empty() || ctrl)
        return QAbstractScrollArea::keyPressEvent(e);
    replace(selectionStart(), selectionEnd(), codes);
}

} // namespace orvane
