#include "document/text_file.h"

#include "document/tam_format.h"
#include "document/unicode_tamil.h"

namespace orvane {

namespace {
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
} // namespace

DocumentFormat formatOf(std::string_view bytes)
{
    DocumentFormat format;
    const bool marked = bytes.starts_with(ByteOrderMark);
    const std::string_view text = marked ? bytes.substr(ByteOrderMark.size()) : bytes;
    if (!isUtf8(text) || (!marked && !containsTamil(text)))
        return format;
    format.kind = DocumentFormat::Unicode;
    format.byteOrderMark = marked;
    const std::size_t lf = text.find('\n');
    format.crlf = lf != std::string_view::npos && lf > 0 && text[lf - 1] == '\r';
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
    for (const char c : unicode) {
        if (c == '\n' && format.crlf)
            out += '\r';
        out += c;
    }
    if (format.finalLineEnd)
        out += format.crlf ? "\r\n" : "\n";
    return out;
}

} // namespace orvane
