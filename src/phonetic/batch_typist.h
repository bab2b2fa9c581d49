#pragma once
// Types a stream of bytes through the keystroke filter into a document held in memory,
// the way the text box would take the same keys with the caret at the end.

#include "phonetic/composer.h"

#include <functional>
#include <string>
#include <string_view>

namespace orvane {

class BatchTypist final : private KeystrokeInjector, private StatusPanels, private ChangeMarker {
public:
    BatchTypist();

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
    const std::string& panel(int n) const { return panels[n - 1]; }
    const Composer& state() const { return composer; }

private:
    void sendKeys(std::string_view keys) override;
    void setPanelText(int n, std::string_view text) override;
    void markDocumentChanged() override {}
    void apply(int keyCode);

    CompositionTables tables;
    Composer composer;
    std::string document;
    std::size_t handedOver = 0;
    bool afterCr = false;
    std::string panels[3];
};

} // namespace orvane
