#pragma once
// Types a stream of bytes through the keystroke filter into a document held in memory,
// the way the text box would take the same keys with the caret at the end.

#include "phonetic/composer.h"

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

    // The document: its bytes with CR LF line breaks.
    const std::string& text() const { return document; }
    // What the status panels 1 to 3 would show, and how often the document was marked changed.
    const std::string& panel(int n) const { return panels[n - 1]; }
    long long changeCount() const { return changes; }
    const Composer& state() const { return composer; }

private:
    void sendKeys(std::string_view keys) override;
    void setPanelText(int n, std::string_view text) override;
    void markDocumentChanged() override { ++changes; }
    void apply(int keyCode);

    CompositionTables tables;
    Composer composer;
    std::string document;
    bool afterCr = false;
    std::string panels[3];
    long long changes = 0;
};

} // namespace orvane
