#include "window/held_keys.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QWidget>

namespace orvane {

HeldKeys::HeldKeys(QWidget* window, Hold hold) : window(window), hold(hold) { qApp->installEventFilter(this); }

bool HeldKeys::typesText(const QKeyEvent* key)
{
    const QString text = key->text();
    return !text.isEmpty() && text.at(0).isPrint()
           && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

HeldKeys::~HeldKeys()
{
    if (holding)
        qApp->removeEventFilter(this);
}

bool HeldKeys::heldFor(const QObject* receiver) const
{
    if (!receiver->isWidgetType())
        return false;
    const QWidget* top = static_cast<const QWidget*>(receiver)->window();
    if (top == window)
        return true;
    for (const QPointer<QWidget>& dialog : dialogs)
        if (dialog && top == dialog)
            return true;
    return false;
}

bool HeldKeys::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (hold == Hold::TypedText) {
        if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (!watched->isWidgetType() || !typesText(key))
            return false;
        if (type == QEvent::KeyPress)
            keys.push_back({key->key(), key->modifiers(), key->text(), key->isAutoRepeat()});
        key->accept();
        return true;
    }
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        // Nothing in the window is used while its text comes in.
        return watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == window;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        break;
    default:
        return false;
    }
    if (!heldFor(watched))
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::ShortcutOverride) {
        key->accept();  // no shortcut fires now: the key comes as a key press, and is held
        return true;
    }
    if (type == QEvent::KeyPress) {
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            if (onEscape)
                onEscape();
        } else {
            keys.push_back({key->key(), key->modifiers(), key->text(), key->isAutoRepeat()});
        }
    }
    return true;
}

void HeldKeys::release()
{
    if (!holding)
        return;
    holding = false;
    qApp->removeEventFilter(this);
    std::vector<Key> held = std::move(keys);
    keys.clear();
    for (const Key& k : held) {
        if (!window)
            return;
        const QKeySequence sequence(QKeyCombination(k.modifiers & ~Qt::KeypadModifier, Qt::Key(k.key)));
        QAction* shortcut = nullptr;
        for (QAction* action : window->findChildren<QAction*>())
            if (action->isEnabled() && action->shortcuts().contains(sequence))
                shortcut = action;
        if (shortcut) {
            shortcut->trigger();
            continue;
        }
        QWidget* to = QApplication::focusWidget();
        if (!to || to->window() != window)
            to = window->focusWidget();
        if (!to)
            continue;
        QKeyEvent press(QEvent::KeyPress, k.key, k.modifiers, k.text, k.autoRepeat);
        QKeyEvent release(QEvent::KeyRelease, k.key, k.modifiers, k.text, k.autoRepeat);
        QCoreApplication::sendEvent(to, &press);
        QCoreApplication::sendEvent(to, &release);
    }
}

} // namespace orvane
