#include "phonetic/keyboards.h"

#include "platform/key_string.h"

#include <array>
#include <utility>

namespace orvane {

namespace {
constexpr int KeyBackspaceCode = 8;
constexpr int KeyEnterCode = 13;
constexpr int PulliColumn = CompositionTables::PulliColumn;

// The rows of the syllable table.
enum Row : int {
    Ka = 1, Ca, Tta, Ta, Pa, Rra, Ya, Ra, La, Va, Lla, Llla, Nya, Nga, Nna, Na, Ma, Nnna, Ja, Ha, Ssa, Sa
};

// Tamil99's letter keys: the consonants on the right hand, the vowels on the left.
constexpr std::array<std::pair<char, int>, 23> ConsonantKeys{{
    {'h', Ka},  {'b', Nga}, {'[', Ca},   {']', Nya}, {'o', Tta}, {'p', Nna}, {'l', Ta},  {';', Na},
    {'j', Pa},  {'k', Ma},  {'\'', Ya},  {'m', Ra},  {'n', La},  {'v', Va},  {'/', Llla}, {'y', Lla},
    {'u', Rra}, {'i', Nnna}, {'Q', Sa},  {'W', Ssa}, {'E', Ja},  {'R', Ha},  {'T', Ssa},  // T: க்ஷ
}};
constexpr std::array<char, 12> VowelKeys{'a', 'q', 's', 'w', 'd', 'e', 'g', 't', 'r', 'c', 'x', 'z'};
constexpr char PulliKey = 'f';
constexpr char AythamKey = 'F';
constexpr char SriKey = 'Y';

// A soft consonant followed by its own hard one takes the pulli, as a doubled one does.
bool takesPulliBefore(int soft, int hard)
{
    return soft == hard || (soft == Nga && hard == Ka) || (soft == Nya && hard == Ca) || (soft == Nna && hard == Tta)
           || (soft == Na && hard == Ta) || (soft == Ma && hard == Pa) || (soft == Nnna && hard == Rra);
}

// The keys that are neither letters nor signs: what a .tam document can hold of them.
std::string punctuation(int keyCode)
{
    switch (keyCode) {
    case ',': return ">";  // Bamini's comma
    case ' ': case '.': case '?': case '!': case '(': case ')': case ':': case '-':
        return std::string(1, char(keyCode));
    default:
        if (keyCode >= '0' && keyCode <= '9')
            return std::string(1, char(keyCode));
        return {};
    }
}
} // namespace

std::string_view keyboardName(Keyboard keyboard)
{
    switch (keyboard) {
    case Keyboard::Tamil99: return "tamil99";
    case Keyboard::Typewriter: return "bamini";
    case Keyboard::Phonetic: break;
    }
    return "phonetic";
}

std::optional<Keyboard> keyboardNamed(std::string_view name)
{
    for (const Keyboard k : {Keyboard::Phonetic, Keyboard::Tamil99, Keyboard::Typewriter})
        if (name == keyboardName(k))
            return k;
    return std::nullopt;
}

std::string codesOf(std::string_view keyString)
{
    std::string codes;
    forEachKeyStroke(keyString, [&](const KeyStroke& stroke) {
        if (const char c = stroke.typedChar())
            codes += c;
    });
    return codes;
}

Tamil99::Tamil99(const CompositionTables& tables) : tables(&tables) {}

void Tamil99::reset()
{
    link.reset();
    written.clear();
    pulliJustAdded = false;
    madeOf.reset();
    made.clear();
}

std::optional<Tamil99::Consonant> Tamil99::consonantOf(int keyCode) const
{
    for (const auto& [key, row] : ConsonantKeys)
        if (key == keyCode)
            return Consonant{keyCode == 'T' ? syllable(Consonant{{}, Ka}, PulliColumn) : std::string(), row};
    return std::nullopt;
}

int Tamil99::vowelColumnOf(int keyCode) const
{
    for (std::size_t i = 0; i < VowelKeys.size(); ++i)
        if (VowelKeys[i] == keyCode)
            return int(i) + 1;
    return 0;
}

std::string Tamil99::syllable(const Consonant& c, int column) const
{
    return c.prefix + codesOf(tables->SyllableTable[std::size_t(c.row)][std::size_t(column)]);
}

bool Tamil99::linkedTo(std::string_view before) const { return link && before.ends_with(written); }

std::string Tamil99::joining(std::string_view before) const
{
    return linkedTo(before) ? syllable(*link, PulliColumn) : std::string();
}

std::string Tamil99::keyLetter(int keyCode) const
{
    if (const auto c = consonantOf(keyCode))
        return syllable(*c, 1);
    if (const int column = vowelColumnOf(keyCode))
        return codesOf(tables->SyllableTable[0][std::size_t(column)]);
    if (keyCode == PulliKey)
        return ";";
    if (keyCode == AythamKey)
        return codesOf(tables->SyllableTable[0][PulliColumn]);
    if (keyCode == SriKey)
        return "=";
    return punctuation(keyCode);
}

KeyEffect Tamil99::press(int keyCode, std::string_view before)
{
    const bool linked = linkedTo(before);
    const bool autoPulli = linked && !pulliJustAdded;
    const bool takeBack = madeOf && before.ends_with(made);
    const std::optional<Consonant> last = link;
    const std::size_t lastSize = written.size();
    const std::optional<Consonant> lastMadeOf = madeOf;
    const std::size_t madeSize = made.size();
    reset();

    auto join = [&](const Consonant& c, std::string codes, std::size_t erase) {
        link = c;
        written = syllable(c, 1);
        return KeyEffect{KeyEffect::Insert, std::move(codes), erase};
    };
    auto make = [&](const Consonant& of, std::string codes, std::size_t erase) {
        madeOf = of;
        made = codes;
        return KeyEffect{KeyEffect::Insert, std::move(codes), erase};
    };

    if (keyCode == KeyBackspaceCode) {
        if (takeBack)  // the consonant again, waiting as it was
            return join(*lastMadeOf, syllable(*lastMadeOf, 1), madeSize);
        return {KeyEffect::DeleteBack, {}};
    }
    if (keyCode == KeyEnterCode)
        return {KeyEffect::LineBreak, {}};
    if (const auto c = consonantOf(keyCode)) {
        if (autoPulli && last->prefix == c->prefix && takesPulliBefore(last->row, c->row)) {
            std::string codes = syllable(*last, PulliColumn) + syllable(*c, 1);
            KeyEffect effect = join(*c, codes, lastSize);
            pulliJustAdded = true;
            madeOf = last;
            made = std::move(codes);
            return effect;
        }
        return join(*c, syllable(*c, 1), 0);
    }
    if (const int column = vowelColumnOf(keyCode)) {
        vowel = codesOf(tables->SyllableTable[0][std::size_t(column)]);
        if (!linked)
            return {KeyEffect::Insert, vowel, 0};
        if (column == 1)  // அ: the consonant keeps its own a, and joins nothing more
            return {};
        return make(*last, syllable(*last, column), lastSize);
    }
    if (keyCode == PulliKey)
        return linked ? make(*last, syllable(*last, PulliColumn), lastSize) : KeyEffect{};
    if (keyCode == AythamKey)
        return {KeyEffect::Insert, codesOf(tables->SyllableTable[0][PulliColumn]), 0};
    if (keyCode == SriKey)
        return {KeyEffect::Insert, "=", 0};
    if (std::string codes = punctuation(keyCode); !codes.empty())
        return {KeyEffect::Insert, std::move(codes), 0};
    return {};
}

KeyEffect typewriterKey(int keyCode)
{
    if (keyCode == KeyBackspaceCode)
        return {KeyEffect::DeleteBack, {}};
    if (keyCode == KeyEnterCode)
        return {KeyEffect::LineBreak, {}};
    if (keyCode >= 0x20 && keyCode < 0x7F)
        return {KeyEffect::Insert, std::string(1, char(keyCode))};
    return {};
}

} // namespace orvane
