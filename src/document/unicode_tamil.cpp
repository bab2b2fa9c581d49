#include "document/unicode_tamil.h"

#include "document/bamini_table.h"
#include "document/other_text.h"
#include "document/segments.h"
#include "platform/both_at_once.h"
#include "platform/charset.h"
#include "platform/utf8.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <vector>

namespace orvane {

namespace {
using namespace bamini;

bool isTamil(char32_t c) { return c >= 0x0B80 && c <= 0x0BFF; }
bool isTamilConsonant(char32_t c) { return c >= 0x0B95 && c <= 0x0BB9; }
bool isDependentSign(char32_t c) { return (c >= 0x0BBE && c <= 0x0BCD) || c == AuLength; }

// The text's code points with the two-part signs written as one (e + aa is o), decoded into
// a buffer kept between calls: ill-formed bytes become U+FFFD, one for each byte.
const std::u32string& decodeComposed(std::string_view utf8)
{
    static thread_local std::u32string out;
    out.resize(utf8.size());
    char32_t* o = out.data();
    char32_t* const begin = o;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            *o++ = b;
            ++i;
            continue;
        }
        const char32_t c = utf8::decodeAt(utf8, i);
        if (o != begin) {
            char32_t& last = o[-1];
            if (c == SignAa && (last == SignE || last == SignEe)) {
                last = last == SignE ? SignO : SignOo;
                continue;
            }
            if (c == AuLength && (last == SignE || last == LetterO)) {
                last = last == SignE ? SignAu : LetterAu;
                continue;
            }
        }
        *o++ = c;
    }
    out.resize(std::size_t(o - begin));
    return out;
}

// The codes of every piece of Unicode Tamil Bamini has codes for, as a trie over code
// points: the longest piece at a place is found in one walk.
struct CodeTrie {
    struct Node {
        int codes = -1;  // index in outputs, or none
        bool drawnAs = false;  // those codes draw another syllable
        std::vector<std::pair<char32_t, int>> children;
    };
    std::vector<Node> nodes{1};
    std::vector<std::string> outputs;
    std::array<int, 0x100> root{};  // the children of the root for ASCII and the Tamil block
    std::size_t longestOutput = 2;

    static int rootSlot(char32_t c) { return c < 0x80 ? int(c) : isTamil(c) ? int(0x80 + (c - 0x0B80)) : -1; }

    int child(int node, char32_t c) const
    {
        if (node == 0)
            if (const int slot = rootSlot(c); slot >= 0)
                return root[std::size_t(slot)];
        for (const auto& [key, next] : nodes[std::size_t(node)].children)
            if (key == c)
                return next;
        return -1;
    }
    // The codes of the one code point c, or null.
    const std::string* single(char32_t c) const
    {
        const int node = child(0, c);
        return node < 0 || nodes[std::size_t(node)].codes < 0 ? nullptr : &outputs[std::size_t(nodes[std::size_t(node)].codes)];
    }

    explicit CodeTrie(const Table& t)
    {
        root.fill(-1);
        for (const auto& [text, codes] : t.codes) {
            int node = 0;
            for (const char32_t c : text) {
                int next = child(node, c);
                if (next < 0) {
                    next = int(nodes.size());
                    nodes.emplace_back();
                    if (const int slot = node == 0 ? rootSlot(c) : -1; slot >= 0)
                        root[std::size_t(slot)] = next;
                    else
                        nodes[std::size_t(node)].children.emplace_back(c, next);
                }
                node = next;
            }
            nodes[std::size_t(node)].codes = int(outputs.size());
            nodes[std::size_t(node)].drawnAs = t.drawnAs.contains(text);
            outputs.push_back(codes);
            longestOutput = std::max(longestOutput, codes.size());
        }
    }
};

const CodeTrie& codeTrie()
{
    static const CodeTrie trie(table());
    return trie;
}

} // namespace

std::string baminiToUnicode(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    SegmentReader().appendText(bytes, true, out);
    return out;
}

std::string unicodeToBamini(std::string_view utf8)
{
    UnicodeReading reading;
    return unicodeToBamini(utf8, reading);
}

namespace {
std::string readUnicode(std::string_view utf8, UnicodeReading& reading);
std::string readInHalves(std::string_view utf8, std::size_t feed, UnicodeReading& reading);
} // namespace

std::string unicodeToBamini(std::string_view utf8, UnicodeReading& reading)
{
    // A long text is read in two halves at once, the second on a thread of its own: each
    // line is read on its own, so the halves meet at a line feed.
    constexpr std::size_t Halved = std::size_t(128) << 10;
    const std::size_t feed = utf8.size() >= Halved ? utf8.find('\n', utf8.size() / 2) : std::string_view::npos;
    if (feed == std::string_view::npos || feed + 1 >= utf8.size())
        return readUnicode(utf8, reading);
    const UnicodeReading given = reading;
    try {
        return readInHalves(utf8, feed, reading);
    } catch (const std::bad_alloc&) {
        reading = given;  // no room for a second thread's share: one after the other
        return readUnicode(utf8, reading);
    }
}

namespace {
std::string readInHalves(std::string_view utf8, std::size_t feed, UnicodeReading& reading)
{
    UnicodeReading second = reading;
    std::string out, later;
    bothAtOnce([&] { out = readUnicode(utf8.substr(0, feed + 1), reading); },
               [&] { later = readUnicode(utf8.substr(feed + 1), second); });
    out += later;
    reading.unconvertible += second.unconvertible;
    reading.drawnAs += second.drawnAs;
    return out;
}

std::string readUnicode(std::string_view utf8, UnicodeReading& reading)
{
    std::size_t lost = 0, drawnAs = 0;
    const bool keepOther = reading.other == UnicodeReading::AsOtherText;
    bool inOther = false;  // a run of other text is open
    const Table& t = table();
    const CodeTrie& trie = codeTrie();
    const std::u32string& text = decodeComposed(utf8);
    const std::size_t n = text.size();
    // Room for the most any code point can write: its longest codes (each doubled, should
    // one be OtherBegins), a sign's three, or a character of other text with its run's marks.
    std::string out(n * std::max<std::size_t>(trie.longestOutput, 6) + 8, '\0');
    char* o = out.data();
    auto endOther = [&] {
        if (inOther)
            *o++ = OtherEnds;
        inOther = false;
    };
    auto put = [&](const std::string& codes) {
        endOther();
        for (const char code : codes) {
            *o++ = code;
            if (code == OtherBegins)
                *o++ = OtherEnds;
        }
    };
    auto code = [&](char b) { put(std::string(1, b)); };
    // A character no code means, kept as other text.
    auto other = [&](char32_t c) {
        if (!inOther)
            *o++ = OtherBegins;
        inOther = true;
        std::string bytes;
        utf8::append(c, bytes);
        for (const char b : bytes) {
            if (b == OtherBegins || b == OtherEnds)
                *o++ = OtherBegins;
            *o++ = b;
        }
    };
    for (std::size_t k = 0; k < n;) {
        const char32_t c = text[k];
        if (c == '\r' || c == '\n') {
            endOther();
            *o++ = '\r';
            *o++ = '\n';
            k += (c == '\r' && k + 1 < n && text[k + 1] == '\n') ? 2 : 1;
            continue;
        }
        if (c == DottedCircle && k + 1 < n && isDependentSign(text[k + 1])) {
            ++k;  // only the sign is written
            continue;
        }
        // Longest first: sri before sa, a syllable before its consonant.
        const int first = trie.child(0, c);
        int node = first, found = -1;
        std::size_t length = 1, foundLength = 0;
        bool foundDrawnAs = false;
        while (node >= 0 && length < 4 && k + length < n) {
            node = trie.child(node, text[k + length]);
            ++length;
            if (node >= 0 && trie.nodes[std::size_t(node)].codes >= 0) {
                found = trie.nodes[std::size_t(node)].codes;
                foundLength = length;
                foundDrawnAs = trie.nodes[std::size_t(node)].drawnAs;
            }
        }
        if (found >= 0) {
            drawnAs += foundDrawnAs;
            put(trie.outputs[std::size_t(found)]);
            k += foundLength;
            continue;
        }
        const std::string* letter = first >= 0 && trie.nodes[std::size_t(first)].codes >= 0
                                     ? &trie.outputs[std::size_t(trie.nodes[std::size_t(first)].codes)]
                                     : nullptr;
        if (letter && isTamilConsonant(c) && k + 1 < n && isDependentSign(text[k + 1])) {
            const char32_t sign = text[k + 1];
            k += 2;
            switch (sign) {
            case SignE: case SignEe: case SignAi:
                if (const std::string* s = trie.single(sign))
                    put(*s);
                put(*letter);
                break;
            case SignO: case SignOo:
                code(char(sign == SignO ? t.e : t.ee));
                put(*letter);
                code(char(t.kaal));
                break;
            case SignAu:
                code(char(t.e));
                put(*letter);
                code(char(t.au));
                break;
            default:
                put(*letter);
                if (const std::string* s = trie.single(sign)) {
                    put(*s);
                } else if (keepOther) {
                    other(sign);
                } else {
                    code('?');
                    ++lost;
                }
            }
            continue;
        }
        ++k;
        if (letter) {
            put(*letter);
        } else if (c == SignO || c == SignOo || c == SignAu) {  // a two-part sign with no letter
            code(char(c == SignOo ? t.ee : t.e));
            code(char(c == SignAu ? t.au : t.kaal));
        } else if (keepOther && c != 0xFFFD) {
            other(c);
        } else if (const int b = charset::toByte(c); b >= 0 && !isTamil(c) && c != 0xFFFD) {
            code(char(b));
        } else {
            code('?');
            ++lost;
        }
    }
    endOther();
    out.resize(std::size_t(o - out.data()));
    reading.unconvertible = lost;
    reading.drawnAs = drawnAs;
    return out;
}
} // namespace

std::string pastedText(std::string_view utf8, PastedAs as)
{
    if (utf8.starts_with("\xEF\xBB\xBF"))
        utf8.remove_prefix(3);
    UnicodeReading reading;
    if (as == PastedAs::Unicode) {
        reading.other = UnicodeReading::AsOtherText;
        return unicodeToBamini(utf8, reading);
    }
    // Bamini typed elsewhere: each character is the code of its 8-bit byte (";" is the
    // pulli, not a semicolon), Tamil Unicode among it its codes, line breaks CR LF.
    std::string out;
    std::size_t tamil = std::string_view::npos;  // where a stretch of Tamil Unicode began
    auto endTamil = [&](std::size_t at) {
        if (tamil != std::string_view::npos)
            out += unicodeToBamini(utf8.substr(tamil, at - tamil), reading);
        tamil = std::string_view::npos;
    };
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t at = i;
        const char32_t c = utf8::decodeAt(utf8, i);
        if (isTamil(c) || c == DottedCircle) {
            if (tamil == std::string_view::npos)
                tamil = at;
            continue;
        }
        endTamil(at);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i < utf8.size() && utf8[i] == '\n')
                ++i;
            out += "\r\n";
            continue;
        }
        const int b = c == 0xFFFD ? -1 : charset::toByte(c);
        appendCode(out, b < 0 ? '?' : static_cast<unsigned char>(b));
    }
    endTamil(utf8.size());
    return out;
}

PastedAs plainTextReading(std::string_view utf8, bool unicodeDocument)
{
    return unicodeDocument || utf8::containsTamil(utf8) ? PastedAs::Unicode : PastedAs::Bamini;
}

std::string withoutLastCharacter(std::string_view codes)
{
    std::string unicode = baminiToUnicode(codes);
    std::size_t last = unicode.empty() ? 0 : unicode.size() - 1;  // where its last character begins
    while (last > 0 && utf8::isContinuation(static_cast<unsigned char>(unicode[last])))
        --last;
    if (last == 0)
        return {};
    unicode.resize(last);
    return unicodeToBamini(unicode);
}

} // namespace orvane
