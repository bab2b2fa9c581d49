#include "document/english_words.h"

#include "document/bamini_table.h"
#include "document/other_text.h"
#include "document/table_rows.h"
#include "platform/both_at_once.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace orvane {
extern const char* const LanguageModelTsv;  // resources/language-model.tsv, built in

namespace {

// Costs are tenths of a nat (-ln p x 10), as the model's table gives them.
constexpr int Unseen = 150;       // a code the language's words never hold
constexpr int BackOff = 25;       // a pair of codes not seen together: the one code alone
constexpr int Grammar = 60;       // each break of Bamini's grammar
constexpr int OddInEnglish = 80;  // a code inside an English word that no English word holds
constexpr int MixedCase = 50;     // a capital after a small letter, inside a word
constexpr int NotListed = 50;     // an English word the word list does not have
constexpr int Switch = 100;       // the words on either side in the other language

// A language's costs of each code after the two before it, dense: symbols are a byte's index
// in the language's alphabet (0 a word's edge).
class Model {
public:
    Model(int symbols, std::array<unsigned char, 256> index) : n(symbols), index(index), three(std::size_t(n * n * n), 0) {}

    int cost(std::string_view word) const
    {
        int total = 0, a = 0, b = 0;
        for (const char c : word) {
            const int s = index[static_cast<unsigned char>(c)];
            total += three[std::size_t((a * n + b) * n + s)];
            a = b, b = s;
        }
        return total + three[std::size_t((a * n + b) * n)];
    }

    // Each code's cost after two others: the three's own where the table has it, else the
    // last two's, else the last one's, each step back costing BackOff.
    void fill(const std::vector<std::pair<std::string, int>>& rows)
    {
        std::vector<int> one(std::size_t(n), Unseen), two(std::size_t(n * n), -1);
        const auto at = [this](char c) { return int(index[static_cast<unsigned char>(c)]); };
        for (const auto& [gram, cost] : rows) {
            if (gram.size() == 1)
                one[std::size_t(at(gram[0]))] = cost;
            else if (gram.size() == 2)
                two[std::size_t(at(gram[0]) * n + at(gram[1]))] = cost;
        }
        for (int b = 0; b < n; ++b)
            for (int c = 0; c < n; ++c) {
                const int pair = two[std::size_t(b * n + c)];
                const auto cost = static_cast<unsigned char>(std::min((pair >= 0 ? pair : one[std::size_t(c)] + BackOff) + BackOff, 255));
                for (int a = 0; a < n; ++a)
                    three[std::size_t((a * n + b) * n + c)] = cost;
            }
        for (const auto& [gram, cost] : rows)
            if (gram.size() == 3)
                three[std::size_t((at(gram[0]) * n + at(gram[1])) * n + at(gram[2]))] = static_cast<unsigned char>(std::min(cost, 255));
    }

private:
    int n;
    std::array<unsigned char, 256> index;
    std::vector<unsigned char> three;
};

struct Models {
    Model bamini, english;
    std::array<bamini::Kind, 256> kind{};
};

std::array<unsigned char, 256> baminiIndex()
{
    std::array<unsigned char, 256> index{};
    for (int b = 0; b < 256; ++b)
        index[std::size_t(b)] = b >= ' ' && b < 127 ? static_cast<unsigned char>(b - ' ') : 95;
    return index;
}

std::array<unsigned char, 256> englishIndex()
{
    std::array<unsigned char, 256> index{};
    index.fill(27);
    index[' '] = 0;
    for (int c = 'a'; c <= 'z'; ++c)
        index[std::size_t(c)] = static_cast<unsigned char>(c - 'a' + 1);
    return index;
}

const Models& models()
{
    static const std::unique_ptr<Models> m = [] {
        auto made = std::make_unique<Models>(Models{Model(96, baminiIndex()), Model(28, englishIndex()), {}});
        std::vector<std::pair<std::string, int>> rows[2];
        forEachTableRow(LanguageModelTsv, [&](std::string_view line) {
            const std::size_t t1 = line.find('\t'), t2 = line.rfind('\t');
            if (t1 == 1 && t2 > t1)
                rows[line[0] == 'e'].emplace_back(std::string(line.substr(t1 + 1, t2 - t1 - 1)),
                                                  std::atoi(std::string(line.substr(t2 + 1)).c_str()));
        });
        made->bamini.fill(rows[0]);
        made->english.fill(rows[1]);
        const bamini::Table& t = bamini::table();
        made->kind = t.kind;
        return made;
    }();
    return *m;
}

// The English word list, lower case, sorted: looked up only for words the models leave in
// doubt, and read the first time one is. Where memory is too short for it, no word is listed.
class WordList {
public:
    bool contains(std::string_view word) const
    {
        if (slots.empty())
            return false;
        for (std::size_t k = hash(word) & (slots.size() - 1);; k = (k + 1) & (slots.size() - 1)) {
            const std::uint32_t at = slots[k];
            if (at == 0)
                return false;
            const std::string_view there(text.data() + at, std::min(word.size() + 1, text.size() - at));
            if (there.size() == word.size() + 1 && there.back() == '\n' && there.starts_with(word))
                return true;
        }
    }

    WordList()
    {
        try {
            text = "\n";  // no word at 0: a slot's 0 is empty
            for (const char* path : {"/usr/share/dict/words", "/usr/share/dict/american-english", "/usr/share/dict/british-english"}) {
                std::FILE* f = std::fopen(path, "r");
                if (!f)
                    continue;
                char block[65536];
                for (std::size_t got; (got = std::fread(block, 1, sizeof block, f)) > 0;)
                    text.append(block, got);
                std::fclose(f);
                break;
            }
            if (!text.ends_with('\n'))
                text += '\n';
            std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
            std::size_t words = std::size_t(std::count(text.begin(), text.end(), '\n'));
            std::size_t size = 1;
            while (size < 2 * words)
                size <<= 1;
            slots.assign(size, 0);
            for (std::size_t at = 1; at < text.size();) {
                const std::size_t end = text.find('\n', at);
                const std::string_view w(text.data() + at, end - at);
                if (!w.empty() && !w.ends_with("'s") && !contains(w)) {
                    std::size_t k = hash(w) & (size - 1);
                    while (slots[k] != 0)
                        k = (k + 1) & (size - 1);
                    slots[k] = static_cast<std::uint32_t>(at);
                }
                at = end + 1;
            }
        } catch (const std::bad_alloc&) {
            slots.clear();
        }
    }

private:
    static std::size_t hash(std::string_view w)
    {
        std::size_t h = 1469598103934665603ull;
        for (const char c : w)
            h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        return h ^ (h >> 29);
    }
    std::string text;
    std::vector<std::uint32_t> slots;  // where each word begins in text, by its hash
};

const WordList& wordList()
{
    static const WordList list;
    return list;
}

bool isShortWord(std::string_view w)
{
    static constexpr std::string_view words[] = {"a",  "i",  "am", "an", "as", "at", "be", "by", "do", "go", "he", "if", "in",
                                                 "is", "it", "me", "my", "no", "of", "ok", "on", "or", "so", "to", "up", "us", "we"};
    return std::find(std::begin(words), std::end(words), w) != std::end(words);
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isTamilCode(const Models& m, char c)
{
    using bamini::Kind;
    const Kind k = m.kind[static_cast<unsigned char>(c)];
    return k == Kind::Consonant || k == Kind::Vowel || k == Kind::Sign || k == Kind::Syllable || k == Kind::UuMark
           || k == Kind::GranthaSign;
}

// What the word costs read as Bamini codes: the model, and each break of the grammar.
int baminiCost(const Models& m, std::string_view word)
{
    using bamini::Kind;
    const bamini::Table& t = bamini::table();
    std::size_t first = 0, last = word.size();
    while (first < last && !isTamilCode(m, word[first]))
        ++first;
    while (last > first && (!isTamilCode(m, word[last - 1]) || (last - first > 1 && !t.atWordEnd[static_cast<unsigned char>(word[last - 1])].empty())))
        --last;
    const std::string_view core = word.substr(first, last - first);
    if (core.empty())
        return 0;
    int cost = m.bamini.cost(core);
    for (std::size_t i = 0; i < core.size(); ++i) {
        const auto b = static_cast<unsigned char>(core[i]);
        const Kind k = m.kind[b];
        if (k == Kind::Vowel && i > 0 && b != '/')
            cost += Grammar;  // a vowel letter begins its word
        if ((k == Kind::Sign && !t.isPrefix(b)) || k == Kind::UuMark || k == Kind::GranthaSign)
            cost += i == 0 ? Grammar : 0;  // a sign follows its letter
        if (t.isPrefix(b) && (i + 1 == core.size() || m.kind[static_cast<unsigned char>(core[i + 1])] != Kind::Consonant))
            cost += Grammar;  // e, ee and ai stand before a consonant
    }
    return cost;
}

// What the word costs read as English: each stretch of letters by the model (or the word
// list), their case, and what stands between them.
// against: what the word costs as Bamini; the word list is looked in only where it could
// make the word cheaper as English than that.
int englishCost(const Models& m, std::string_view word, int against)
{
    std::size_t first = 0, last = word.size();
    while (first < last && !isLetter(word[first]))
        ++first;
    while (last > first && !isLetter(word[last - 1]))
        --last;
    int cost = 0;
    if (last < word.size() && word[last] == ';')
        cost += 60;  // a pulli, far likelier than English's semicolon
    // A code before the first letter that English does not open a word with (ஜ "[" but for
    // a bracket closed in the word, ஈ "<", இ ","...): Bamini's letters, likelier.
    if (first > 0) {
        const char c = word[first - 1];
        const bool opens = c == '(' || c == '"' || c == '\'' || isDigit(c) || c == '-' || c == '.' || c == '#' || c == '$'
                           || (c == '[' && word.find(']', first) != std::string_view::npos);
        cost += opens ? 0 : 60;
    }
    thread_local std::string lower;
    for (std::size_t i = first; i < last;) {
        if (!isLetter(word[i])) {
            const char c = word[i];
            const bool joins = c == '\'' || c == '-' || c == '.' || c == '/' || c == '&' || isDigit(c);
            cost += joins ? 0 : OddInEnglish;
            ++i;
            continue;
        }
        std::size_t j = i;
        int capitals = 0, mixed = 0;
        lower.clear();
        for (; j < last && isLetter(word[j]); ++j) {
            capitals += isUpper(word[j]);
            mixed += j > i && isUpper(word[j]) && !isUpper(word[j - 1]);
            lower += char(word[j] | 0x20);
        }
        const int length = int(j - i);
        int run = m.english.cost(lower);
        const bool allCapitals = capitals == length && length > 1;
        if (allCapitals)
            run = std::min(run, 25 * length + 20);  // an abbreviation or a heading: IBM, GOVT
        // The list has every letter and most pairs of them (abbreviations): a short word is
        // English by the short words English writes.
        if (length <= 2 ? isShortWord(lower) : (against > 100 && run > 100 && wordList().contains(lower)))
            run = std::min(run, 100);
        else if (!allCapitals)
            run += NotListed;
        cost += run + MixedCase * mixed;
        i = j;
    }
    // A code beside digits: 14A(2), 2nd.
    for (std::size_t i = first; i + 1 < last + 1 && i + 1 < word.size(); ++i)
        if ((isDigit(word[i]) && isLetter(word[i + 1])) || (isLetter(word[i]) && isDigit(word[i + 1]))) {
            cost -= 40;
            break;
        }
    return cost;
}

struct Word {
    WordRange range;
    int bamini = 0, english = 0;
    unsigned letters = 0;
};

// A word's costs, kept for the next time it comes.
struct Judged {
    std::uint32_t check = 0;  // the hash's high bits, never 0 for a word kept
    std::int16_t bamini = 0, english = 0;
};

} // namespace

namespace {
// What each byte is to the words: a space between them, a letter, a code no English word
// holds between its letters (Bamini's signs and Grantha letters).
enum : unsigned char { Space = 1, Latin = 2, TamilOnly = 4 };
constexpr std::array<unsigned char, 256> byteClasses()
{
    std::array<unsigned char, 256> c{};
    c[' '] = c['\t'] = Space;
    for (int b = 'a'; b <= 'z'; ++b)
        c[std::size_t(b)] = c[std::size_t(b - 32)] = Latin;
    for (const char b : std::string_view(";[]{}`\\+><,=^#$%*_@"))
        c[static_cast<unsigned char>(b)] = TamilOnly;
    return c;
}
constexpr std::array<unsigned char, 256> ByteClass = byteClasses();

// A word's costs as Bamini and as English. Prose says its words again and again: each word's
// costs are kept, by its hash, for the next time.
constexpr int JudgedBits = 16;  // 512 KB a thread: a second level cache's share
// A cost past the Bamini one by two changes of language is kept as that bound: such a word is
// never English, whatever stands around it.
int cappedEnglish(std::string_view word, int bamini) { return std::min(englishCost(models(), word, bamini), bamini + 2 * Switch + 1); }

void judge(std::string_view line, Word& w)
{
    const std::string_view word = line.substr(w.range.begin, w.range.end - w.range.begin);
    if (word.size() > 64) {  // past what a kept cost holds; and no word prose says again
        w.bamini = baminiCost(models(), word);
        w.english = cappedEnglish(word, w.bamini);
        return;
    }
    std::uint64_t h = 1469598103934665603ull;
    for (const char c : word)
        h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    h = (h ^ word.size()) * 0x9E3779B97F4A7C15ull;
    thread_local std::vector<Judged> judged(std::size_t(1) << JudgedBits);
    Judged& kept = judged[h & (judged.size() - 1)];
    const auto check = static_cast<std::uint32_t>(h >> 32) | 1u;
    if (kept.check != check) {
        kept.check = check;
        // 64 bytes cost less than 64 x 400 as either language: an int16_t holds it.
        const int bamini = baminiCost(models(), word);
        kept.bamini = static_cast<std::int16_t>(bamini);
        kept.english = static_cast<std::int16_t>(std::max(cappedEnglish(word, bamini), int(INT16_MIN)));
    }
    w.bamini = kept.bamini;
    w.english = kept.english;
}

// The English words of a line into english; how many words it has.
std::size_t findEnglish(std::string_view line, std::vector<WordRange>& english)
{
    thread_local std::vector<Word> words;
    thread_local std::vector<unsigned char> from;
    words.clear();
    english.clear();
    std::size_t count = 0;
    bool doubt = false;  // a word the models must judge
    const auto* u = reinterpret_cast<const unsigned char*>(line.data());
    const std::size_t n = line.size();
    for (std::size_t i = 0; i < n;) {
        while (i < n && (ByteClass[u[i]] & Space))
            ++i;
        if (i == n)
            break;
        const std::size_t begin = i;
        // A code no English word holds, after a letter and before the word's end: counted
        // without a branch, the last byte's taken back.
        unsigned letters = 0, before = 0, hits = 0, hit = 0;
        for (; i < n; ++i) {
            const unsigned c = ByteClass[u[i]];
            if (c & Space)
                break;
            hit = (c & (before << 1)) >> 2;  // TamilOnly after Latin
            hits += hit;
            letters += (c & Latin) >> 1;
            before = c;
        }
        const unsigned inside = hits - hit;
        ++count;
        if (letters == 0)
            continue;  // digits and signs read the same either way
        Word w;
        w.range = {begin, i};
        w.letters = letters;
        if (inside > 0) {
            w.english = 10000;  // a pulli or another such code between letters: Bamini for sure
        } else if (letters > 2) {
            judge(line, w);
            doubt = doubt || w.english < w.bamini + 2 * Switch;
        } else {
            w.english = -1;  // judged only where a longer word may be English
        }
        words.push_back(w);
    }
    // A word of one or two letters tells nothing alone: it is English only among English, so
    // where no longer word could be English, none is.
    if (!doubt)
        return count;
    for (Word& w : words)
        if (w.english < 0) {
            judge(line, w);
            w.english = std::max(w.english, w.bamini);
        }
    // The likeliest languages of the words in turn, a change of language costing Switch.
    const std::size_t m = words.size();
    from.resize(m * 2);
    long long cost[2] = {0, 0};
    for (std::size_t k = 0; k < m; ++k) {
        const long long own[2] = {words[k].bamini, words[k].english};
        long long next[2];
        for (int s = 0; s < 2; ++s) {
            const long long stay = cost[s], change = cost[1 - s] + (k > 0 ? Switch : 0);
            from[k * 2 + std::size_t(s)] = stay <= change ? static_cast<unsigned char>(s) : static_cast<unsigned char>(1 - s);
            next[s] = std::min(stay, change) + own[s];
        }
        cost[0] = next[0], cost[1] = next[1];
    }
    int state = cost[1] < cost[0] ? 1 : 0;
    for (std::size_t k = m; k-- > 0;) {
        if (state == 1)
            english.push_back(words[k].range);
        state = from[k * 2 + std::size_t(state)];
    }
    std::reverse(english.begin(), english.end());
    return count;
}
} // namespace

std::vector<WordRange> englishWordsIn(std::string_view line)
{
    std::vector<WordRange> english;
    findEnglish(line, english);
    return english;
}

void EnglishMarker::markStretch(std::string_view codes, std::string& out)
{
    thread_local std::vector<WordRange> english;
    seen += findEnglish(codes, english);
    if (english.empty()) {
        out.append(codes);
        return;
    }
    // English words with nothing but spaces between them are one run of other text.
    std::size_t at = 0;
    for (std::size_t k = 0; k < english.size();) {
        WordRange run = english[k++];
        for (; k < english.size()
               && codes.substr(run.end, english[k].begin - run.end).find_first_not_of(" \t") == std::string_view::npos;
             ++k)
            run.end = english[k].end;
        out.append(codes.substr(at, run.begin - at));
        appendOther(out, codes.substr(run.begin, run.end - run.begin));
        at = run.end;
    }
    marked += english.size();
    out.append(codes.substr(at));
}

// Runs of other text stay as they are; the codes between them are judged a stretch at a time.
void EnglishMarker::markLine(std::string_view line, std::string& out)
{
    std::size_t stretch = 0, i = 0;
    while (i < line.size()) {
        const std::size_t mark = line.find(OtherBegins, i);
        if (mark == std::string_view::npos)
            break;
        i = mark;
        if (i + 1 < line.size() && line[i + 1] == OtherEnds) {  // the code itself
            i += 2;
            continue;
        }
        markStretch(line.substr(stretch, i - stretch), out);
        const std::size_t runBegin = i++;
        while (i < line.size() && line[i] != OtherEnds)
            i += line[i] == OtherBegins ? 2 : 1;
        i = std::min(line.size(), i + 1);
        out.append(line.substr(runBegin, i - runBegin));
        stretch = i;
    }
    markStretch(line.substr(stretch), out);
}

// Each whole line of text, with its line end. Lines are judged each on its own: a long
// stretch is judged in two halves at once, the second on a thread of its own.
void EnglishMarker::markLines(std::string_view text, std::string& out)
{
    constexpr std::size_t Halved = std::size_t(256) << 10;
    if (const std::size_t feed = text.size() >= Halved ? text.find('\n', text.size() / 2) : std::string_view::npos;
        feed != std::string_view::npos && feed + 1 < text.size()) {
        EnglishMarker second;
        std::string later;
        later.reserve(text.size() - feed);
        bothAtOnce([&] { markEachLine(text.substr(0, feed + 1), out); }, [&] { second.markEachLine(text.substr(feed + 1), later); });
        out.append(later);
        marked += second.marked;
        seen += second.seen;
        return;
    }
    markEachLine(text, out);
}

void EnglishMarker::markEachLine(std::string_view text, std::string& out)
{
    for (std::size_t done = 0; done < text.size();) {
        const std::size_t feed = std::min(text.find('\n', done), text.size() - 1);
        std::size_t end = feed + 1;
        while (end > done && (text[end - 1] == '\n' || text[end - 1] == '\r'))
            --end;
        markLine(text.substr(done, end - done), out);
        out.append(text.substr(end, feed + 1 - end));
        done = feed + 1;
    }
}

void EnglishMarker::add(std::string_view bytes, std::string& out)
{
    if (passing) {  // the rest of a line too long to hold: as it is
        const std::size_t feed = bytes.find('\n');
        out.append(bytes.substr(0, feed == std::string_view::npos ? bytes.size() : feed + 1));
        if (feed == std::string_view::npos)
            return;
        passing = false;
        bytes.remove_prefix(feed + 1);
    }
    pending.append(bytes);
    // Lines are gathered to a stretch long enough to be judged in halves at once.
    constexpr std::size_t Gathered = std::size_t(512) << 10;
    const std::size_t last = pending.size() >= Gathered ? pending.rfind('\n') : std::string::npos;
    if (last != std::string::npos) {
        markLines(std::string_view(pending).substr(0, last + 1), out);
        pending.erase(0, last + 1);
    } else if (pending.size() > (std::size_t(2) << 20)) {  // a line past two megabytes is no prose: as it is
        out.append(pending);
        pending.clear();
        passing = true;
    }
}

void EnglishMarker::finish(std::string& out)
{
    markLines(pending, out);
    pending.clear();
}

std::string withEnglishKept(std::string_view bytes, std::size_t* marked)
{
    EnglishMarker marker;
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    marker.add(bytes, out);
    marker.finish(out);
    if (marked)
        *marked = marker.wordsMarked();
    return out;
}

EnglishShare englishShare(std::string_view bytes)
{
    EnglishMarker marker;
    std::string out;
    marker.add(bytes, out);
    marker.finish(out);
    return {marker.wordsMarked(), marker.wordsSeen()};
}

} // namespace orvane
