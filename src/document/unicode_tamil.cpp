#include "document/unicode_tamil.h"

#include "platform/charset.h"

#include <algorithm>
#include <array>
#include <map>
#include <vector>

namespace orvane {

extern const char* const BaminiTsv;  // resources/bamini.tsv, built in

namespace {

enum class Kind { None, Consonant, Vowel, Sign, Syllable, UuMark, GranthaSign, Punctuation, Itself, Sequence, DrawnAs, Variant };

Kind kindNamed(std::string_view name)
{
    static const std::pair<std::string_view, Kind> kinds[] = {
        {"consonant", Kind::Consonant}, {"vowel", Kind::Vowel},     {"sign", Kind::Sign},
        {"syllable", Kind::Syllable},   {"uu-mark", Kind::UuMark},  {"grantha-sign", Kind::GranthaSign},
        {"punctuation", Kind::Punctuation}, {"itself", Kind::Itself}, {"sequence", Kind::Sequence},
        {"drawn-as", Kind::DrawnAs}, {"variant", Kind::Variant},
    };
    for (const auto& [n, k] : kinds)
        if (n == name)
            return k;
    return Kind::None;
}

// Code points of a few Tamil characters the reading rules name.
constexpr char32_t SignAa = 0x0BBE, SignE = 0x0BC6, SignEe = 0x0BC7, SignAi = 0x0BC8, SignO = 0x0BCA,
                   SignOo = 0x0BCB, SignAu = 0x0BCC, AuLength = 0x0BD7, LetterO = 0x0B92, LetterAu = 0x0B94,
                   LetterRa = 0x0BB0,
                   DottedCircle = 0x25CC;

bool isTamil(char32_t c) { return c >= 0x0B80 && c <= 0x0BFF; }

// Whether the UTF-8 text ends in a Tamil vowel, vowel sign or pulli.
bool endsWithVowel(std::string_view utf8)
{
    if (utf8.size() < 3 || static_cast<unsigned char>(utf8[utf8.size() - 3]) != 0xE0)
        return false;
    const char32_t c = 0x0B80 | ((static_cast<unsigned char>(utf8[utf8.size() - 2]) & 1) << 6)
                       | (static_cast<unsigned char>(utf8[utf8.size() - 1]) & 0x3F);
    const auto second = static_cast<unsigned char>(utf8[utf8.size() - 2]);
    return (second == 0xAE || second == 0xAF)
           && ((c >= 0x0B85 && c <= 0x0B94) || (c >= 0x0BBE && c <= 0x0BCD) || c == 0x0BD7);
}
bool isTamilConsonant(char32_t c) { return c >= 0x0B95 && c <= 0x0BB9; }
bool isDependentSign(char32_t c) { return (c >= 0x0BBE && c <= 0x0BCD) || c == AuLength; }

std::u32string decode(std::string_view utf8)
{
    std::u32string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        int length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        char32_t c = length == 1 ? b : length == 2 ? (b & 0x1F) : length == 3 ? (b & 0x0F) : (b & 0x07);
        bool valid = length > 0 && i + std::size_t(length) <= utf8.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto cont = static_cast<unsigned char>(utf8[i + std::size_t(k)]);
            valid = (cont >> 6) == 2;
            c = (c << 6) | (cont & 0x3F);
        }
        if (valid && (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) || (length == 2 && c < 0x80)
                      || (length == 3 && c < 0x800) || (length == 4 && c < 0x10000)))
            valid = false;
        out += valid ? c : char32_t(0xFFFD);
        i += valid ? std::size_t(length) : 1;
    }
    return out;
}

void encode(char32_t c, std::string& out)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

struct Table {
    std::array<std::u32string, 256> meaning;  // of each single code
    std::array<Kind, 256> kind{};
    std::vector<std::pair<std::string, std::u32string>> sequences;  // longest first
    std::map<std::u32string, std::string> codes;                    // Unicode to codes
    unsigned char kaal = 0, pulli = 0, i = 0, ii = 0, e = 0, ee = 0, ai = 0, au = 0, u = 0, uu = 0;

    bool isPrefix(unsigned char b) const { return b != 0 && (b == e || b == ee || b == ai); }
    bool attaches(unsigned char b) const { return b != 0 && (b == kaal || b == i || b == ii || b == pulli); }
    // What follows the kaal when it is the letter ra, not the sign aa.
    bool followsRaKaal(unsigned char b) const { return b != 0 && (b == i || b == ii || b == pulli); }

    Table()
    {
        std::string_view tsv = BaminiTsv;
        bool header = true;
        while (!tsv.empty()) {
            const std::size_t end = tsv.find('\n');
            std::string_view line = tsv.substr(0, end);
            tsv.remove_prefix(end == std::string_view::npos ? tsv.size() : end + 1);
            if (line.empty() || line.starts_with("# "))
                continue;
            if (header) {
                header = false;
                continue;
            }
            const std::size_t t1 = line.find('\t'), t2 = line.find('\t', t1 + 1);
            const std::string code(line.substr(0, t1));
            const std::u32string text = decode(line.substr(t1 + 1, t2 - t1 - 1));
            const Kind k = kindNamed(line.substr(t2 + 1));
            add(code, text, k);
        }
        std::stable_sort(sequences.begin(), sequences.end(),
                         [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
    }

    void add(const std::string& code, const std::u32string& text, Kind k)
    {
        if (k == Kind::Sequence) {
            sequences.emplace_back(code, text);
            codes[text] = code;
            return;
        }
        if (k == Kind::DrawnAs) {
            codes.emplace(text, code);
            return;
        }
        if (k == Kind::Variant) {  // read like the letter it draws, never written
            if (code.size() > 1) {
                sequences.emplace_back(code, text);
            } else {
                meaning[static_cast<unsigned char>(code[0])] = text;
                kind[static_cast<unsigned char>(code[0])] = Kind::Syllable;
            }
            return;
        }
        const auto b = static_cast<unsigned char>(code[0]);
        meaning[b] = text;
        kind[b] = k;
        if (k == Kind::Sign) {
            switch (text[0]) {
            case SignAa: kaal = b; break;
            case 0x0BBF: i = b; break;
            case 0x0BC0: ii = b; break;
            case 0x0BCD: pulli = b; break;
            case SignE: e = b; break;
            case SignEe: ee = b; break;
            case SignAi: ai = b; break;
            default: break;
            }
        }
        if (k == Kind::Consonant && text == U"\u0BB3")
            au = b;  // the au length mark is drawn as the letter lla
        if (k == Kind::GranthaSign)
            (text == U"\u0BC1" ? u : uu) = b;
        if (k != Kind::UuMark)
            codes.emplace(text, code);
    }
};

const Table& table()
{
    static const Table t;
    return t;
}

std::u32string composeTamil(std::u32string text)
{
    std::u32string out;
    out.reserve(text.size());
    for (const char32_t c : text) {
        if (!out.empty()) {
            char32_t& last = out.back();
            if (c == SignAa && (last == SignE || last == SignEe)) {
                last = last == SignE ? SignO : SignOo;
                continue;
            }
            if (c == AuLength && (last == SignE || last == LetterO)) {
                last = last == SignE ? SignAu : LetterAu;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace

std::string baminiToUnicode(std::string_view bytes)
{
    const Table& t = table();
    std::string out;
    out.reserve(bytes.size() * 2);
    auto at = [&](std::size_t k) -> unsigned char { return k < bytes.size() ? static_cast<unsigned char>(bytes[k]) : 0; };
    // Whether the code at k is a sign of the letter before it (the kaal before i, ii or
    // the pulli is the letter ra instead).
    auto signAt = [&](std::size_t k) {
        return t.attaches(at(k)) && !(at(k) == t.kaal && t.followsRaKaal(at(k + 1)));
    };
    auto emit = [&](const std::u32string& s) {
        for (const char32_t c : s)
            encode(c, out);
    };
    for (std::size_t k = 0; k < bytes.size();) {
        const unsigned char b = at(k);
        if (b == '\r' || b == '\n') {
            out += '\n';
            k += (b == '\r' && at(k + 1) == '\n') ? 2 : 1;
            continue;
        }
        // A sign before its consonant: e, ee, ai; with the kaal after it o and oo; with
        // lla after it (and no sign of lla's own) au.
        if (t.isPrefix(b) && t.kind[at(k + 1)] == Kind::Consonant) {
            emit(t.meaning[at(k + 1)]);
            const unsigned char after = at(k + 2);
            if (after == t.kaal && b != t.ai && !t.followsRaKaal(at(k + 3))) {
                encode(b == t.e ? SignO : SignOo, out);
                k += 3;
            } else if (after == t.au && b == t.e && !signAt(k + 3)) {
                encode(SignAu, out);
                k += 3;
            } else {
                emit(t.meaning[b]);
                k += 2;
            }
            continue;
        }
        // A sign with no letter after it stands on a dotted circle, so that it does not
        // join the letter before it.
        if (t.isPrefix(b)) {
            encode(DottedCircle, out);
            emit(t.meaning[b]);
            ++k;
            continue;
        }
        bool matched = false;
        for (const auto& [codes, text] : t.sequences) {
            if (bytes.substr(k).starts_with(codes)
                && !(static_cast<unsigned char>(codes.back()) == t.au && signAt(k + codes.size()))) {
                emit(text);
                k += codes.size();
                matched = true;
                break;
            }
        }
        if (matched)
            continue;
        if (t.kind[b] == Kind::Consonant) {
            emit(t.meaning[b]);
            ++k;
            if (signAt(k)) {
                emit(t.meaning[at(k)]);
                ++k;
            }
            continue;
        }
        // The kaal after a letter that already has its vowel (or pulli) can be no aa sign:
        // it stands for ra, which it draws alone.
        if (b == t.kaal && endsWithVowel(out)) {
            encode(LetterRa, out);
            ++k;
            continue;
        }
        // "+", "}", "{" and "_" mean something only after their letters, read above.
        if (!t.meaning[b].empty() && t.kind[b] != Kind::UuMark && t.kind[b] != Kind::GranthaSign)
            emit(t.meaning[b]);
        else
            encode(charset::toUnicode(b), out);
        ++k;
    }
    return out;
}

std::string unicodeToBamini(std::string_view utf8)
{
    const Table& t = table();
    const std::u32string text = composeTamil(decode(utf8));
    std::string out;
    out.reserve(text.size());
    auto codeOf = [&](const std::u32string& s) -> const std::string* {
        const auto it = t.codes.find(s);
        return it == t.codes.end() ? nullptr : &it->second;
    };
    for (std::size_t k = 0; k < text.size();) {
        const char32_t c = text[k];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            k += (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ? 2 : 1;
            continue;
        }
        if (c == DottedCircle && k + 1 < text.size() && isDependentSign(text[k + 1])) {
            ++k;  // only the sign is written
            continue;
        }
        // Longest first: sri before sa, a syllable before its consonant.
        bool matched = false;
        for (std::size_t length = std::min<std::size_t>(4, text.size() - k); length >= 2 && !matched; --length) {
            if (const std::string* codes = codeOf(text.substr(k, length))) {
                out += *codes;
                k += length;
                matched = true;
            }
        }
        if (matched)
            continue;
        if (isTamilConsonant(c) && k + 1 < text.size() && isDependentSign(text[k + 1]) && codeOf({c})) {
            const std::string& base = *codeOf({c});
            const char32_t sign = text[k + 1];
            k += 2;
            switch (sign) {
            case SignE: case SignEe: case SignAi:
                out += *codeOf({sign});
                out += base;
                break;
            case SignO: case SignOo:
                out += char(sign == SignO ? t.e : t.ee);
                out += base;
                out += char(t.kaal);
                break;
            case SignAu:
                out += char(t.e);
                out += base;
                out += char(t.au);
                break;
            default:
                out += base;
                if (const std::string* s = codeOf({sign}))
                    out += *s;
                else
                    out += '?';
            }
            continue;
        }
        ++k;
        if (const std::string* codes = codeOf({c})) {
            out += *codes;
        } else if (c == SignO || c == SignOo || c == SignAu) {  // a two-part sign with no letter
            out += char(c == SignOo ? t.ee : t.e);
            out += char(c == SignAu ? t.au : t.kaal);
        } else if (const int b = charset::toByte(c); b >= 0 && !isTamil(c)) {
            out += char(b);
        } else {
            out += '?';
        }
    }
    return out;
}

bool containsTamil(std::string_view utf8)
{
    // Every character of the block is E0 AE xx or E0 AF xx in UTF-8.
    for (std::size_t k = 0; k + 1 < utf8.size(); ++k)
        if (static_cast<unsigned char>(utf8[k]) == 0xE0
            && (static_cast<unsigned char>(utf8[k + 1]) == 0xAE || static_cast<unsigned char>(utf8[k + 1]) == 0xAF))
            return true;
    return false;
}

} // namespace orvane
