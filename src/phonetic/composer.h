#pragma once
// The keystroke filter of the text box and the two-key composer behind it.

#include "phonetic/tables.h"
#include "platform/services.h"

namespace orvane {

inline constexpr std::string_view ConsonantPrompt = "nka; vOj;ij mOj;jTk;";
inline constexpr std::string_view VowelPrompt = "caph; vOj;ij mOj;jTk;";

// Key codes the filter gives a meaning of their own.
inline constexpr int KeyBackspace = 8;
inline constexpr int KeyEnter = 13;
inline constexpr int KeyEsc = 27;

class Composer {
public:
    Composer(const CompositionTables& tables, KeystrokeInjector& injector, StatusPanels& panels,
             ChangeMarker& changes);

    // Called for every character key before the text box inserts it. Returns the code
    // the box inserts or acts on instead, 0 for nothing.
    int Text1_KeyPress(int KeyAscii);

    bool SendingKeys = false;
    bool WaitingForVowel = false;
    int ConsonantIndex = 0;
    int VowelIndex = 0;

private:
    // What the filter does with a key without composing: the code it passes or puts in its
    // place, or -1 when the key goes to the composer.
    int filtered(int KeyAscii) const;
    void ComposeKey(int KeyAscii);
    void consonantStep(int KeyAscii);
    void vowelStep(int KeyAscii);

    const CompositionTables& tables;
    KeystrokeInjector& injector;
    StatusPanels& panels;
    ChangeMarker& changes;
};

} // namespace orvane
