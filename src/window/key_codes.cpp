#include "window/key_codes.h"

#include "phonetic/composer.h"
#include "platform/text_codec.h"

#include <QKeyEvent>

namespace orvane {

namespace {
// Held with Ctrl, these keep the box's own meaning: moving and selecting, and the commands
// that own their edits.
bool boxOwnsControlKey(const QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
    case Qt::Key_Home: case Qt::Key_End: case Qt::Key_PageUp: case Qt::Key_PageDown:
    case Qt::Key_Tab: case Qt::Key_Backtab: case Qt::Key_Control: case Qt::Key_Shift:
    case Qt::Key_Alt: case Qt::Key_Meta:
        return true;
    default:
        break;
    }
    for (const auto key : {QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Copy, QKeySequence::Cut,
                           QKeySequence::Paste, QKeySequence::SelectAll})
        if (e->matches(key))
            return true;
    return false;
}
} // namespace

int keyCodeOf(const QKeyEvent* e)
{
    const Qt::KeyboardModifiers mods = e->modifiers();
    const QString text = e->text();
    if ((mods & Qt::ControlModifier) && !boxOwnsControlKey(e)) {
        // Held with Ctrl a key edits nothing by itself: the control code it stands for goes
        // to the handler, which swallows it, and a key without one does nothing.
        switch (e->key()) {
        case Qt::Key_Backspace: case Qt::Key_Delete:
            return 127;
        case Qt::Key_Return: case Qt::Key_Enter:
            return 10;
        default:
            break;
        }
        int code = Swallowed;
        if (!text.isEmpty() && (text.at(0).unicode() < 0x20 || text.at(0).unicode() == 0x7F))
            code = text.at(0).unicode();
        else if (e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z)
            code = e->key() - Qt::Key_A + 1;
        // Ctrl+H and Ctrl+M are the codes of Backspace and Enter, which the box acts on.
        return code == KeyBackspace || code == KeyEnter ? Swallowed : code;
    }
    switch (e->key()) {
    case Qt::Key_Backspace:
        return mods & Qt::AltModifier ? BoxOwnsKey : KeyBackspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return mods & Qt::AltModifier ? BoxOwnsKey : KeyEnter;
    case Qt::Key_Escape:
        return KeyEsc;
    default:
        break;
    }
    // A chord with Alt that no menu took types nothing, and leaves the composer as it was.
    if ((mods & Qt::AltModifier) && !text.isEmpty() && text.at(0).isPrint())
        return Swallowed;
    if (text.isEmpty() || (mods & Qt::ControlModifier) || text.at(0).unicode() < 0x20
        || text.at(0).unicode() == 0x7F) {
        // Keys that type nothing keep the box's own meaning; Tab is a character key like
        // any other.
        return e->key() == Qt::Key_Tab && !(mods & Qt::ControlModifier) ? 9 : BoxOwnsKey;
    }
    if (text.size() != 1)
        return NoCode;
    const auto byte = codec::byteOf(text.at(0));
    return byte ? int(*byte) : NoCode;
}


} // namespace orvane
