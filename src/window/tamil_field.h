#pragma once
// A one-line field typed like Text1: romanised keys go through a composer of its own (the
// same tables), so a consonant key then a vowel key becomes a syllable. It holds Unicode,
// drawn in a font with Tamil, so that it can hold English too (typed with the English
// switch, or pasted) and a search or a replacement is written as a reader reads it. Enter and
// Esc are the field's owner's; Tab goes on to the next control.

#include "phonetic/typing.h"

#include <QLineEdit>

#include <functional>
#include <string>

namespace orvane {

class TamilField final : public QLineEdit, private ChangeMarker {
    Q_OBJECT
public:
    // panels: where the composer shows the pending consonant and the prompt.
    TamilField(const CompositionTables& tables, StatusPanels& panels, QWidget* parent = nullptr);
    ~TamilField() override;

    // The field's text, UTF-8.
    std::string unicode() const;
    void setUnicode(std::string_view utf8);
    // Keys go in as themselves, with no composer.
    void setEnglish(bool english) { this->english = english; }

    std::function<void(bool backwards)> entered;  // Enter, or Shift+Enter
    std::function<void()> escaped;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void markDocumentChanged() override {}  // typing here changes no document

    Typing typing;
    bool english = false;
};

} // namespace orvane
