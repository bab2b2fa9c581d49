#pragma once
// A one-line field typed like Text1: romanised keys go through a composer of its own (the
// same tables), so a consonant key then a vowel key becomes a syllable. It holds Unicode,
// drawn in a font with Tamil, so that it can hold English too (typed with the English
// switch, or pasted) and a search or a replacement is written as a reader reads it. Enter and
// Esc are the field's owner's; Tab goes on to the next control. The consonant waiting for its
// vowel is drawn after the caret, underlined, in the field itself: the status bar tells the
// text box's own state only.

#include "phonetic/typing.h"

#include <QLineEdit>

#include <functional>
#include <string>

namespace orvane {

class TamilField final : public QLineEdit, private ChangeMarker, private StatusPanels {
    Q_OBJECT
public:
    TamilField(const CompositionTables& tables, QWidget* parent = nullptr);
    ~TamilField() override;

    // The field's text, UTF-8.
    std::string unicode() const;
    void setUnicode(std::string_view utf8);
    // Keys go in as themselves, with no composer.
    void setEnglish(bool english) { this->english = english; }
    // The keyboard the field's keys are read with, as the text box's.
    void setKeyboard(Keyboard keyboard);
    // The consonant waiting for its vowel, as the field draws it (Unicode); empty for none.
    QString pending() const { return pendingText; }

    std::function<void(bool backwards)> entered;  // Enter, or Shift+Enter
    std::function<void()> escaped;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void markDocumentChanged() override {}  // typing here changes no document
    void setPanelText(int panel, std::string_view text) override;

    QString pendingText;
    // The codes of the last keys typed, and where the caret stood after them: what Tamil99
    // joins a key with while the caret stays there.
    std::string typedCodes;
    int typedEnd = -1;

    Typing typing;
    bool english = false;
};

} // namespace orvane
