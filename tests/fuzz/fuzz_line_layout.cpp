// A line laid out again about any edit of it, from any stretch of it handed over, and from a
// layout laid out part of the way: always the layout of the whole new line laid out anew.

#include "document/line_layout.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace orvane;

namespace {
bool same(const LineLayout& a, const LineLayout& b)
{
    if (a.rows != b.rows || a.syllables.size() != b.syllables.size() || a.complete != b.complete)
        return false;
    for (std::size_t k = 0; k < a.syllables.size(); ++k) {
        const LineLayout::Syllable &x = a.syllables[k], &y = b.syllables[k];
        if (x.begin != y.begin || x.x != y.x || x.other != y.other || x.space != y.space || x.vowelAfter != y.vowelAfter
            || x.openAfter != y.openAfter)
            return false;
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 6)
        return 0;
    // Widths: each code its own (1 to 16), other text 7; rows of 8 to 512.
    Advances advances;
    for (std::size_t b = 0; b < 256; ++b)
        advances.code[b] = float(1 + (b * 7 + data[0]) % 16);
    advances.other = [](std::string_view) { return 7.0f; };
    const float width = float(8 + data[1] * 2);
    const std::size_t partly = data[2] % 4, held = std::size_t(data[3]) * 8 + 1;
    const std::string bytes(reinterpret_cast<const char*>(data) + 6, size - 6);
    const std::size_t split = bytes.size() / 2;
    const std::string was = bytes.substr(0, split), adding = bytes.substr(split);
    const std::size_t at = was.empty() ? 0 : data[4] * was.size() / 256;
    const std::size_t removed = std::min<std::size_t>(data[5] % 32, was.size() - at);
    std::string now = was;
    now.replace(at, removed, adding);

    LineLayout layout = partly == 0 ? layOutLine(was, advances, width) : layOutLine(was, advances, width, partly * 3, 0);
    const std::size_t from = relayOutFrom(layout, at);
    const LineBytes stretch(std::string_view(now).substr(from, std::min(now.size() - from, at + adding.size() - from + held)), from,
                            now.size());
    if (!relayOutLine(layout, stretch, at, removed, adding.size(), advances, width).done
        && !relayOutLine(layout, std::string_view(now), at, removed, adding.size(), advances, width).done)
        std::abort();  // the whole line is always enough
    layOutFurther(layout, now, advances, width);
    if (!same(layout, layOutLine(now, advances, width)))
        std::abort();
    return 0;
}
