#pragma once
// What a key does to a text: the keystroke filter and the composer decide, and each text
// surface (the text box, a find field, typing without a window) applies the decision. A
// syllable's keystrokes are injected by feeding them through the same filter, which passes
// them while SendingKeys is set; what comes back is the syllable's codes.

#include "phonetic/composer.h"
#include "phonetic/keyboards.h"

#include <string>

namespace orvane {

// The effect of a code the filter hands to the text box: 8 deletes back, 13 breaks the
// line, 0 and Esc do nothing, any other is inserted.
KeyEffect effectOfCode(int code);

class Typing final : private KeystrokeInjector {
public:
    // changes: marked for every key that reaches the filter; panels: status panels 1 to 3.
    Typing(const CompositionTables& tables, StatusPanels& panels, ChangeMarker& changes);
    Typing(const Typing&) = delete;
    Typing& operator=(const Typing&) = delete;

    // Takes a key code (the character's 8-bit code, 8 Backspace, 13 Enter, 27 Esc) and says
    // what the text does. before: the codes just before the caret in its line (none when
    // text is selected), which Tamil99 joins the key with.
    KeyEffect press(int keyCode, std::string_view before = {});
    // What press would do now, changing nothing; pending, when given, gets what status panel
    // 1 would show afterwards (the consonant a key picks, with its pulli).
    KeyEffect wouldDo(int keyCode, std::string* pending = nullptr, std::string_view before = {}) const;

    // Forgets a half-typed syllable, as a switch to English typing does; the panels show the
    // consonant prompt again. Changes no document.
    void reset();

    // The keyboard keys are read with; a change forgets what was half typed.
    Keyboard keyboard() const { return keyboard_; }
    void setKeyboard(Keyboard keyboard);
    const Tamil99& tamil99() const { return tamil99_; }
    // The caret went elsewhere: Tamil99 joins no key with the letter it typed last.
    void forgetJoining();

    Composer& composer() { return composer_; }
    const Composer& composer() const { return composer_; }
    const CompositionTables& tables() const { return tables_; }

private:
    void sendKeys(std::string_view keys) override;

    const CompositionTables& tables_;
    StatusPanels& panels;
    Composer composer_;
    Keyboard keyboard_ = Keyboard::Phonetic;
    Tamil99 tamil99_;
    ChangeMarker& changes;
    std::string injected;  // what a syllable's keystrokes put in, during one key
};

} // namespace orvane
