#pragma once
// The keyboards a typist may choose beside the phonetic composer: Tamil99, the Tamil Nadu
// standard keyboard of 1999, and the Bamini typewriter layout. Each is a table of keys and
// the rules that join them, answering a key with the same KeyEffect the composer's typing
// gives, in the codes of the syllable table.

#include "phonetic/tables.h"

#include <optional>
#include <string>
#include <string_view>

namespace orvane {

enum class Keyboard { Phonetic, Tamil99, Typewriter };

// "phonetic", "tamil99", "bamini": the names the command line and the settings use.
std::string_view keyboardName(Keyboard keyboard);
std::optional<Keyboard> keyboardNamed(std::string_view name);

// The codes a cell of the syllable table types (its key string read).
std::string codesOf(std::string_view keyString);

// What a key does, as the typing answers it. A key of Tamil99 may rewrite the letter just
// typed (a vowel after a consonant, whose sign Bamini may draw before it): erase counts the
// codes before the caret that go first.
struct KeyEffect {
    enum Kind { Nothing, Insert, DeleteBack, LineBreak };
    Kind kind = Nothing;
    std::string codes;      // Insert: the codes, in order, replacing any selection
    std::size_t erase = 0;  // Insert: codes before the caret removed first (never with a selection)

    bool operator==(const KeyEffect&) const = default;
};

// Tamil99. A consonant key types the consonant with its inherent a; a vowel key right after
// it makes the syllable, the pulli key (f) its pure form; a consonant typed twice, or a soft
// consonant followed by its hard one (ங்க ஞ்ச ண்ட ந்த ம்ப ன்ற), puts the pulli on the
// first, but not again on the very next stroke (க க க is க்கக); அ after a consonant types
// nothing and ends the joining (க அ இ is கஇ). Backspace right after a syllable the rules made
// takes its last key back (கெ becomes க again).
class Tamil99 {
public:
    explicit Tamil99(const CompositionTables& tables);

    // before: the codes just before the caret in its line, none when text is selected. The
    // rules join only with the letter they typed last, and only while it stands there.
    KeyEffect press(int keyCode, std::string_view before);
    void reset();

    // The consonant a vowel key would join now (with its pulli), or nothing.
    std::string joining(std::string_view before) const;
    // The vowel letter of the last vowel key, for the status bar.
    const std::string& lastVowel() const { return vowel; }

    // What a key stands for on the layout, for the keyboard map: its letter's codes (a
    // consonant with its inherent a, a vowel letter, the pulli), or nothing.
    std::string keyLetter(int keyCode) const;

private:
    struct Consonant {
        std::string prefix;  // codes before the row's letter: க் of க்ஷ
        int row = 0;         // the syllable table's row
    };
    std::optional<Consonant> consonantOf(int keyCode) const;
    int vowelColumnOf(int keyCode) const;
    std::string syllable(const Consonant& c, int column) const;
    bool linkedTo(std::string_view before) const;

    const CompositionTables* tables;
    // The consonant just typed, which the next key may join, and its codes in the text.
    std::optional<Consonant> link;
    std::string written;
    bool pulliJustAdded = false;  // the automatic pulli rests for one stroke
    // The syllable the last key made of the consonant, for Backspace to take back.
    std::optional<Consonant> madeOf;
    std::string made;
    std::string vowel;
};

// The Bamini typewriter: every key types its own code, as a Bamini typist's word processor
// stores it; the typist's habits are read when the codes are read.
KeyEffect typewriterKey(int keyCode);

} // namespace orvane
