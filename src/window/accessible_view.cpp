#include "window/accessibility.h"

#include "window/accessible_editable.h"
#include "window/storage_reading.h"
#include "window/text_view.h"

#include <QPointer>

namespace orvane {

namespace {
// Orvane's own view, read the same way: its storage's Unicode, its caret and selection in it.
class AccessibleTextView final : public AccessibleEditable {
public:
    explicit AccessibleTextView(TextView* view) : AccessibleEditable(view), view(view) {}

    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index == 0 && selectionCount() == 1) {
            *start = reading().toUnicode(view->selectionStart());
            *end = reading().toUnicode(view->selectionEnd());
        }
    }
    int selectionCount() const override { return view->selectionStart() != view->selectionEnd() ? 1 : 0; }
    void removeSelection(int) override { view->setCaret(view->caret()); }
    void setSelection(int, int start, int end) override { view->select(reading().toByte(start), reading().toByte(end)); }
    int cursorPosition() const override { return reading().toUnicode(view->caret()); }
    void setCursorPosition(int position) override { view->setCaret(reading().toByte(position)); }
    QString text(int start, int end) const override { return reading().text(start, end); }
    int characterCount() const override { return reading().length(); }
    QRect characterRect(int offset) const override
    {
        const QRect r = view->placeRect(reading().toByte(offset));
        return QRect(view->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return reading().toUnicode(view->byteAt(view->viewport()->mapFromGlobal(point)));
    }
    void scrollToSubstring(int start, int) override { setCursorPosition(start); }

private:
    StorageReading& reading() const { return view->unicodeReading(); }
    QPointer<TextView> view;
};

QAccessibleInterface* textViewFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("orvane::TextView") && object && object->isWidgetType())
        return new AccessibleTextView(static_cast<TextView*>(object));
    return nullptr;
}
} // namespace

void installViewAccessibility()
{
    static const bool installed = [] {
        installAccessibility();
        QAccessible::installFactory(textViewFactory);
        return true;
    }();
    (void)installed;
}

} // namespace orvane
