#include "document/bamini_table.h"

#include "document/table_rows.h"
#include "platform/charset.h"
#include "platform/utf8.h"

#include <algorithm>
#include <string_view>

namespace orvane {
extern const char* const BaminiTsv;  // resources/bamini.tsv, built in
}

namespace orvane::bamini {

namespace {
enum class Row { None, Consonant, Vowel, Sign, Syllable, UuMark, GranthaSign, Punctuation, Itself, Sequence, DrawnAs, Variant,
                 WordEnd, Slip };

Row rowNamed(std::string_view name)
{
    static const std::pair<std::string_view, Row> rows[] = {
        {"consonant", Row::Consonant}, {"vowel", Row::Vowel},         {"sign", Row::Sign},
        {"syllable", Row::Syllable},   {"uu-mark", Row::UuMark},       {"grantha-sign", Row::GranthaSign},
        {"punctuation", Row::Punctuation}, {"itself", Row::Itself},   {"sequence", Row::Sequence},
        {"drawn-as", Row::DrawnAs},    {"variant", Row::Variant},    {"word-end", Row::WordEnd},
        {"slip", Row::Slip},
    };
    for (const auto& [n, r] : rows)
        if (n == name)
            return r;
    return Row::None;
}

std::string utf8Of(const std::u32string& text)
{
    std::string out;
    for (const char32_t c : text)
        utf8::append(c, out);
    return out;
}

Table load()
{
    Table t;
    for (int b = 0; b < 256; ++b) {
        utf8::append(charset::toUnicode(static_cast<unsigned char>(b)), t.plain[std::size_t(b)]);
        t.utf8[std::size_t(b)] = t.plain[std::size_t(b)];
    }
    forEachTableRow(BaminiTsv, [&t](std::string_view line) {
        const std::size_t t1 = line.find('\t'), t2 = line.find('\t', t1 + 1);
        const std::string code(line.substr(0, t1));
        const std::u32string text = utf8::decode(line.substr(t1 + 1, t2 - t1 - 1));
        const Row row = rowNamed(line.substr(t2 + 1));
        const auto b = static_cast<unsigned char>(code[0]);
        switch (row) {
        case Row::Sequence:
        case Row::Variant:
            if (code.size() > 1) {
                t.sequences[b].push_back({code, utf8Of(text), false});
                if (row == Row::Sequence)
                    t.codes[text] = code;
                return;
            }
            t.utf8[b] = utf8Of(text);  // a single code of another writer: read as what it draws
            t.kind[b] = Kind::Syllable;
            return;
        case Row::WordEnd:
            t.atWordEnd[b] = utf8Of(text);
            return;
        case Row::Slip:
            t.slip[b] = true;
            return;
        case Row::DrawnAs:
            t.codes.emplace(text, code);
            t.drawnAs.insert(text);
            return;
        default:
            break;
        }
        t.utf8[b] = utf8Of(text);
        t.kind[b] = Kind(int(row));
        if (row == Row::Sign) {
            switch (text[0]) {
            case SignAa: t.kaal = b; break;
            case 0x0BBF: t.i = b; break;
            case 0x0BC0: t.ii = b; break;
            case 0x0BCD: t.pulli = b; break;
            case SignE: t.e = b; break;
            case SignEe: t.ee = b; break;
            case SignAi: t.ai = b; break;
            default: break;
            }
        }
        if (row == Row::Consonant && text == U"\u0BB3")
            t.au = b;  // the au length mark is drawn as the letter lla
        if (row != Row::UuMark)
            t.codes.emplace(text, code);
    });
    for (auto& list : t.sequences) {
        std::stable_sort(list.begin(), list.end(), [](const Sequence& a, const Sequence& b) {
            return a.codes.size() > b.codes.size();
        });
        for (Sequence& s : list)
            s.unlessSignAfter = static_cast<unsigned char>(s.codes.back()) == t.au
                                || static_cast<unsigned char>(s.codes.back()) == t.kaal;
    }
    return t;
}
} // namespace

const Table& table()
{
    static const Table t = load();
    return t;
}

} // namespace orvane::bamini
