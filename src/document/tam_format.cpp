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

namespace {
bool hasLoneCr(std::string_view bytes)
{
    for (std::size_t cr = bytes.find('\r'); cr != std::string_view::npos; cr = bytes.find('\r', cr + 1))
        if (cr + 1 == bytes.size() || bytes[cr + 1] != '\n')
            return true;
    return false;
}
} // namespace

std::string tamText(std::string file)
{
    std::string_view bytes = file;
    if (bytes.ends_with("\r\n"))
        bytes.remove_suffix(2);
    else if (bytes.ends_with('\r'))
        bytes.remove_suffix(1);
    if (!hasLoneCr(bytes)) {
        file.resize(bytes.size());
        return file;
    }

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
