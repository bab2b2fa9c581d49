#pragma once
// Keys pressed while a large document is read into the box: held, not lost, and given to the
// window in the order they came once the text is in. Escape stops the reading instead. Clicks,
// drops and the wheel on the window are let go meanwhile; the progress dialog takes its own.

#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace orvane {

class HeldKeys final : public QObject {
public:
    // Holds the keys meant for the window and for the dialogs named by holdFor.
    explicit HeldKeys(QWidget* window);
    ~HeldKeys() override;

    void holdFor(QWidget* dialog) { dialogs.push_back(dialog); }
    std::function<void()> onEscape;

    // Stops holding, and gives each key held to the window: a shortcut of one of its actions
    // triggers the action; any other key goes to the widget with the focus.
    void release();
    std::size_t count() const { return keys.size(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Key {
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        bool autoRepeat;
    };
    bool heldFor(const QObject* receiver) const;

    QPointer<QWidget> window;
    std::vector<QPointer<QWidget>> dialogs;
    std::vector<Key> keys;
    bool holding = true;
};

} // namespace orvane
