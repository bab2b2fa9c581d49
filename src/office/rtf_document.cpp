// RTF: a small reader of what a conversion needs (the font table, groups, the text and its
// font, \'hh bytes, \uN characters with their \ucN fallbacks, destinations to skip), and the
// conversion written back into the document's own bytes: text in a font with Bamini's
// layout as \uN characters, the font table's name of that font the Unicode font.

#include "office/office_document.h"
#include "platform/reasons.h"
#include "office/office_shared.h"

#include "document/segments.h"
#include "platform/charset.h"
#include "platform/utf8.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>

namespace orvane::office {

namespace {
constexpr std::size_t MaxDepth = 1000;  // groups within groups

// Destinations whose text is no text of the document.
bool skipped(std::string_view word)
{
    static constexpr std::string_view names[] = {"colortbl", "stylesheet", "info", "pict", "object", "fldinst",
                                                 "themedata", "colorschememapping", "datastore", "latentstyles",
                                                 "listtable", "listoverridetable", "rsidtbl", "generator", "xmlnstbl",
                                                 "mmathPr", "filetbl", "revtbl", "pgdsctbl"};
    return std::find(std::begin(names), std::end(names), word) != std::end(names);
}

// Destinations beside the body: converted, but no text of the body the window opens.
bool besideTheBody(std::string_view word)
{
    static constexpr std::string_view names[] = {"header", "footer", "headerl", "headerr", "headerf", "footerl",
                                                 "footerr", "footerf", "footnote", "annotation",
                                                 // {\upr{text}{\*\ud{the same in Unicode}}}: Word reads the second
                                                 "ud"};
    return std::find(std::begin(names), std::end(names), word) != std::end(names);
}

// Where a destination's text is read in the window: the headers above the body, the notes
// below it, the footers last (as the pages show them); 0 for a text read with the body or none.
enum Place { Body, Headers, Notes, Footers, Places };
int placeOf(std::string_view word)
{
    if (word.starts_with("header"))
        return Headers;
    if (word.starts_with("footer"))
        return Footers;
    return word == "footnote" ? Notes : Body;
}

class RtfConverter {
public:
    RtfConverter(std::string_view rtf, const ConvertOptions& options, ConvertReport& report, bool textOnly)
        : rtf(rtf), options(options), report(report), textOnly(textOnly)
    {
    }

    // The converted document (or, textOnly, the text); false, with why, when it cannot be read.
    bool run(std::string& out, std::string& error)
    {
        std::vector<State> stack{State{}};
        for (std::size_t k = 0; k < rtf.size();) {
            const char c = rtf[k];
            if (c == '{') {
                if (stack.size() >= MaxDepth) {
                    error = "its groups are nested deeper than " + std::to_string(MaxDepth);
                    return false;
                }
                closePiece();
                stack.push_back(stack.back());
                stack.back().fontEntry = stack.back().fontTable;
                ++k;
                continue;
            }
            if (c == '}') {
                closePiece();
                if (stack.size() == 1) {
                    error = "a group closes that never opened";
                    return false;
                }
                if (stack.back().fontTable && !stack[stack.size() - 2].fontTable && fontTableEnd == std::string::npos)
                    fontTableEnd = k;
                if (stack.back().place != stack[stack.size() - 2].place) {  // a header or a note ends
                    if (!itemsAt[place].empty())
                        endParagraph();
                    place = stack[stack.size() - 2].place;
                }
                stack.pop_back();
                ++k;
                continue;
            }
            if (c == '\r' || c == '\n') {
                ++k;
                continue;
            }
            if (c != '\\') {
                character(stack.back(), k, k + 1, static_cast<unsigned char>(c), true);
                ++k;
                continue;
            }
            const std::size_t begin = k++;
            if (k >= rtf.size())
                break;
            const char s = rtf[k];
            if (s == '\'') {  // a byte in hexadecimal
                const std::string hex(rtf.substr(k + 1, 2));
                k = std::min(rtf.size(), k + 3);
                if (hex.size() == 2 && std::isxdigit(static_cast<unsigned char>(hex[0])) && std::isxdigit(static_cast<unsigned char>(hex[1])))
                    character(stack.back(), begin, k, char32_t(std::strtol(hex.c_str(), nullptr, 16)), true);
                continue;
            }
            if (!std::isalpha(static_cast<unsigned char>(s))) {  // a control symbol
                ++k;
                if (s == '\\' || s == '{' || s == '}')
                    character(stack.back(), begin, k, static_cast<unsigned char>(s), true);
                else if (s == '~')
                    character(stack.back(), begin, k, 0xA0, false);
                else if (s == '_')  // a hyphen no line breaks at
                    character(stack.back(), begin, k, 0x2011, false);
                else if (s == '-')  // where a line may break with a hyphen
                    character(stack.back(), begin, k, 0x00AD, false);
                else if (s == '*') {
                    // An ignorable destination: skipped, unless its word names one that holds
                    // text (a footnote as some writers mark it, {\*\footnote ...}).
                    stack.back().starred = true;
                    stack.back().skippedBefore = stack.back().skip;
                    stack.back().skip = true;
                }
                else if ((s == '\n' || s == '\r') && visible(stack.back()))
                    endParagraph();
                continue;
            }
            std::size_t w = k;
            while (w < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[w])) && w - k < 32)
                ++w;
            const std::string_view word = rtf.substr(k, w - k);
            std::size_t n = w + (w < rtf.size() && rtf[w] == '-');
            while (n < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[n])) && n - w < 11)
                ++n;
            const bool hasNumber = n > w && std::isdigit(static_cast<unsigned char>(rtf[n - 1]));
            const long number = hasNumber ? std::strtol(std::string(rtf.substr(w, n - w)).c_str(), nullptr, 10) : 0;
            if (!hasNumber)
                n = w;
            if (n < rtf.size() && rtf[n] == ' ')
                ++n;  // the delimiter, no text
            k = n;
            State& st = stack.back();
            if (st.starred) {
                st.starred = false;
                if (besideTheBody(word)) {
                    st.skip = st.skippedBefore || (textOnly && placeOf(word) == Body);
                    if (textOnly && placeOf(word) != Body)
                        enter(st, placeOf(word));
                    continue;
                }
            }
            if (word == "bin") {
                if (number < 0 || std::size_t(number) > rtf.size() - k) {
                    error = reasons::say<Reason::RtfBinPastEnd>();
                    return false;
                }
                k += std::size_t(number);  // binary data, no text
                continue;
            }
            if (fallback > 0) {  // a control word stands in for the character too
                --fallback;
                extendPiece(begin, k);
                continue;
            }
            if (word == "u") {
                character(st, begin, k, char32_t(number < 0 ? number + 65536 : number), false);
                fallback = std::size_t(st.uc);
            } else if (word == "uc") {
                st.uc = int(std::clamp(number, 0L, 16L));
            } else if (word == "fonttbl") {
                st.fontTable = true;
            } else if (word == "f" && st.fontTable) {
                fontNumber = int(number);
                st.fontEntry = true;
                nameBegin = std::string::npos;
            } else if (word == "f") {
                closePiece();
                st.font = int(number);
            } else if (word == "b" || word == "i" || word == "fs" || word == "plain") {
                closePiece();
                if (word == "b")
                    st.bold = !hasNumber || number != 0;
                else if (word == "i")
                    st.italic = !hasNumber || number != 0;
                else if (word == "fs")
                    st.size = hasNumber ? int(std::clamp(number, 1L, 3276L)) : 24;
                else
                    st.bold = st.italic = false, st.size = 24;
            } else if ((word == "par" || word == "sect" || word == "page" || word == "row") && visible(st)) {
                endParagraph();
            } else if ((word == "cell" || word == "line") && visible(st)) {
                closePiece();
                literal("\n");
            } else if (word == "tab" && visible(st)) {
                character(st, begin, k, '\t', false);
            } else if (textOnly && besideTheBody(word) && placeOf(word) != Body) {
                enter(st, placeOf(word));
            } else if (skipped(word) || (textOnly && besideTheBody(word))) {
                st.skip = true;
            } else if (word == "chftn" && textOnly && visible(st)) {
                // A note's number, where it is referred to and before the note itself; apart
                // from the word before it.
                closePiece();
                literal("[" + std::to_string(++noteNumbers[place == Notes]) + "]");
            } else {
                closePiece();  // formatting between two pieces of a syllable
            }
        }
        endParagraph();
        if (textOnly) {
            // A destination with no text adds no empty lines.
            out.clear();
            for (const int at : {Headers, Body, Notes, Footers}) {
                std::string& t = textAt[at];
                if (at != Body && t.find_first_not_of('\n') == std::string::npos)
                    continue;
                while (t.ends_with('\n'))
                    t.pop_back();
                out += t + '\n';
            }
            while (out.ends_with('\n'))
                out.pop_back();
            return true;
        }
        for (const auto& [number, font] : fonts) {
            report.fonts.insert(font.name);
            // A name written with control symbols or groups in it is left as it is.
            if (options.toUnicode && options.isBamini(font.name) && font.name.find_first_of("\\{}") == std::string::npos)
                edits.push_back({font.begin, font.end, options.unicodeFont});
        }
        if (!options.toUnicode)
            writeCodes();
        out = spliced(std::string(rtf), edits);
        return true;
    }

private:
    struct State {
        int font = -1;
        int uc = 1;
        bool bold = false, italic = false;
        int size = 24;  // half-points
        bool skip = false, fontTable = false, fontEntry = false;
        bool starred = false, skippedBefore = false;  // after \*, until its control word
        int place = Body;
    };
    struct Font {
        std::string name;
        std::size_t begin, end;
        signed char bamini = -1;  // whether it has Bamini's layout, once asked
    };
    struct Piece {
        std::size_t begin = 0, end = 0;  // its bytes in the source
        bool bold = false, italic = false;
        int size = 24;
        int font = -1;
    };
    // A paragraph in order: Tamil codes (each with the piece it came from) and literal text.
    struct Item {
        bool bamini;
        std::string bytes;
        std::vector<std::size_t> pieceOf;
    };
    struct Edit {
        std::size_t begin, end;
        std::string with;
    };

    static bool visible(const State& s) { return !s.skip && !s.fontTable; }

    // The window's reading: the group's text goes where its destination is read.
    void enter(State& s, int at)
    {
        closePiece();
        s.place = place = at;
    }

    void character(const State& s, std::size_t begin, std::size_t end, char32_t c, bool byte)
    {
        if (fallback > 0) {
            --fallback;
            extendPiece(begin, end);
            return;
        }
        if (s.fontEntry) {  // a font's name, up to its ";"
            if (s.skip)
                return;
            if (c == ';' && fontNumber >= 0) {
                const std::size_t from = nameBegin == std::string::npos ? begin : nameBegin;
                // The name is the text before any group in the entry: {\*\falt NAME} only
                // names an alternative.
                std::string name(rtf.substr(from, begin - from));
                name.resize(std::min(name.size(), name.find('{')));
                while (!name.empty() && name.back() == ' ')
                    name.pop_back();
                fonts[fontNumber] = {name, from, from + name.size()};
                fontNumber = -1;
            } else if (nameBegin == std::string::npos && c != ' ') {
                nameBegin = begin;
            }
            return;
        }
        if (!visible(s))
            return;
        if (!options.toUnicode && !textOnly) {
            // Tamil Unicode (written as \uN) is gathered into pieces to be written as codes.
            if (byte || !isTamilLetter(c)) {
                closePiece();
                return;
            }
            if (takeIntoPiece(s, begin, end))
                tamil.emplace_back();
            utf8::append(c, tamil.back());
            ++report.characters;
            return;
        }
        const auto f = fonts.find(s.font);
        if (f != fonts.end() && f->second.bamini < 0)
            f->second.bamini = options.isBamini(f->second.name) ? 1 : 0;
        const bool bamini = f != fonts.end() && f->second.bamini == 1;
        const int code = !bamini ? -1 : byte ? int(c) : c >= 0xF020 && c <= 0xF0FF ? int(c - 0xF000) : charset::toByte(c);
        if (code < 0) {
            closePiece();
            std::string utf8;
            utf8::append(byte ? char32_t(charset::toUnicode(static_cast<unsigned char>(c))) : c, utf8);
            if (bamini)
                ++report.unplaced[utf8];
            literal(utf8);
            return;
        }
        takeIntoPiece(s, begin, end);
        std::vector<Item>& items = itemsAt[place];
        if (items.empty() || !items.back().bamini)
            items.push_back({true, {}, {}});
        items.back().bytes += char(code);
        items.back().pieceOf.push_back(pieces.size());
        ++report.characters;
    }

    // --from-unicode: each piece of Tamil written as its codes in a Bamini font, which the
    // font table gets where it has none.
    void writeCodes()
    {
        if (pieces.empty())
            return;
        int bamini = -1, last = -1;
        for (const auto& [number, font] : fonts) {
            last = std::max(last, number);
            if (bamini < 0 && options.isBamini(font.name))
                bamini = number;
        }
        if (bamini < 0) {
            bamini = last + 1;
            const std::string entry = "{\\f" + std::to_string(bamini) + "\\fnil\\fcharset0 " + options.baminiFont() + ";}";
            if (fontTableEnd != std::string::npos) {
                edits.push_back({fontTableEnd, fontTableEnd, entry});
            } else {
                // Right after the \rtf word (its digits and all), else before everything.
                std::size_t at = rtf.starts_with("{\\rtf") ? 5 : 0;
                while (at > 0 && at < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[at])))
                    ++at;
                edits.push_back({at, at, "{\\fonttbl" + entry + "}"});
            }
        }
        for (std::size_t p = 0; p < pieces.size(); ++p) {
            const std::string codes = baminiCodes(tamil[p], report);
            std::string with = "{\\f" + std::to_string(bamini) + " ";
            for (const char b : codes) {
                const auto u = static_cast<unsigned char>(b);
                if (b == '\\' || b == '{' || b == '}') {
                    with += '\\';
                    with += b;
                } else if (u >= 0x20 && u < 0x80) {
                    with += b;
                } else {
                    static constexpr char hex[] = "0123456789abcdef";
                    with += "\\'";
                    with += hex[u >> 4];
                    with += hex[u & 15];
                }
            }
            edits.push_back({pieces[p].begin, pieces[p].end, with + "}"});
            ++report.runs;
        }
    }

    // The source from begin to end goes into the open piece where it follows on, else into a
    // new one; true when a new piece was opened.
    bool takeIntoPiece(const State& s, std::size_t begin, std::size_t end)
    {
        if (open && piece.end != begin)
            closePiece();
        const bool opened = !open;
        if (opened) {
            piece = {begin, end, s.bold, s.italic, s.size, s.font};
            open = true;
        }
        piece.end = end;
        return opened;
    }

    // The characters after a \uN that stand in for it go with its piece.
    void extendPiece(std::size_t begin, std::size_t end)
    {
        if (open && piece.end == begin)
            piece.end = end;
    }

    void literal(const std::string& utf8)
    {
        std::vector<Item>& items = itemsAt[place];
        if (items.empty() || items.back().bamini)
            items.push_back({false, {}, {}});
        items.back().bytes += utf8;
    }

    void closePiece()
    {
        if (open)
            pieces.push_back(piece);
        open = false;
        piece = Piece{};
    }

    // The paragraph's codes read as segments, each written to the piece its first code is in.
    void endParagraph()
    {
        closePiece();
        if (!options.toUnicode && !textOnly)
            return;  // the pieces of Tamil are written at the end, each on its own
        std::vector<std::string> outputs(pieces.size());
        std::vector<Item>& items = itemsAt[place];
        std::string& text = textAt[place];
        for (const Item& item : items) {
            if (!item.bamini) {
                text += item.bytes;
                continue;
            }
            forEachSegment(item.bytes, [&](const Segment& s) {
                if (!textOnly)  // a note's paragraph may end inside the body's: no pieces for the window
                    outputs[item.pieceOf[s.begin]].append(s.text);
                text.append(s.text);
            });
        }
        for (std::size_t p = 0; p < pieces.size() && !textOnly; ++p) {
            // Tamil Unicode is drawn with the complex-script (associated) font, bold, italic
            // and size, given after \rtlch as word processors write them: the piece's own made
            // theirs, and \ltrch to go on left to right. The space ends the last control word;
            // each \uN ends at its '?'.
            const Piece& piece = pieces[p];
            std::string with = "{\\uc1\\rtlch\\fcs1";
            if (piece.font >= 0)
                with += "\\af" + std::to_string(piece.font);
            with += std::string(piece.bold ? "\\ab" : "\\ab0") + (piece.italic ? "\\ai" : "\\ai0") + "\\afs"
                    + std::to_string(piece.size) + "\\ltrch\\fcs0 ";
            for (std::size_t i = 0; i < outputs[p].size();) {
                const char32_t c = utf8::decodeAt(outputs[p], i);
                if (c >= 0x20 && c < 0x80 && c != '\\' && c != '{' && c != '}')
                    with += char(c);
                else
                    with += "\\u" + std::to_string(c > 32767 ? long(c) - 65536 : long(c)) + "?";
            }
            edits.push_back({pieces[p].begin, pieces[p].end, with + "}"});
            ++report.runs;
        }
        pieces.clear();
        items.clear();
        text += '\n';
    }

    std::string_view rtf;
    const ConvertOptions& options;
    ConvertReport& report;
    const bool textOnly;
    std::map<int, Font> fonts;
    int fontNumber = -1;
    std::size_t nameBegin = std::string::npos;
    std::size_t fallback = 0;  // characters after a \uN that stand in for it
    Piece piece;
    bool open = false;
    std::vector<Piece> pieces;
    // The paragraph being read and the text read, of each place (the body's alone but for
    // the window's reading).
    std::vector<Item> itemsAt[Places];
    std::string textAt[Places];
    int place = Body;
    int noteNumbers[2] = {0, 0};  // references to notes in the text, and the notes' own marks
    std::vector<Edit> edits;
    std::vector<std::string> tamil;  // --from-unicode: each piece's text
    std::size_t fontTableEnd = std::string::npos;  // the font table's closing brace
};
} // namespace

bool rtfText(std::string_view in, const ConvertOptions& options, std::string& text, std::string& error)
{
    ConvertReport report;
    return RtfConverter(in, options, report, true).run(text, error);
}

bool convertRtf(std::string_view in, std::string& out, const ConvertOptions& options, ConvertReport& report,
                std::string& error)
{
    return RtfConverter(in, options, report, false).run(out, error) && balancedAsBefore(in, out, error);
}

} // namespace orvane::office
