#include "platform/messages.h"

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
        const std::size_t length = (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        bool valid = length > 0 && i + length <= name.size();
        char32_t c = length == 2 ? (b & 0x1F) : length == 3 ? (b & 0x0F) : (b & 0x07);
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto cont = static_cast<unsigned char>(name[i + k]);
            valid = (cont >> 6) == 2;
            c = (c << 6) | (cont & 0x3F);
        }
        valid = valid && !(length == 2 && c < 0x80) && !(length == 3 && c < 0x800) && !(length == 4 && c < 0x10000)
                && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF) && !(c >= 0x80 && c < 0xA0);
        if (!valid) {
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
