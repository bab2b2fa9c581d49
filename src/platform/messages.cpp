#include "platform/messages.h"

#include "platform/utf8.h"

namespace orvane {

std::string printableName(std::string_view name)
{
    static const char hex[] = "0123456789abcdef";
    std::string out;
    out.reserve(name.size());
    auto escape = [&](unsigned char b) {
        out += "\\x";
        out += hex[b >> 4];
        out += hex[b & 15];
    };
    for (std::size_t i = 0; i < name.size();) {
        const auto b = static_cast<unsigned char>(name[i]);
        if (b < 0x20 || b == 0x7F) {
            escape(b);
            ++i;
            continue;
        }
        if (b < 0x80) {
            out += char(b);
            ++i;
            continue;
        }
        // A whole, shortest-form UTF-8 sequence of a character that is no C1 control.
        char32_t c = 0;
        const std::size_t length = utf8::sequenceAt(name, i, c);
        if (length == 0 || (c >= 0x80 && c < 0xA0)) {
            escape(b);
            ++i;
            continue;
        }
        out.append(name.substr(i, length));
        i += length;
    }
    return out;
}

} // namespace orvane
