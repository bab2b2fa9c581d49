#include "phonetic/batch_typist.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

namespace orvane {

struct BatchTypist::Steps {
    static constexpr unsigned char Unchanged = 0xFF;
    // The states keys are told apart by: no vowel awaited, or a vowel awaited for
    // consonant 0 to ConsonantCount.
    static constexpr int States = CompositionTables::ConsonantCount + 2;
    static int stateOf(const Composer& c) { return c.WaitingForVowel ? 1 + c.ConsonantIndex : 0; }

    // What a key leaves the composer and the panels showing, read back after a run of keys.
    struct Effects {
        unsigned char consonant = Unchanged;  // the composer's indices after it, or Unchanged
        unsigned char vowel = Unchanged;
        unsigned char panels[3] = {Unchanged, Unchanged, Unchanged};  // the panels' texts
    };

    std::vector<std::string> texts;  // every text a status panel can show; 0 is ""
    std::vector<Effects> effects;    // States x 256
    // What the typing loop reads, small enough to stay in the first-level cache: for each
    // state and byte the next row (ThroughComposer for the keys the table cannot type) and
    // which of the few distinct outputs the key adds.
    static constexpr unsigned short ThroughComposer = 0xFFFF;
    struct Key {
        unsigned short nextRow;
        unsigned short output;
    };
    struct Output {
        char bytes[15];
        unsigned char length;
    };
    std::vector<Key> keys;  // States x 256
    std::vector<Output> outputs;
    // For a key after which the state is the same whatever it was before (a space), that
    // state's row; ThroughComposer for the others.
    unsigned short resetRow[256];

    unsigned char textIndex(std::string_view text) const
    {
        const auto it = std::find(texts.begin(), texts.end(), text);
        return it == texts.end() ? 0 : static_cast<unsigned char>(it - texts.begin());
    }
};

namespace {
constexpr std::size_t Block = 4096;   // keys typed from the table between appends
constexpr unsigned char Skipped = 0xFF;  // a state before a key the table did not type

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

BatchTypist::BatchTypist(bool compiled) : typing(tables, *this, *this)
{
    tables.FillSyllableTable();
    tables.FillVowelKeys();
    tables.FillConsonantKeys();
    if (!compiled)
        return;
    // Every ordinary key in every state, typed once through the composer.
    static const Steps table = [this] {
        Steps s = panelTexts(tables);
        s.effects.resize(std::size_t(Steps::States) * 256);
        std::map<std::string, unsigned short> known;  // the outputs so far
        BatchTypist probe(false);
        for (int state = 0; state < Steps::States; ++state)
            for (int byte = 0; byte < 256; ++byte) {
                // A line feed is Enter (after a CR, which goes through the composer to say so,
                // none); Backspace depends on the text, Esc clears the state.
                if (byte == '\r' || byte == KeyBackspace || byte == KeyEsc) {
                    s.keys.push_back({Steps::ThroughComposer, 0});
                    continue;
                }
                Composer& c = probe.typing.composer();
                c.WaitingForVowel = state > 0;
                c.ConsonantIndex = state > 0 ? state - 1 : -1;
                c.VowelIndex = -1;
                std::fill(std::begin(probe.panels), std::end(probe.panels), Steps::Unchanged);
                probe.document.clear();
                probe.typeKey(byte == '\n' ? KeyEnter : byte);
                if (probe.document.size() > sizeof(Steps::Output::bytes) || c.SendingKeys) {
                    s.keys.push_back({Steps::ThroughComposer, 0});
                    continue;
                }
                const auto [at, added] = known.emplace(probe.document, static_cast<unsigned short>(s.outputs.size()));
                if (added) {
                    Steps::Output o{};
                    std::memcpy(o.bytes, probe.document.data(), probe.document.size());
                    o.length = static_cast<unsigned char>(probe.document.size());
                    s.outputs.push_back(o);
                }
                s.keys.push_back({static_cast<unsigned short>(Steps::stateOf(c) * 256), at->second});
                Steps::Effects& e = s.effects[std::size_t(state) * 256 + std::size_t(byte)];
                if (c.ConsonantIndex != (state > 0 ? state - 1 : -1))
                    e.consonant = static_cast<unsigned char>(c.ConsonantIndex);
                if (c.VowelIndex >= 0)
                    e.vowel = static_cast<unsigned char>(c.VowelIndex);
                std::copy(std::begin(probe.panels), std::end(probe.panels), e.panels);
            }
        for (int byte = 0; byte < 256; ++byte) {
            unsigned short row = s.keys[std::size_t(byte)].nextRow;
            for (int state = 1; state < Steps::States; ++state)
                if (s.keys[std::size_t(state) * 256 + std::size_t(byte)].nextRow != row)
                    row = Steps::ThroughComposer;
            s.resetRow[byte] = byte == '\n' ? Steps::ThroughComposer : row;  // a LF after a CR is no key
        }
        return s;
    }();
    steps = &table;
}

BatchTypist::BatchTypist() : BatchTypist(true) {}

BatchTypist::BatchTypist(Keyboard keyboard) : BatchTypist(keyboard == Keyboard::Phonetic)
{
    typing.setKeyboard(keyboard);
}

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
    static thread_local char added[Block * sizeof(Steps::Output) + sizeof(Steps::Output)];
    static thread_local char addedSecond[Block * sizeof(Steps::Output) + sizeof(Steps::Output)];
    static thread_local unsigned char stateBefore[Block];
    char* const addedStart = added;
    char* const secondStart = addedSecond;
    unsigned char* const before = stateBefore;
    const Steps::Key* const table = steps->keys.data();
    const Steps::Output* const outputs = steps->outputs.data();
    while (!bytes.empty()) {
        const std::string_view block = bytes.substr(0, Block);
        bytes.remove_prefix(block.size());
        const auto* const keys = reinterpret_cast<const unsigned char*>(block.data());
        const std::size_t n = block.size();
        char* out = addedStart;
        std::size_t from = 0;  // the first key the table typed since the composer was last in step
        std::size_t row = std::size_t(Steps::stateOf(typing.composer())) * 256;
        bool cr = afterCr;
        std::size_t k = 0;

        // The next key, the composer's turn when the table cannot type it.
        auto typeFirst = [&]() __attribute__((always_inline)) {
            const unsigned char byte = keys[k];
            if (byte == '\n' && cr) {  // the LF of a CR LF: one Enter, already typed
                cr = false;
                before[k] = Skipped;
                return;
            }
            const Steps::Key key = table[row + byte];
            if (key.nextRow == Steps::ThroughComposer) {
                document.append(addedStart, std::size_t(out - addedStart));
                out = addedStart;
                catchUp(keys, before, from, k, int(row >> 8));
                typeKey(byte == '\r' ? KeyEnter : byte);
                cr = byte == '\r';
                row = std::size_t(Steps::stateOf(typing.composer())) * 256;
                from = k + 1;
                return;
            }
            cr = false;
            before[k] = static_cast<unsigned char>(row >> 8);
            const Steps::Output& output = outputs[key.output];
            std::memcpy(out, &output, sizeof output);
            out += output.length;
            row = key.nextRow;
        };

        // Each key waits for the state the key before it left, so a second run of keys is
        // typed alongside the first: from a key after which the state is known whatever came
        // before it, up to the first key the table cannot type. It goes into the document
        // after the first run.
        std::size_t split = n;
        if (n >= 64)
            for (std::size_t m = n / 2; m + 1 < n; ++m)
                if (steps->resetRow[keys[m]] != Steps::ThroughComposer) {
                    split = m + 1;
                    break;
                }
        if (split < n) {
            std::size_t second = split, stop = n;  // the second run's next key, and its end
            std::size_t rowSecond = steps->resetRow[keys[split - 1]];
            char* outSecond = secondStart;
            auto typeSecond = [&]() __attribute__((always_inline)) {
                const Steps::Key key = table[rowSecond + keys[second]];
                if (key.nextRow == Steps::ThroughComposer) {
                    stop = second;
                    return;
                }
                before[second] = static_cast<unsigned char>(rowSecond >> 8);
                const Steps::Output& output = outputs[key.output];
                std::memcpy(outSecond, &output, sizeof output);
                outSecond += output.length;
                rowSecond = key.nextRow;
                ++second;
            };
            for (; k < split; ++k) {
                if (second < stop)
                    typeSecond();
                typeFirst();
            }
            while (second < stop)
                typeSecond();
            document.append(addedStart, std::size_t(out - addedStart));
            out = addedStart;
            document.append(secondStart, std::size_t(outSecond - secondStart));
            row = rowSecond;
            cr = false;
            k = stop;
        }
        for (; k < n; ++k)
            typeFirst();
        afterCr = cr;
        document.append(addedStart, std::size_t(out - addedStart));
        catchUp(keys, before, from, n, int(row >> 8));
    }
}

// Puts the composer and the panels where keys from..to of a block, typed from the table,
// left them (state: the state after them).
void BatchTypist::catchUp(const unsigned char* keys, const unsigned char* stateBefore, std::size_t from,
                          std::size_t to, int state)
{
    Composer& composer = typing.composer();
    composer.WaitingForVowel = state > 0;
    bool consonant = false, vowel = false, panel[3] = {false, false, false};
    for (std::size_t k = to; k-- > from;) {
        if (stateBefore[k] == Skipped)
            continue;
        const Steps::Effects& step = steps->effects[std::size_t(stateBefore[k]) * 256 + keys[k]];
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
}

void BatchTypist::typeKey(int keyCode)
{
    // What a key may join lies in the document's last line, a few codes back.
    const std::string_view text(document);
    const std::size_t lineStart = text.rfind('\n');
    const std::size_t from = lineStart == std::string_view::npos ? 0 : lineStart + 1;
    const std::size_t tail = std::min<std::size_t>(text.size() - from, 16);
    apply(typing.press(keyCode, text.substr(text.size() - tail)));
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

void BatchTypist::setPanelText(int n, std::string_view text)
{
    if (n >= 1 && n <= 3)
        panels[n - 1] = panelTexts(tables).textIndex(text);
}

void BatchTypist::apply(const KeyEffect& effect)
{
    switch (effect.kind) {
    case KeyEffect::Nothing:
        return;
    case KeyEffect::LineBreak:
        document += "\r\n";
        return;
    case KeyEffect::DeleteBack:
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
    case KeyEffect::Insert:
        document.resize(document.size() - std::min(effect.erase, document.size()));
        document += effect.codes;
        return;
    }
}

} // namespace orvane
