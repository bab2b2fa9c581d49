#pragma once
// What the text box's and Orvane's own view's accessible text share: an editable text of many
// lines, read by a screen reader as the Unicode the subclass gives.

#include <QAccessibleWidget>
#include <QObject>
#include <QWidget>

namespace orvane {

// Its value is the Unicode the subclass reads; it is named "Document" unless named otherwise.
class AccessibleEditable : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleEditable(QWidget* widget) : QAccessibleWidget(widget, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = true;
        s.multiLine = true;
        s.selectableText = true;
        return s;
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return text(0, characterCount());
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return QObject::tr("Document");
        return QAccessibleWidget::text(kind);
    }
    using QAccessibleTextInterface::text;

    void addSelection(int start, int end) override { setSelection(0, start, end); }
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = offset;
        *end = offset;
        return {};
    }
};

} // namespace orvane
