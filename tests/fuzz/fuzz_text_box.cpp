// The crossing between a document's bytes and the text box, on any text: Tamil codes of
// every value (the code 0E among them), English with the marks' own bytes in it, lone line
// feeds and line ends. Read into the box and out again, whole, in pieces and by places,
// the bytes are the same.

#include "document/other_text.h"
#include "window/text_box.h"

#include <QApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
// The document the input describes: FE a line end, FD then a byte an English character
// (ASCII as itself, line ends aside; others a Tamil or an astral character), any other byte
// a Tamil code.
std::string documentOf(const uint8_t* data, size_t size)
{
    std::string bytes, english;
    auto endEnglish = [&] {
        orvane::appendOther(bytes, english);
        english.clear();
    };
    for (size_t i = 0; i < size; ++i) {
        const uint8_t b = data[i];
        if (b == 0xFD && i + 1 < size) {
            const uint8_t c = data[++i];
            if (c < 0x80 && c != '\r' && c != '\n')
                english += char(c);
            else if (c < 0xF0)
                english += "\xE0\xAE" + std::string(1, char(0x80 + (c & 0x3F)));
            else
                english += "\xF0\x9F\x98" + std::string(1, char(0x80 + (c & 0x0F)));
            continue;
        }
        if (b == '\r')
            continue;  // no byte of its own: a CR goes only before a line feed
        endEnglish();
        if (b == 0xFE)
            bytes += "\r\n";
        else
            orvane::appendCode(bytes, b);
    }
    endEnglish();
    return bytes;
}

// Stops the run, showing the bytes that went in and what came out.
[[noreturn]] void differ(const char* how, const std::string& in, const std::string& out)
{
    std::fprintf(stderr, "%s:\n in ", how);
    for (const char c : in)
        std::fprintf(stderr, " %02x", unsigned(static_cast<unsigned char>(c)));
    std::fprintf(stderr, "\n out");
    for (const char c : out)
        std::fprintf(stderr, " %02x", unsigned(static_cast<unsigned char>(c)));
    std::fprintf(stderr, "\n");
    std::abort();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_text_box";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static orvane::TextBox* box = new orvane::TextBox;
    const std::string bytes = documentOf(data, size);
    box->setDocumentBytes(bytes);
    if (box->documentBytes() != bytes)
        differ("read whole", bytes, box->documentBytes());
    if (box->documentByteCount() != bytes.size())
        differ("counted", bytes, std::to_string(box->documentByteCount()));
    const int places = box->document()->characterCount() - 1;
    if (box->bytesBetween(0, places) != bytes)
        differ("read by places", bytes, box->bytesBetween(0, places));
    box->setDocumentBytes(bytes, [](double) { return true; });
    if (box->documentBytes() != bytes)
        differ("put in by pieces", bytes, box->documentBytes());
    return 0;
}
