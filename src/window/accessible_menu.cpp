// Menus for screen readers: Qt names a menu item by its caption less the first access mark,
// which leaves "Cu&t" for the designed "&Cu&t"; here every mark goes.

#include "window/accessibility.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QMenu>
#include <QPointer>

namespace orvane {

namespace {
// The caption as said: each "&" that marks a letter goes, "&&" stays one "&".
QString spoken(QString caption)
{
    for (qsizetype at = caption.indexOf(QLatin1Char('&')); at >= 0 && at + 1 < caption.size();
         at = caption.indexOf(QLatin1Char('&'), at + 1))
        caption.remove(at, 1);
    return caption;
}

class AccessibleMenuItem final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibleMenuItem(QMenu* menu, QAction* action) : menu(menu), action(action) {}

    bool isValid() const override { return menu && action; }
    QObject* object() const override { return action; }
    QWindow* window() const override { return menu ? menu->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(menu); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text kind) const override
    {
        if (!isValid())
            return {};
        switch (kind) {
        case QAccessible::Name: return spoken(action->text());
        case QAccessible::Accelerator: return action->shortcut().toString(QKeySequence::NativeText);
        case QAccessible::Description: return action->statusTip();
        default: return {};
        }
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect r = menu->actionGeometry(action);
        return QRect(menu->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::Role role() const override
    {
        return action && action->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid())
            return s;
        s.disabled = !action->isEnabled();
        s.focusable = !action->isSeparator();
        s.focused = menu->activeAction() == action;
        s.checkable = action->isCheckable();
        s.checked = action->isChecked();
        s.hasPopup = action->menu() != nullptr;
        s.invisible = !action->isVisible() || !menu->isVisible();
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        if (name == pressAction() && isValid() && action->isEnabled()) {
            menu->hide();
            action->trigger();
        }
    }
    QStringList keyBindingsForAction(const QString&) const override
    {
        return isValid() && !action->shortcut().isEmpty() ? QStringList{action->shortcut().toString()} : QStringList{};
    }

private:
    QPointer<QMenu> menu;
    QPointer<QAction> action;
};

class AccessibleMenu final : public QAccessibleWidget {
public:
    explicit AccessibleMenu(QMenu* menu) : QAccessibleWidget(menu, QAccessible::PopupMenu) {}

    int childCount() const override { return int(menu()->actions().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QAction*> actions = menu()->actions();
        if (index < 0 || index >= actions.size())
            return nullptr;
        QAction* action = actions[index];
        if (action->menu())
            return QAccessible::queryAccessibleInterface(action->menu());
        if (QAccessibleInterface* known = QAccessible::queryAccessibleInterface(action))
            return known;
        auto* item = new AccessibleMenuItem(menu(), action);
        QAccessible::registerAccessibleInterface(item);
        return item;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? int(menu()->actions().indexOf(qobject_cast<QAction*>(child->object()))) : -1;
    }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? spoken(menu()->title()) : QAccessibleWidget::text(kind);
    }

private:
    QMenu* menu() const { return static_cast<QMenu*>(object()); }
};

QAccessibleInterface* menuFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("QMenu") && object && object->isWidgetType())
        return new AccessibleMenu(static_cast<QMenu*>(object));
    return nullptr;
}
} // namespace

void installAccessibleMenus() { QAccessible::installFactory(menuFactory); }

} // namespace orvane
