#include "window/text_box.h"

#include "document/unicode_tamil.h"
#include "platform/text_codec.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>

namespace orvane {

TextBox::TextBox(QWidget* parent) : QPlainTextEdit(parent)
{
    // Composed input comes from key events only; an input method would bypass the filter.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void TextBox::setMenuShortcuts(QList<QKeySequence> shortcuts) { menuShortcuts = std::move(shortcuts); }

std::string TextBox::documentBytes() const { return codec::fromBoxText(document()->toRawText()); }

void TextBox::setDocumentBytes(std::string_view bytes) { setPlainText(codec::toBoxText(bytes)); }

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

int TextBox::filterCode(const QKeyEvent* e)
{
    const Qt::KeyboardModifiers mods = e->modifiers();
    switch (e->key()) {
    case Qt::Key_Backspace:
        return mods & (Qt::ControlModifier | Qt::AltModifier) ? -1 : 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return mods & Qt::AltModifier ? -1 : 13;
    case Qt::Key_Escape:
        return 27;
    default:
        break;
    }
    const QString text = e->text();
    if (text.isEmpty() || (mods & Qt::ControlModifier) || text.at(0).unicode() < 0x20
        || text.at(0).unicode() == 0x7F) {
        // Shortcuts and keys that type nothing keep the box's own meaning; Tab is a
        // character key like any other.
        return e->key() == Qt::Key_Tab && !(mods & Qt::ControlModifier) ? 9 : -1;
    }
    if (text.size() != 1)
        return -2;
    const auto byte = codec::byteOf(text.at(0));
    return byte ? int(*byte) : -2;
}

void TextBox::keyPressEvent(QKeyEvent* e)
{
    const int code = filterCode(e);
    if (code == -1 || !keyPressHandler) {
        QPlainTextEdit::keyPressEvent(e);
        return;
    }
    e->accept();
    if (code == -2)
        return;  // nothing the document could store

    // One key press, with every character it injects, is one step of Undo.
    QTextCursor group(document());
    if (keyDepth == 0)
        group.beginEditBlock();
    ++keyDepth;
    const int out = keyPressHandler(code);
    if (out != 0)
        insertCode(out);
    --keyDepth;
    if (keyDepth == 0) {
        group.endEditBlock();
        ensureCursorVisible();
    }
}

void TextBox::insertCode(int code)
{
    // Inside the key's edit block the layout is not yet updated, so nothing here may ask
    // for the caret's place (setTextCursor, ensureCursorVisible): the edit goes through a
    // copy of the caret, which the box's own caret follows.
    QTextCursor cursor = textCursor();
    switch (code) {
    case 27:
        return;
    case 8:
        if (cursor.hasSelection())
            cursor.removeSelectedText();
        else
            cursor.deletePreviousChar();
        return;
    case 13:
        cursor.insertBlock();  // a paragraph break, also for Shift+Enter
        return;
    default:  // the code's character, printable or not, replacing the selection
        cursor.insertText(QString(codec::charOf(static_cast<unsigned char>(code))));
    }
}

QString TextBox::fitPasted(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    if (containsTamil(std::string_view(utf8.constData(), std::size_t(utf8.size()))))
        return codec::toBoxText(unicodeToBamini(std::string_view(utf8.constData(), std::size_t(utf8.size()))));
    return codec::fitForBox(text);
}

bool TextBox::canInsertFromMimeData(const QMimeData* source) const
{
    return source && source->hasText();
}

void TextBox::insertFromMimeData(const QMimeData* source)
{
    // Empty or non-text clipboards insert nothing (and must not be read as text).
    if (!source || !source->hasText())
        return;
    textCursor().insertText(fitPasted(source->text()));
    ensureCursorVisible();
}

} // namespace orvane
