#include "phonetic/typing.h"

#include "platform/key_string.h"

namespace orvane {

KeyEffect effectOfCode(int code)
{
    switch (code) {
    case 0:
    case KeyEsc:
        return {};
    case KeyBackspace:
        return {KeyEffect::DeleteBack, {}};
    case KeyEnter:
        return {KeyEffect::LineBreak, {}};
    default:
        return {KeyEffect::Insert, std::string(1, char(code))};
    }
}

Typing::Typing(const CompositionTables& tables, StatusPanels& panels, ChangeMarker& changes)
    : tables_(tables), panels(panels), composer_(tables, *this, panels, changes)
{
}

void Typing::reset()
{
    composer_.SendingKeys = composer_.WaitingForVowel = false;
    panels.setPanelText(1, "");
    panels.setPanelText(2, "");
    panels.setPanelText(3, ConsonantPrompt);
}

KeyEffect Typing::press(int keyCode)
{
    injected.clear();
    const int code = composer_.Text1_KeyPress(keyCode);
    if (!injected.empty())
        return {KeyEffect::Insert, std::move(injected)};
    return effectOfCode(code);
}

void Typing::sendKeys(std::string_view keys)
{
    forEachKeyStroke(keys, [this](const KeyStroke& stroke) {
        if (const char c = stroke.typedChar())
            if (const int code = composer_.Text1_KeyPress(static_cast<unsigned char>(c)))
                injected += char(code);
    });
}

namespace {
// Panels and changes that go nowhere, but for what panel 1 would show.
struct Unseen final : StatusPanels, ChangeMarker {
    std::string* panel1 = nullptr;
    void setPanelText(int panel, std::string_view text) override
    {
        if (panel == 1 && panel1)
            *panel1 = text;
    }
    void markDocumentChanged() override {}
};
} // namespace

KeyEffect Typing::wouldDo(int keyCode, std::string* pending) const
{
    Unseen unseen;
    unseen.panel1 = pending;
    if (pending)
        *pending = composer_.WaitingForVowel && composer_.ConsonantIndex > 0
                       ? tables_.SyllableTable[std::size_t(composer_.ConsonantIndex)][CompositionTables::PulliColumn]
                       : std::string();
    Typing trial(tables_, unseen, unseen);
    Composer& c = trial.composer_;
    c.SendingKeys = composer_.SendingKeys;
    c.WaitingForVowel = composer_.WaitingForVowel;
    c.ConsonantIndex = composer_.ConsonantIndex;
    c.VowelIndex = composer_.VowelIndex;
    return trial.press(keyCode);
}

} // namespace orvane
