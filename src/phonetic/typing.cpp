#include "phonetic/typing.h"

#include "platform/key_string.h"

#include <algorithm>

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
    : tables_(tables), panels(panels), composer_(tables, *this, panels, changes), tamil99_(tables), changes(changes)
{
}

void Typing::reset()
{
    composer_.SendingKeys = composer_.WaitingForVowel = false;
    tamil99_.reset();
    panels.setPanelText(1, "");
    panels.setPanelText(2, "");
    // The typewriter asks for nothing: every key is a letter of its own.
    panels.setPanelText(3, keyboard_ == Keyboard::Typewriter ? std::string_view() : ConsonantPrompt);
}

void Typing::forgetJoining()
{
    tamil99_.reset();
    if (keyboard_ == Keyboard::Tamil99) {
        panels.setPanelText(1, "");
        panels.setPanelText(3, ConsonantPrompt);
    }
}

void Typing::setKeyboard(Keyboard keyboard)
{
    keyboard_ = keyboard;
    reset();
}

KeyEffect Typing::press(int keyCode, std::string_view before)
{
    if (keyboard_ == Keyboard::Phonetic) {
        injected.clear();
        const int code = composer_.Text1_KeyPress(keyCode);
        if (!injected.empty())
            return {KeyEffect::Insert, std::move(injected)};
        return effectOfCode(code);
    }
    try {
        changes.markDocumentChanged();
    } catch (...) {
    }
    if (keyCode == KeyEsc) {
        reset();
        return {};
    }
    if (keyboard_ == Keyboard::Typewriter)
        return typewriterKey(keyCode);
    KeyEffect effect = tamil99_.press(keyCode, before);
    // What the caret will have before it, for the panels: the key's codes after the text.
    std::string after;
    if (effect.kind == KeyEffect::Insert) {
        after.assign(before.substr(0, before.size() - std::min(effect.erase, before.size())));
        after += effect.codes;
    }
    const std::string joining = tamil99_.joining(after);
    panels.setPanelText(1, joining);
    panels.setPanelText(2, tamil99_.lastVowel());
    panels.setPanelText(3, joining.empty() ? ConsonantPrompt : VowelPrompt);
    return effect;
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

KeyEffect Typing::wouldDo(int keyCode, std::string* pending, std::string_view before) const
{
    Unseen unseen;
    unseen.panel1 = pending;
    if (keyboard_ != Keyboard::Phonetic) {
        Typing trial(tables_, unseen, unseen);
        trial.keyboard_ = keyboard_;
        trial.tamil99_ = tamil99_;
        if (pending)
            *pending = tamil99_.joining(before);
        return trial.press(keyCode, before);
    }
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
