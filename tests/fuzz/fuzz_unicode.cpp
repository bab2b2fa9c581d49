// Both Unicode conversions on any input: no crash or hang, output in the form promised,
// and the round trips where they apply.

#include "document/unicode_tamil.h"
#include "phonetic/batch_typist.h"

#include <cstdint>
#include <cstdlib>
#include <string>

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

    // Unicode to Bamini settles after one pass: what it gives converts back and forth unchanged.
    const std::string settled = baminiToUnicode(bamini);
    if (baminiToUnicode(unicodeToBamini(settled)) != settled)
        std::abort();

    // The same bytes typed as keys give a document that survives the round trip: its bytes,
    // or, where Backspace may have left half a syllable, its meaning.
    BatchTypist typist;
    typist.typeBytes(input);
    const std::string back = unicodeToBamini(baminiToUnicode(typist.text()));
    if (input.find('\b') != std::string::npos) {
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
