#pragma once
// What the office formats share: the escaping of text and attribute values for XML, and the
// last look at what a conversion wrote before it reaches the disk.

#include <QString>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::office {

// A character converted as Tamil: the Tamil block's, and the dotted circle a vowel sign is
// shown on alone.
constexpr bool isTamilLetter(char32_t c) { return (c >= 0x0B80 && c <= 0x0BFF) || c == 0x25CC; }

// Text as XML character data or an attribute value, in either quotes.
QString xmlEscaped(const QString& text);

// False, with why, when part would not be well-formed XML (or declares a document type).
bool wellFormedXml(std::string_view xml, const std::string& part, std::string& error);

// False, with why, when the converted RTF's groups do not close as the original's did.
bool balancedAsBefore(std::string_view original, std::string_view converted, std::string& error);

// The text with its edits made (each replaces what lies between its begin and end with its
// with; begin == end puts it in), built once from the start: edits never overlap, and where
// two start at one place, what is put in goes before what replaces, and those put in keep
// their order.
template <class Text, class Edit>
Text spliced(const Text& text, std::vector<Edit>& edits)
{
    std::stable_sort(edits.begin(), edits.end(),
                     [](const Edit& a, const Edit& b) { return a.begin != b.begin ? a.begin < b.begin : a.end < b.end; });
    std::size_t grows = 0;
    for (const Edit& e : edits)
        grows += std::size_t(e.with.size());
    Text out;
    out.reserve(decltype(out.size())(std::size_t(text.size()) + grows));
    decltype(edits.front().begin) at = 0;
    for (const Edit& e : edits) {
        out.append(text.data() + at, decltype(out.size())(e.begin - at));
        out.append(e.with);
        at = e.end;
    }
    out.append(text.data() + at, decltype(out.size())(decltype(at)(text.size()) - at));
    return out;
}

} // namespace orvane::office
