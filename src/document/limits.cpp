#include "document/limits.h"

#include "platform/memory.h"
#include "platform/reasons.h"

#include <algorithm>

namespace orvane {

TextMeasure measureText(std::string_view bytes)
{
    TextMeasure measure;
    for (std::size_t start = 0;;) {
        const std::size_t end = bytes.find("\r\n", start);
        measure.longestParagraph =
            std::max(measure.longestParagraph, (end == std::string_view::npos ? bytes.size() : end) - start);
        if (end == std::string_view::npos)
            return measure;
        ++measure.lines;
        start = end + 2;
    }
}

Fit fitsTheWindow(std::string_view bytes, const TextMeasure& measure)
{
    if (bytes.size() > MaxDocumentBytes)
        return Fit::TooLarge;
    if (measure.lines > MaxDocumentLines)
        return Fit::TooManyLines;
    if (boxMemoryFor(bytes.size(), measure.lines) > memoryHeadroom())
        return Fit::NoMemory;
    return Fit::Fits;
}

std::string fitReason(Fit fit)
{
    switch (fit) {
    case Fit::TooLarge: return reasons::say<Reason::TooLarge>(std::to_string(MaxDocumentBytes >> 20));
    case Fit::TooManyLines: return reasons::say<Reason::TooManyLines>(std::to_string(MaxDocumentLines));
    case Fit::NoMemory: return reasons::say<Reason::NoMemory>();
    case Fit::Fits: break;
    }
    return {};
}

} // namespace orvane
