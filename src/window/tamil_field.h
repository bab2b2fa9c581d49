#pragma once
// A one-line field typed like Text1: romanised keys go through a composer of its own (the
// same tables), so a consonant key then a vowel key becomes a syllable, shown in Tamil.
// Tamil pasted from anywhere becomes its codes. Enter and Esc are the field's owner's.

#include "phonetic/typing.h"

#include <QLineEdit>

#include <functional>
#include <memory>
#include <string>

namespace orvane {

class TamilField final : public QLineEdit, private ChangeMarker {
    Q_OBJECT
public:
    // panels: where the composer shows the pending consonant and the prompt.
    TamilField(const CompositionTables& tables, StatusPanels& panels, QWidget* parent = nullptr);
    ~TamilField() override;

    // The field's text as document bytes.
    std::string bytes() const;
    void setBytes(std::string_view bytes);

    std::function<void(bool backwards)> entered;  // Enter, or Shift+Enter
    std::function<void()> escaped;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void markDocumentChanged() override {}  // typing here changes no document
    void fitText();

    Typing typing;
    bool fitting = false;
};

} // namespace orvane
