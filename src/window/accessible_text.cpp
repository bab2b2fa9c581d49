#include "window/accessibility.h"

#include "window/accessible_editable.h"

#include "window/text_box.h"
#include "window/unicode_view.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QTextDocument>

#include <memory>

namespace orvane {

namespace {
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

QAccessibleInterface* textBoxFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("orvane::TextBox") && object && object->isWidgetType())
        return new AccessibleTextBox(static_cast<TextBox*>(object));
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
