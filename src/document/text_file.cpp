#include "document/text_file.h"

#include "document/tam_format.h"
#include "document/unicode_tamil.h"
#include "platform/utf8.h"

namespace orvane {

namespace {
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
} // namespace

DocumentFormat formatOf(std::string_view bytes)
{
    DocumentFormat format;
    const bool marked = bytes.starts_with(ByteOrderMark);
    const std::string_view text = marked ? bytes.substr(ByteOrderMark.size()) : bytes;
    if (!utf8::isValid(text) || (!marked && !utf8::containsTamil(text)))
        return format;
    format.kind = DocumentFormat::Unicode;
    format.byteOrderMark = marked;
    // The first line end says how they all end.
    const std::size_t end = text.find_first_of("\r\n");
    if (end != std::string_view::npos && text[end] == '\r')
        format.lineEnd = end + 1 < text.size() && text[end + 1] == '\n' ? DocumentFormat::CrLf : DocumentFormat::Cr;
    format.finalLineEnd = text.ends_with('\n') || text.ends_with('\r');
    return format;
}

OpenedText openText(std::string bytes)
{
    OpenedText opened;
    opened.format = formatOf(bytes);
    if (opened.format.kind == DocumentFormat::Tam) {
        opened.text = tamText(std::move(bytes));
        return opened;
    }
    std::string_view text = bytes;
    if (opened.format.byteOrderMark)
        text.remove_prefix(ByteOrderMark.size());
    // The last line end is the file's, not a line of the text (as a save writes it again).
    if (text.ends_with("\r\n"))
        text.remove_suffix(2);
    else if (text.ends_with('\n') || text.ends_with('\r'))
        text.remove_suffix(1);
    opened.text = unicodeToBamini(text, &opened.unconvertible);
    return opened;
}

std::string unicodeFileBytes(std::string_view text, const DocumentFormat& format)
{
    std::string out = format.byteOrderMark ? std::string(ByteOrderMark) : std::string();
    const std::string unicode = baminiToUnicode(text);
    out.reserve(out.size() + unicode.size() + unicode.size() / 16 + 2);
    const std::string_view lineEnd = format.lineEndBytes();
    for (const char c : unicode) {
        if (c == '\n')
            out += lineEnd;
        else
            out += c;
    }
    if (format.finalLineEnd)
        out += lineEnd;
    return out;
}

} // namespace orvane
