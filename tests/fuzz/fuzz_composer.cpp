// The keystroke filter and composer over any key stream: the state stays in range, the
// panels show only texts the design allows, and nothing reaches the text box but the
// typed key (or its replacement) and whole syllables from the table.

#include "phonetic/composer.h"
#include "platform/key_string.h"

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

using namespace orvane;

namespace {
struct CheckingBox final : KeystrokeInjector, StatusPanels, ChangeMarker {
    CompositionTables tables;
    Composer composer{tables, *this, *this, *this};
    std::string injected;  // what came back through the filter during one key
    std::set<std::string> panel1{""}, panel2{""}, cells;
    bool injecting = false;

    CheckingBox()
    {
        tables.FillSyllableTable();
        tables.FillVowelKeys();
        tables.FillConsonantKeys();
        for (int r = 0; r <= 22; ++r) {
            panel1.insert(tables.SyllableTable[r][13]);
            for (int c = 1; c <= 13; ++c) {
                std::string chars;
                forEachKeyStroke(tables.SyllableTable[r][c], [&](const KeyStroke& k) { chars += k.typedChar(); });
                cells.insert(chars);
            }
        }
        for (int c = 1; c <= 13; ++c)
            panel2.insert(tables.SyllableTable[0][c]);
    }
    void sendKeys(std::string_view keys) override
    {
        if (!composer.SendingKeys)
            std::abort();
        forEachKeyStroke(keys, [&](const KeyStroke& k) {
            if (const char c = k.typedChar()) {
                const int out = composer.Text1_KeyPress(static_cast<unsigned char>(c));
                if (out != static_cast<unsigned char>(c))
                    std::abort();  // injected characters pass unchanged
                injected += c;
            }
        });
    }
    void setPanelText(int n, std::string_view text) override
    {
        const std::string t(text);
        const bool allowed = n == 1   ? panel1.count(t) > 0
                             : n == 2 ? panel2.count(t) > 0
                             : n == 3 ? (text == ConsonantPrompt || text == VowelPrompt)
                                      : false;
        if (!allowed)
            std::abort();
    }
    void markDocumentChanged() override {}
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CheckingBox* box = new CheckingBox;
    Composer& fresh = box->composer;  // each input starts from a new window's state
    fresh.SendingKeys = fresh.WaitingForVowel = false;
    fresh.ConsonantIndex = fresh.VowelIndex = 0;
    for (size_t i = 0; i < size; ++i) {
        const int key = data[i];
        box->injected.clear();
        const int out = box->composer.Text1_KeyPress(key);
        const Composer& c = box->composer;
        if (c.SendingKeys || c.ConsonantIndex < 0 || c.ConsonantIndex > 22 || c.VowelIndex < 0 || c.VowelIndex > 13)
            std::abort();
        const int replaced = key == ',' ? '>' : key == ';' ? '@' : key == '`' ? '=' : key;
        if (out != 0 && out != replaced)
            std::abort();
        if (!box->injected.empty() && (out != 0 || box->cells.count(box->injected) == 0))
            std::abort();  // a syllable is one whole cell, and the key itself is swallowed
    }
    return 0;
}
