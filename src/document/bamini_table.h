#pragma once
// resources/bamini.tsv, read once into the form that the reader and the writer of Bamini
// work from: what each code means and how it behaves, the code sequences that read as one
// syllable, and the codes that write each piece of Unicode Tamil.

#include <array>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::bamini {

enum class Kind : unsigned char { None, Consonant, Vowel, Sign, Syllable, UuMark, GranthaSign, Punctuation, Itself };

struct Sequence {
    std::string codes;
    std::string utf8;
    // "xs" (the au length mark) and "Jh" (the uu sign by the kaal): only when no sign of the
    // second code follows ("Jhp" is து and ரி)
    bool unlessSignAfter = false;
};

// Code points the reading rules name.
constexpr char32_t SignAa = 0x0BBE, SignE = 0x0BC6, SignEe = 0x0BC7, SignAi = 0x0BC8, SignO = 0x0BCA,
                   SignOo = 0x0BCB, SignAu = 0x0BCC, AuLength = 0x0BD7, LetterO = 0x0B92, LetterAu = 0x0B94,
                   LetterRa = 0x0BB0, DottedCircle = 0x25CC;

struct Table {
    // UTF-8 of each code: what it means, or else the character the 8-bit set gives it
    // (plain), which is also what the marks of the uu forms read as with no letter before.
    std::array<std::string, 256> utf8;
    std::array<std::string, 256> plain;
    std::array<Kind, 256> kind{};
    std::array<std::vector<Sequence>, 256> sequences;  // by first code, longest first
    std::map<std::u32string, std::string> codes;         // Unicode to codes
    std::set<std::u32string> drawnAs;  // Unicode whose codes draw another syllable (ஞு as ஞ)
    unsigned char kaal = 0, pulli = 0, i = 0, ii = 0, e = 0, ee = 0, ai = 0, au = 0;
    // Codes read otherwise at a word's end, after a letter (the comma key: a comma there),
    // and codes that draw nothing after a letter that has its vowel or pulli (a second pulli).
    std::array<std::string, 256> atWordEnd;
    std::array<bool, 256> slip{};

    bool isPrefix(unsigned char b) const { return b != 0 && (b == e || b == ee || b == ai); }
    bool attaches(unsigned char b) const { return b != 0 && (b == kaal || b == i || b == ii || b == pulli); }
    // What follows the kaal when it is the letter ra, not the sign aa.
    bool followsRaKaal(unsigned char b) const { return b != 0 && (b == i || b == ii || b == pulli); }
};

const Table& table();

} // namespace orvane::bamini
