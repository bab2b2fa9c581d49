#include "phonetic/batch_typist.h"

#include "platform/key_string.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace orvane {

struct BatchTypist::Steps {
    static constexpr unsigned char Unchanged = 0xFF;
    // The states keys are told apart by: no vowel awaited, or a vowel awaited for
    // consonant 0 to ConsonantCount.
    static constexpr int States = CompositionTables::ConsonantCount + 2;
    static int stateOf(const Composer& c) { return c.WaitingForVowel ? 1 + c.ConsonantIndex : 0; }

    struct alignas(32) Step {
        char bytes[16];  // what the key adds to the document, length of them
        unsigned char length;
        unsigned char next;       // the state after it
        unsigned short nextRow;   // where its keys start in the table: next x 256
        unsigned char consonant;  // the composer's indices after it, or Unchanged
        unsigned char vowel;
        unsigned char panels[3];  // the panels' texts after it, or Unchanged
        bool throughComposer;     // the table cannot say: the key goes to the composer
    };

    std::vector<std::string> texts;  // every text a status panel can show; 0 is ""
    std::vector<Step> steps;         // States x 256

    unsigned char textIndex(std::string_view text) const
    {
        const auto it = std::find(texts.begin(), texts.end(), text);
        return it == texts.end() ? 0 : static_cast<unsigned char>(it - texts.begin());
    }
};

namespace {
const BatchTypist::Steps& panelTexts(const CompositionTables& tables)
{
    static const BatchTypist::Steps texts = [&] {
        BatchTypist::Steps s;
        s.texts = {"", std::string(ConsonantPrompt), std::string(VowelPrompt)};
        // A consonant with its pulli (panel 1) and a bare vowel (panel 2).
        std::vector<std::string> cells;
        for (const auto& row : tables.SyllableTable)
            cells.push_back(row[CompositionTables::PulliColumn]);
        cells.insert(cells.end(), tables.SyllableTable[0].begin(), tables.SyllableTable[0].end());
        for (const std::string& cell : cells)
            if (std::find(s.texts.begin(), s.texts.end(), cell) == s.texts.end())
                s.texts.push_back(cell);
        return s;
    }();
    return texts;
}
} // namespace

BatchTypist::BatchTypist(bool compiled) : composer(tables, *this, *this, *this)
{
    tables.FillSyllableTable();
    tables.FillVowelKeys();
    tables.FillConsonantKeys();
    if (!compiled)
        return;
    // Every ordinary key in every state, typed once through the composer.
    static const Steps table = [this] {
        Steps s = panelTexts(tables);
        s.steps.resize(std::size_t(Steps::States) * 256);
        BatchTypist probe(false);
        for (int state = 0; state < Steps::States; ++state)
            for (int byte = 0; byte < 256; ++byte) {
                Steps::Step& step = s.steps[std::size_t(state) * 256 + std::size_t(byte)];
                // A line feed is Enter (after a CR, which goes through the composer to say so,
                // none); Backspace depends on the text, Esc clears the state.
                step.throughComposer = byte == '\r' || byte == KeyBackspace || byte == KeyEsc;
                if (step.throughComposer)
                    continue;
                Composer& c = probe.composer;
                c.WaitingForVowel = state > 0;
                c.ConsonantIndex = state > 0 ? state - 1 : -1;
                c.VowelIndex = -1;
                std::fill(std::begin(probe.panels), std::end(probe.panels), Steps::Unchanged);
                probe.document.clear();
                probe.typeKey(byte == '\n' ? KeyEnter : byte);
                step.throughComposer = probe.document.size() > sizeof step.bytes || c.SendingKeys;
                step.length = static_cast<unsigned char>(std::min(probe.document.size(), sizeof step.bytes));
                std::memcpy(step.bytes, probe.document.data(), step.length);
                step.next = static_cast<unsigned char>(Steps::stateOf(c));
                step.nextRow = static_cast<unsigned short>(step.next * 256);
                step.consonant = c.ConsonantIndex == (state > 0 ? state - 1 : -1) ? Steps::Unchanged
                                                                                   : static_cast<unsigned char>(c.ConsonantIndex);
                step.vowel = c.VowelIndex < 0 ? Steps::Unchanged : static_cast<unsigned char>(c.VowelIndex);
                std::copy(std::begin(probe.panels), std::end(probe.panels), step.panels);
            }
        return s;
    }();
    steps = &table;
}

BatchTypist::BatchTypist() : BatchTypist(true) {}

void BatchTypist::typeBytes(std::string_view bytes)
{
    if (!steps) {
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte == '\n' && afterCr) {
                afterCr = false;
                continue;
            }
            afterCr = byte == '\r';
            typeKey(byte == '\n' || byte == '\r' ? KeyEnter : byte);
        }
        return;
    }
    // In blocks, so that what the keys add is appended to the document in one piece. The
    // loop follows the state alone; what the composer and the panels show is read back at
    // the end from the last keys that changed it.
    constexpr std::size_t Block = 4096;
    static thread_local char added[Block * sizeof(Steps::Step::bytes) + sizeof(Steps::Step::bytes)];
    static thread_local unsigned char stateBefore[Block];
    constexpr unsigned char Skipped = 0xFF;
    while (!bytes.empty()) {
        const std::string_view block = bytes.substr(0, Block);
        bytes.remove_prefix(block.size());
        char* out = added;
        const Steps::Step* const table = steps->steps.data();
        std::size_t from = 0;  // the first key the table typed since the composer was last in step
        int state = Steps::stateOf(composer);
        std::size_t row = std::size_t(state) * 256;
        auto catchUp = [&](std::size_t to) {
            composer.WaitingForVowel = state > 0;
            bool consonant = false, vowel = false, panel[3] = {false, false, false};
            for (std::size_t k = to; k-- > from;) {
                if (stateBefore[k] == Skipped)
                    continue;
                const Steps::Step& step = steps->steps[std::size_t(stateBefore[k]) * 256
                                                       + static_cast<unsigned char>(block[k])];
                if (!consonant && step.consonant != Steps::Unchanged) {
                    composer.ConsonantIndex = step.consonant;
                    consonant = true;
                }
                if (!vowel && step.vowel != Steps::Unchanged) {
                    composer.VowelIndex = step.vowel;
                    vowel = true;
                }
                for (int n = 0; n < 3; ++n)
                    if (!panel[n] && step.panels[n] != Steps::Unchanged) {
                        panels[n] = step.panels[n];
                        panel[n] = true;
                    }
                if (consonant && vowel && panel[0] && panel[1] && panel[2])
                    break;
            }
        };
        for (std::size_t k = 0; k < block.size(); ++k) {
            const auto byte = static_cast<unsigned char>(block[k]);
            if (byte == '\n' && afterCr) {  // the LF of a CR LF: one Enter, already typed
                afterCr = false;
                stateBefore[k] = Skipped;
                continue;
            }
            const Steps::Step& step = table[row + byte];
            if (step.throughComposer) {
                document.append(added, std::size_t(out - added));
                out = added;
                state = int(row >> 8);
                catchUp(k);
                typeKey(byte == '\r' ? KeyEnter : byte);
                afterCr = byte == '\r';
                state = Steps::stateOf(composer);
                row = std::size_t(state) * 256;
                from = k + 1;
                continue;
            }
            afterCr = false;
            stateBefore[k] = static_cast<unsigned char>(row >> 8);
            std::memcpy(out, step.bytes, sizeof step.bytes);
            out += step.length;
            row = step.nextRow;
        }
        document.append(added, std::size_t(out - added));
        state = int(row >> 8);
        catchUp(block.size());
    }
}

void BatchTypist::typeKey(int keyCode)
{
    apply(composer.Text1_KeyPress(keyCode));
}

const std::string& BatchTypist::panel(int n) const
{
    return panelTexts(tables).texts[panels[n - 1] < panelTexts(tables).texts.size() ? panels[n - 1] : 0];
}

std::string BatchTypist::takeFront(std::size_t keep)
{
    if (document.size() <= keep)
        return {};
    std::string front = document.substr(0, document.size() - keep);
    document.erase(0, front.size());
    handedOver += front.size();
    return front;
}

void BatchTypist::sendKeys(std::string_view keys)
{
    forEachKeyStroke(keys, [this](const KeyStroke& stroke) {
        if (const char c = stroke.typedChar())
            typeKey(static_cast<unsigned char>(c));
    });
}

void BatchTypist::setPanelText(int n, std::string_view text)
{
    if (n >= 1 && n <= 3)
        panels[n - 1] = panelTexts(tables).textIndex(text);
}

void BatchTypist::apply(int keyCode)
{
    switch (keyCode) {
    case 0:
    case KeyEsc:
        return;
    case KeyEnter:
        document += "\r\n";
        return;
    case KeyBackspace:
        if (document.size() < 2 && handedOver > 0 && giveBack) {
            std::string back = giveBack(std::min<std::size_t>(handedOver, 1 << 16));
            handedOver -= back.size();
            document.insert(0, back);
        }
        if (document.ends_with("\r\n"))
            document.resize(document.size() - 2);
        else if (!document.empty())
            document.pop_back();
        return;
    default:
        document += char(keyCode);
    }
}

} // namespace orvane
