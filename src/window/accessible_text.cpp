#include "window/accessibility.h"

#include "window/text_box.h"
#include "window/text_view.h"
#include "window/unicode_view.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QTextDocument>

#include <memory>

namespace orvane {

namespace {
// What the box and the view share: an editable text of many lines, its value the Unicode the
// subclass reads, named "Document" unless named otherwise.
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

class AccessibleTextBox final : public AccessibleEditable {
public:
    explicit AccessibleTextBox(TextBox* box) : AccessibleEditable(box), box(box), view(box->document()) {}

    // QAccessibleTextInterface, in offsets of the Unicode text.
    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        const QTextCursor c = box->textCursor();
        if (index == 0 && c.hasSelection()) {
            *start = mutableView().toUnicode(c.selectionStart());
            *end = mutableView().toUnicode(c.selectionEnd());
        }
    }
    int selectionCount() const override { return box->textCursor().hasSelection() ? 1 : 0; }
    void removeSelection(int) override
    {
        QTextCursor c = box->textCursor();
        c.clearSelection();
        box->setTextCursor(c);
    }
    void setSelection(int, int start, int end) override
    {
        QTextCursor c = box->textCursor();
        c.setPosition(view.toBox(start));
        c.setPosition(view.toBox(end), QTextCursor::KeepAnchor);
        box->setTextCursor(c);
    }
    int cursorPosition() const override { return mutableView().toUnicode(box->textCursor().position()); }
    void setCursorPosition(int position) override
    {
        QTextCursor c = box->textCursor();
        c.setPosition(view.toBox(position));
        box->setTextCursor(c);
    }
    QString text(int start, int end) const override { return mutableView().text(start, end); }
    int characterCount() const override { return mutableView().length(); }
    QRect characterRect(int offset) const override
    {
        QTextCursor c(box->document());
        c.setPosition(mutableView().toBox(offset));
        const QRect r = box->cursorRect(c);
        return QRect(box->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return mutableView().toUnicode(box->cursorForPosition(box->viewport()->mapFromGlobal(point)).position());
    }
    void scrollToSubstring(int start, int) override
    {
        setCursorPosition(start);
        box->ensureCursorVisible();
    }

private:
    UnicodeView& mutableView() const { return const_cast<UnicodeView&>(view); }

    QPointer<TextBox> box;
    UnicodeView view;
};

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

QAccessibleInterface* textBoxFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("orvane::TextBox") && object && object->isWidgetType())
        return new AccessibleTextBox(static_cast<TextBox*>(object));
    if (className == QLatin1String("orvane::TextView") && object && object->isWidgetType())
        return new AccessibleTextView(static_cast<TextView*>(object));
    // A status panel reads as a label: its name is the Tamil it shows.
    if (className == QLatin1String("orvane::StatusPanel") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::StaticText);
    return nullptr;
}

QAccessible::UpdateHandler previousHandler = nullptr;

// Qt announces a change of the box in its own characters, the Bamini codes; the screen
// reader is told the Unicode instead. Any other event goes on as it came.
void announceInUnicode(QAccessibleEvent* event)
{
    auto pass = [](QAccessibleEvent* e) {
        QAccessible::installUpdateHandler(previousHandler);
        QAccessible::updateAccessibility(e);
        QAccessible::installUpdateHandler(announceInUnicode);
    };
    auto* box = qobject_cast<TextBox*>(event->object());
    const QAccessible::Event type = event->type();
    if (!box || (type != QAccessible::TextInserted && type != QAccessible::TextRemoved && type != QAccessible::TextUpdated)) {
        pass(event);
        return;
    }
    const int position = type == QAccessible::TextInserted ? static_cast<QAccessibleTextInsertEvent*>(event)->changePosition()
                         : type == QAccessible::TextRemoved ? static_cast<QAccessibleTextRemoveEvent*>(event)->changePosition()
                                                            : static_cast<QAccessibleTextUpdateEvent*>(event)->changePosition();
    // The change may be one of several in an edit that goes on: what is read of its
    // paragraphs now is not kept.
    const int added = type == QAccessible::TextInserted ? int(static_cast<QAccessibleTextInsertEvent*>(event)->textInserted().size())
                      : type == QAccessible::TextUpdated ? int(static_cast<QAccessibleTextUpdateEvent*>(event)->textInserted().size())
                                                         : 0;
    UnicodeView view(box->document());
    view.forget(position, position + added);
    const int from = view.toUnicode(position);
    const QString now = view.text(from, std::max(from, view.toUnicode(position + added)));
    view.forget(position, position + added);
    if (type == QAccessible::TextInserted) {
        QAccessibleTextInsertEvent inserted(box, from, now);
        pass(&inserted);
    } else if (type == QAccessible::TextRemoved) {
        QAccessibleTextRemoveEvent removed(box, from, static_cast<QAccessibleTextRemoveEvent*>(event)->textRemoved());
        pass(&removed);
    } else {
        QAccessibleTextUpdateEvent updated(box, from, static_cast<QAccessibleTextUpdateEvent*>(event)->textRemoved(), now);
        pass(&updated);
    }
}
} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(textBoxFactory);
        installAccessibleMenus();
        previousHandler = QAccessible::installUpdateHandler(announceInUnicode);
        return true;
    }();
    (void)installed;
}

} // namespace orvane
