// The .tam reader and writer on any bytes: reading normalises line ends as the reading
// rules say, and what a save writes reads back as the same text.

#include "document/file_format.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string file(reinterpret_cast<const char*>(data), size);
    const std::string text = orvane::tamText(file);
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
            std::abort();  // a lone CR survived reading
    if (text.size() > file.size() * 2)
        std::abort();
    const std::string saved = orvane::tamFileBytes(text);
    if (orvane::tamText(saved) != text || orvane::tamFileBytes(orvane::tamText(saved)) != saved)
        std::abort();  // open, save, open again changed the document
    return 0;
}
