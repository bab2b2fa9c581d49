#include "phonetic/composer.h"

namespace orvane {

namespace {
// The filter carries on past a step that fails; so does the caller of a failed composer.
template <typename Step>
void ignoringFailure(Step&& step)
{
    try {
        step();
    } catch (...) {
    }
}

bool alwaysPasses(int k)
{
    switch (k) {
    case KeyBackspace: case KeyEnter: case ' ': case '!': case '?': case '(': case ')': case '-':
        return true;
    default:
        return k >= '/' && k <= ':';
    }
}
} // namespace

Composer::Composer(const CompositionTables& tables, KeystrokeInjector& injector, StatusPanels& panels,
                   ChangeMarker& changes)
    : tables(tables), injector(injector), panels(panels), changes(changes)
{
}

int Composer::Text1_KeyPress(int KeyAscii)
{
    ignoringFailure([&] { changes.markDocumentChanged(); });

    if (KeyAscii == KeyEsc) {
        SendingKeys = false;
        WaitingForVowel = false;
        ignoringFailure([&] {
            panels.setPanelText(1, "");
            panels.setPanelText(2, "");
            panels.setPanelText(3, ConsonantPrompt);
        });
        return KeyAscii;
    }
    if (const int code = filtered(KeyAscii); code >= 0)
        return code;
    ignoringFailure([&] { ComposeKey(KeyAscii); });
    return 0;
}

int Composer::filtered(int KeyAscii) const
{
    // Typed, these three are replaced by codes of their own; injected, they are
    // syllable parts and pass.
    switch (KeyAscii) {
    case ',': return SendingKeys ? KeyAscii : '>';
    case ';': return SendingKeys ? KeyAscii : '@';
    case '`': return SendingKeys ? KeyAscii : '=';
    default: break;
    }
    if ((KeyAscii == '.' && !WaitingForVowel) || alwaysPasses(KeyAscii) || KeyAscii == KeyEsc || SendingKeys)
        return KeyAscii;
    return -1;
}

void Composer::ComposeKey(int KeyAscii)
{
    if (WaitingForVowel)
        vowelStep(KeyAscii);
    else
        consonantStep(KeyAscii);
}

void Composer::consonantStep(int KeyAscii)
{
    ConsonantIndex = tables.consonantIndexOf(KeyAscii);
    panels.setPanelText(1, ConsonantIndex == 0
                               ? std::string_view()
                               : tables.SyllableTable[ConsonantIndex][CompositionTables::PulliColumn]);
    panels.setPanelText(2, "");
    panels.setPanelText(3, VowelPrompt);
    WaitingForVowel = true;
}

void Composer::vowelStep(int KeyAscii)
{
    VowelIndex = tables.vowelIndexOf(KeyAscii);
    if (VowelIndex == 0)
        return;
    SendingKeys = true;
    injector.sendKeys("+");
    injector.sendKeys(tables.SyllableTable[ConsonantIndex][VowelIndex]);
    panels.setPanelText(2, tables.SyllableTable[0][VowelIndex]);
    panels.setPanelText(3, ConsonantPrompt);
    SendingKeys = false;
    WaitingForVowel = false;
}

} // namespace orvane
