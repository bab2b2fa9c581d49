#pragma once
// Deterministic romanised text for the benchmarks: syllables, spaces and line ends in the
// proportions of ordinary prose.

#include <string>

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

} // namespace orvane::bench
