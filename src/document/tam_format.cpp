#include "document/tam_format.h"

namespace orvane {

std::string tamFileBytes(std::string_view text)
{
    std::string bytes;
    bytes.reserve(text.size() + 2);
    bytes.append(text);
    bytes.append("\r\n");
    return bytes;
}

std::string tamText(std::string_view bytes)
{
    if (bytes.ends_with("\r\n"))
        bytes.remove_suffix(2);
    else if (bytes.ends_with('\r'))
        bytes.remove_suffix(1);

    std::string text;
    text.reserve(bytes.size() + bytes.size() / 64);
    std::size_t start = 0;
    for (std::size_t cr = bytes.find('\r'); cr != std::string_view::npos; cr = bytes.find('\r', start)) {
        text.append(bytes.substr(start, cr - start));
        text.append("\r\n");
        start = cr + 1;
        if (start < bytes.size() && bytes[start] == '\n')
            ++start;
    }
    text.append(bytes.substr(start));
    return text;
}

} // namespace orvane
