#include "document/places.h"

#include "document/other_text.h"
#include "platform/utf8.h"

#include <algorithm>
#include <cstring>

namespace orvane {

PlaceCounter::PlaceCounter(std::string_view bytes)
    : bytes(bytes), tamilOnly(bytes.find(OtherBegins) == std::string_view::npos)
{
}

PlaceCounter::Character PlaceCounter::next()
{
    const std::size_t from = at, size = bytes.size();
    auto byte = [this](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    if (!inOther) {
        const char b = bytes[at];
        if ((b == '\r' || b == OtherBegins) && at + 1 < size && bytes[at + 1] == (b == '\r' ? '\n' : OtherEnds)) {
            at += 2;  // a line end; the code 0E itself
            return {from, at, 1};
        }
        if (b != OtherBegins || at + 1 >= size) {
            ++at;
            return {from, at, 1};
        }
        inOther = true;  // the mark goes with the run's first character
        ++at;
    }
    std::size_t places = 0;
    if (byte(at) == static_cast<unsigned char>(OtherEnds)) {
        places = 0;  // an empty run
    } else if (byte(at) == static_cast<unsigned char>(OtherBegins)) {
        at = std::min(size, at + 2);  // a quoted byte: U+000E or U+000F
        places = 1;
    } else {
        const unsigned char lead = byte(at++);
        while (at < size && utf8::isContinuation(byte(at)))
            ++at;
        places = lead >= 0xF0 ? 2 : 1;
    }
    if (at < size && bytes[at] == OtherEnds) {
        ++at;  // the mark goes with the run's last character
        inOther = false;
    }
    return {from, at, places};
}

std::size_t PlaceCounter::of(std::size_t offset)
{
    offset = std::min(offset, bytes.size());
    while (tamilOnly && at < offset) {  // a place a byte, but for CR LF
        const void* cr = std::memchr(bytes.data() + at, '\r', offset - at);
        const std::size_t end = cr ? std::size_t(static_cast<const char*>(cr) - bytes.data()) : offset;
        place += end - at;
        at = end;
        if (cr)
            place += next().places;
    }
    while (at < offset) {
        if (!inOther && bytes[at] == OtherBegins && at + 1 < bytes.size() && bytes[at + 1] != OtherEnds && at + 1 >= offset)
            break;  // the offset is the run's first character, past its mark
        place += next().places;
    }
    return place;
}

std::vector<int> placesOf(std::string_view line)
{
    std::vector<int> out;
    out.reserve(line.size() + 1);
    PlaceCounter counter(line);
    int place = 0;
    while (out.size() < line.size()) {
        const auto c = counter.next();
        out.insert(out.end(), c.to - c.from, place);
        place += int(c.places);
    }
    out.push_back(place);
    return out;
}

} // namespace orvane
