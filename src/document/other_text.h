#pragma once
// A document holds two kinds of text: Tamil, as its Bamini codes (a byte each, CR LF between
// lines), and other text: English, and every character no Bamini code means, kept as it is.
// In the document's bytes, other text is UTF-8 between OtherBegins and OtherEnds, within one
// line. A Tamil code that is OtherBegins is written OtherBegins OtherEnds; inside other text,
// OtherBegins quotes the byte after it (so that U+000E and U+000F can be held too).
//
// A .tam file holds Tamil only; a Unicode file holds both.

#include "platform/utf8.h"

#include <string>
#include <string_view>

namespace orvane {

inline constexpr char OtherBegins = '\x0E';
inline constexpr char OtherEnds = '\x0F';

// Appends one Tamil code to a document's bytes.
inline void appendCode(std::string& out, unsigned char code)
{
    out += char(code);
    if (char(code) == OtherBegins)
        out += OtherEnds;
}

// Appends other text (UTF-8 without line ends) to a document's bytes, as a run of its own.
inline void appendOther(std::string& out, std::string_view utf8)
{
    if (utf8.empty())
        return;
    out += OtherBegins;
    for (const char c : utf8) {
        if (c == OtherBegins || c == OtherEnds)
            out += OtherBegins;
        out += c;
    }
    out += OtherEnds;
}

// Whether a document's bytes hold any other text.
inline bool holdsOther(std::string_view bytes)
{
    for (std::size_t at = bytes.find(OtherBegins); at != std::string_view::npos; at = bytes.find(OtherBegins, at + 2))
        if (at + 1 < bytes.size() && bytes[at + 1] != OtherEnds)
            return true;
    return false;
}

// Whether a run of other text is open at the end of bytes, given whether one was at their
// start: found a marker at a time, so that text with English in it can still be read in
// parts at once, divided where no run is open.
inline bool otherOpenAfter(std::string_view bytes, bool open)
{
    for (std::size_t k = 0; k < bytes.size();) {
        if (!open) {
            const std::size_t at = bytes.find(OtherBegins, k);
            if (at == std::string_view::npos)
                return false;
            if (at + 1 < bytes.size() && bytes[at + 1] == OtherEnds) {  // the code 0x0E
                k = at + 2;
                continue;
            }
            open = true;
            k = at + 1;
        } else {
            const std::size_t at = bytes.find_first_of(std::string_view("\x0E\x0F", 2), k);
            if (at == std::string_view::npos)
                return true;
            open = bytes[at] != OtherEnds;
            k = at + (open ? 2 : 1);  // inside, OtherBegins quotes the byte after it
        }
    }
    return open;
}

// Calls tamil(codes) and other(utf8) for the runs of a document's bytes, in order: the Tamil
// codes as the bytes they are, the other text as its UTF-8.
template <typename Tamil, typename Other>
void forEachRun(std::string_view bytes, Tamil&& tamil, Other&& other)
{
    std::string run;
    while (!bytes.empty()) {
        const std::size_t begins = bytes.find(OtherBegins);
        if (begins == std::string_view::npos) {
            tamil(bytes);
            return;
        }
        if (begins + 1 < bytes.size() && bytes[begins + 1] == OtherEnds) {  // the code 0x0E
            tamil(bytes.substr(0, begins + 1));
            bytes.remove_prefix(begins + 2);
            continue;
        }
        if (begins > 0)
            tamil(bytes.substr(0, begins));
        run.clear();
        std::size_t k = begins + 1;
        for (; k < bytes.size() && bytes[k] != OtherEnds; ++k) {
            if (bytes[k] == OtherBegins && k + 1 < bytes.size())
                ++k;
            run += bytes[k];
        }
        other(std::string_view(run));
        bytes.remove_prefix(std::min(bytes.size(), k + 1));
    }
}

} // namespace orvane
