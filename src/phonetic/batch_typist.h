#pragma once
// Types a stream of bytes through the keystroke filter into a document held in memory,
// the way the text box would take the same keys with the caret at the end.
//
// What an ordinary key does depends only on whether a vowel is awaited and for which
// consonant, so the composer's answer for every such state and byte is worked out once, by
// the composer itself, into a table; typing then runs from the table, and the keys whose
// effect depends on the text (Backspace, Enter) or that clear the state (Esc) go through
// the composer as they come.

#include "phonetic/typing.h"

#include <functional>
#include <string>
#include <string_view>

namespace orvane {

class BatchTypist final : private StatusPanels, private ChangeMarker {
public:
    BatchTypist();
    // Typing with another keyboard: key by key, each key joined with the document's end.
    explicit BatchTypist(Keyboard keyboard);

    // LF and CR LF are one Enter; byte 8 is Backspace, byte 27 Esc. A CR LF pair may be
    // split across two calls.
    void typeBytes(std::string_view bytes);
    void typeKey(int keyCode);

    // The document: its bytes with CR LF line breaks (those not handed over).
    const std::string& text() const { return document; }
    // Hands over all but the last keep bytes, to be written out: the typing goes on with a
    // bounded tail. A Backspace that reaches past the tail asks giveBack for the last bytes
    // handed over (up to the count asked), or deletes nothing more when it returns none.
    std::string takeFront(std::size_t keep);
    std::function<std::string(std::size_t)> giveBack;
    // What the status panels 1 to 3 would show.
    const std::string& panel(int n) const;
    const Composer& state() const { return typing.composer(); }

    struct Steps;

private:
    explicit BatchTypist(bool compiled);
    void setPanelText(int n, std::string_view text) override;
    void markDocumentChanged() override {}
    void apply(const KeyEffect& effect);
    void typeOrdinary(std::string_view bytes);
    void catchUp(const unsigned char* keys, const unsigned char* stateBefore, std::size_t from, std::size_t to,
                 int state);

    CompositionTables tables;
    Typing typing;
    const Steps* steps = nullptr;  // none while the table itself is being worked out
    std::string document;
    std::size_t handedOver = 0;
    bool afterCr = false;
    unsigned char panels[3] = {0, 0, 0};  // which of the texts the panels can show
};

} // namespace orvane
