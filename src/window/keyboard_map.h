#pragma once
// About > Keyboard (F1): the keyboard as a picture that teaches it. Every key shows what it
// gives now: the consonants while a consonant is expected, and, once one is pending, on each
// vowel key the syllable it would make (கா, கி, கீ ...), with the keys that do nothing now
// dimmed. With Tamil99 each key shows the letter it types now, with the typewriter the code
// it puts in. It follows the typing as the user types, reads the typing's own tables, and
// a click on a key types it into the text box as if it were pressed.

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QToolButton;
class QLabel;

namespace orvane {

class Typing;

class KeyboardMap final : public QWidget {
    Q_OBJECT
public:
    // typing: the text box's keys, asked what each would do; typeKey presses a key in the
    // text box: its character, with Shift or not.
    // english: whether keys are typed as English now, as themselves.
    KeyboardMap(const Typing& typing, std::function<void(QChar)> typeKey, std::function<bool()> english);
    // The codes before the text box's caret, which a Tamil99 key would join.
    std::function<std::string()> codesBefore;

    // Shows what each key gives in the composer's present state.
    void refresh();
    // Follows the keys typed into that widget.
    void follow(QWidget* typedInto);

    // The cap of a key, for tests: what it shows, and whether it does something now.
    QToolButton* cap(QChar key) const;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    struct Key {
        QChar normal, shifted;
        QToolButton* button;
    };
    QString shows(QChar key, bool& active) const;

    const Typing& typing;
    std::function<void(QChar)> typeKey;
    std::function<bool()> english;
    std::vector<Key> keys;
    QToolButton* shift;
    QLabel* state;
};

} // namespace orvane
