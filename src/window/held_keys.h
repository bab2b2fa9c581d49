#pragma once
// Keys pressed while a large document is read into the box: held, not lost, and given to the
// window in the order they came once the text is in. Escape stops the reading instead. Clicks,
// drops and the wheel on the window are let go meanwhile; the progress dialog takes its own.
// While the program asks a question in the middle of typing, the keys that type text are held
// the same way, wherever they were going, so that none is lost to the question or answers it.

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
    enum class Hold {
        Everything,  // every key meant for the window and the dialogs named by holdFor
        TypedText,   // keys that type a character (no Ctrl, Alt or Meta), for any window
    };
    explicit HeldKeys(QWidget* window, Hold hold = Hold::Everything);
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
    static bool typesText(const QKeyEvent* key);

    QPointer<QWidget> window;
    std::vector<QPointer<QWidget>> dialogs;
    std::vector<Key> keys;
    bool holding = true;
    Hold hold;
};

} // namespace orvane
