// Both Unicode conversions on any input: no crash or hang, output in the form promised,
// and the round trips where they apply.

#include "document/english_words.h"
#include "document/file_format.h"
#include "document/unicode_tamil.h"
#include "phonetic/batch_typist.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace orvane;

namespace {
bool validUtf8(const std::string& s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size())
            return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2)
                return false;
        i += n;
    }
    return true;
}

// Where typed codes meet a typist's habit that the reading takes as meant (a comma key after
// a letter, a pulli after a vowel sign, a kaal after a u-form, + after pa), the meaning comes
// back, not those bytes.
bool holdsHabit(const std::string& s)
{
    const std::string_view noComma(" \r\n(,<>@"), slipAfter(";pPFRLJGWAUYTSOZEKDb$#^%&*+}{_"), uForms("FRLJGWAUYTSOZEKD");
    for (std::size_t i = 1; i < s.size(); ++i) {
        const char a = s[i - 1], b = s[i];
        if ((b == ',' && noComma.find(a) == std::string_view::npos) || (b == ';' && slipAfter.find(a) != std::string_view::npos)
            || (b == 'h' && uForms.find(a) != std::string_view::npos) || (a == 'g' && b == '+'))
            return true;
    }
    return false;
}

// Valid UTF-8 the input describes, a character a byte: Tamil letters and signs (those Bamini
// draws alike among them), English, spaces, byte-order marks and line ends of every kind.
std::string unicodeOf(const uint8_t* data, size_t size)
{
    static const char* const pieces[] = {
        "\u0B95", "\u0BAE", "\u0BB3", "\u0BA4", "\u0B92", "\u0B94", "\u0B85", "\u0BB8", "\u0BB7", "\u0B9C",  // letters
        "\u0BC6", "\u0BC7", "\u0BC8", "\u0BCA", "\u0BCB", "\u0BCC", "\u0BCD", "\u0BBE", "\u0BBF", "\u0BC1",  // signs
        "\u0BD7", "\u0BC2", "\u0BC0", "\uFEFF", "\u25CC", "\U0001F600", " ", "a", "Z", "1",
        "\n", "\r\n", "\r", "\x0E", "\x0F", "?", "'", "\t"};
    std::string out = "\u0B95";  // Tamil, so that it is a Unicode file
    for (size_t i = 0; i < size; ++i)
        out += pieces[data[i] % (sizeof pieces / sizeof *pieces)];
    return out;
}

// Open, edit, undo, save gives the file back byte for byte; a line added at the start reads
// back as the edited text (or, where the codes alone do not come back, as they would from
// the codes alone: an empty last line with no end after it reads back as none either way),
// the rest of the file kept after it. The line added is unlike the first: a line like the
// first two, added before them, could as well have been added after the first, where it
// takes the end of the line before it (and "க CR க LF" becomes "க CR க LF க LF").
void savesKeepTheFile(const std::string& input)
{
    const OpenedText opened = openText(input);
    if (!opened.origin)
        return;
    if (opened.origin->fileFor(opened.text, opened.format)->bytes() != input)
        std::abort();
    const std::string edited = std::string(std::min(opened.text.find("\r\n"), opened.text.size()) + 1, 'f') + "\r\n" + opened.text;
    const auto saved = opened.origin->fileFor(edited, opened.format);
    const std::string back = openText(std::string(saved->bytes())).text;
    if ((back != edited && back != openText(unicodeFileBytes(edited, opened.format)).text)
        || saved->fileFor(edited, opened.format)->bytes() != saved->bytes())
        std::abort();
    const std::string_view body = std::string_view(input).substr(opened.format.byteOrderMark ? 3 : 0);
    if (!saved->bytes().ends_with(body))
        std::abort();
}

void replaceAll(std::string& s, const std::string& from, const std::string& to)
{
    for (auto at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);

    // Any bytes as a document, and any bytes as UTF-8.
    const std::string unicode = baminiToUnicode(input);
    if (!validUtf8(unicode))
        std::abort();
    const std::string bamini = unicodeToBamini(input);
    for (std::size_t i = 0; i < bamini.size(); ++i)
        if (bamini[i] == '\n' && (i == 0 || bamini[i - 1] != '\r'))
            std::abort();  // line breaks come out as CR LF

    // Unicode to Bamini settles after one pass: what it gives converts back and forth unchanged,
    // but where the codes written meet a typist's habit (a pulli after a vowel sign, from a
    // stray pulli in the Unicode, draws nothing), which is read as its meaning.
    const std::string settled = baminiToUnicode(bamini);
    if (!holdsHabit(bamini) && baminiToUnicode(unicodeToBamini(settled)) != settled)
        std::abort();

    // English kept: marking in two pieces gives what marking whole gives, and the marks taken
    // out of the result leave the bytes as they were.
    if (input.find('\x0E') == std::string::npos && input.find('\x0F') == std::string::npos) {
        const std::string whole = withEnglishKept(input);
        EnglishMarker marker;
        std::string pieces;
        const std::size_t cut = size > 0 ? data[0] % (size + 1) : 0;
        marker.add(std::string_view(input).substr(0, cut), pieces);
        marker.add(std::string_view(input).substr(cut), pieces);
        marker.finish(pieces);
        std::string unmarked;
        for (const char c : whole)
            if (c != '\x0E' && c != '\x0F')
                unmarked += c;
        if (pieces != whole || unmarked != input || !validUtf8(baminiToUnicode(whole)))
            std::abort();
    }

    // Any bytes as a file, and valid UTF-8 that holds Tamil, with its lines kept by a save.
    savesKeepTheFile(input);
    savesKeepTheFile(unicodeOf(data, size));

    // The same bytes typed as keys give a document that survives the round trip: its bytes,
    // or, where Backspace may have left half a syllable, its meaning.
    BatchTypist typist;
    typist.typeBytes(input);
    const std::string back = unicodeToBamini(baminiToUnicode(typist.text()));
    if (input.find('\b') != std::string::npos || holdsHabit(typist.text())) {
        if (baminiToUnicode(back) != baminiToUnicode(typist.text()))
            std::abort();
        return 0;
    }
    std::string expected = typist.text();
    replaceAll(expected, "];hP", "=");
    if (back != expected)
        std::abort();
    return 0;
}
