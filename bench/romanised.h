#pragma once
// Deterministic romanised text for the benchmarks: syllables, spaces and line ends in the
// proportions of ordinary prose.

#include <iterator>
#include <string>
#include <vector>

namespace orvane::bench {

inline std::string romanisedText(std::size_t bytes)
{
    static const char consonants[] = "kctdpRyrlvLzgGOnmojhSs";
    static const char vowels[] = "aAiIuUeEyoOY.";
    std::string text;
    text.reserve(bytes + 64);
    unsigned state = 12345;
    auto next = [&state](unsigned n) {
        state = state * 1103515245u + 12345u;
        return (state >> 16) % n;
    };
    while (text.size() < bytes) {
        text += consonants[next(22)];
        text += vowels[next(13)];
        const unsigned r = next(16);
        if (r < 4)
            text += ' ';
        else if (r == 4)
            text += '\n';
    }
    text.resize(bytes);
    return text;
}

// Prose with a large vocabulary: 50,000 words of one to five syllables drawn from the whole
// table (vowels alone at a word's start, every consonant with every vowel and the pulli),
// the common words often and the rare ones seldom, with commas, full stops and line ends.
// No stretch of it repeats, so that no reader can learn it.
inline std::string variedProse(std::size_t bytes)
{
    static const char* const consonants[] = {"k", "c", "t", "d", "p", "R", "y", "r", "l", "v", "L",
                                             "z", "g", "G", "O", "n", "m", "o", "j", "h", "S", "s"};
    // Each vowel as often as it comes in Tamil prose, roughly: the inherent a and the pulli
    // most, the signs written before their letter (e, ee, ai, o, oo, au) in one syllable of
    // seven.
    static const char* const vowels[] = {"a", "a", "a", "a", "a", "a", ".", ".", ".", ".", ".", "A", "A",
                                         "i", "i", "u", "u", "y", "e", "E", "o", "I", "U", "O", "Y"};
    unsigned state = 2024;
    auto next = [&state](unsigned n) {
        state = state * 1103515245u + 12345u;
        return (state >> 8) % n;
    };
    std::vector<std::string> words(50000);
    for (std::string& word : words) {
        const unsigned syllables = 1 + next(5);
        if (next(6) == 0)
            word += "aAiIuUeEyoO"[next(11)];
        for (unsigned k = 0; k < syllables; ++k) {
            word += consonants[next(std::size(consonants))];
            word += vowels[next(std::size(vowels))];
        }
    }
    std::string text;
    text.reserve(bytes + 64);
    while (text.size() < bytes) {
        // Skewed towards the first words, as a language's words are.
        const double u = double(next(1u << 20)) / double(1u << 20);
        text += words[std::size_t(u * u * u * double(words.size()))];
        const unsigned r = next(24);
        text += r == 0 ? ", " : r == 1 ? ". " : r == 2 ? "\n" : " ";
    }
    text.resize(bytes);
    return text;
}

} // namespace orvane::bench
