#pragma once
// The composition tables: which key picks which consonant row and vowel column, and
// the Bamini glyph string of every syllable.

#include <array>
#include <string>

namespace orvane {

struct CompositionTables {
    static constexpr int VowelCount = 13;      // VowelKeys 1..13, SyllableTable columns
    static constexpr int ConsonantCount = 22;  // ConsonantKeys 1..22, SyllableTable rows
    static constexpr int PulliColumn = 13;     // the consonant with the pulli sign

    // Rows 0..25, columns 0..13. Row 0 holds the bare vowels; column 0 and rows 23..25
    // stay empty. Cells are key strings: "{c}" stands for the one character c.
    std::array<std::array<std::string, 14>, 26> SyllableTable;
    std::array<std::string, VowelCount + 1> VowelKeys;
    std::array<std::string, ConsonantCount + 1> ConsonantKeys;

    void FillSyllableTable();
    void FillVowelKeys();
    void FillConsonantKeys();

    // The index of the entry equal to the key's one-character string, 0 for none.
    // Every index is compared and the highest match wins.
    int vowelIndexOf(int keyCode) const;
    int consonantIndexOf(int keyCode) const;
};

} // namespace orvane
