// The crossing between a document's bytes and the text box, on any text: Tamil codes of
// every value (the code 0E among them), English with the marks' own bytes in it, lone line
// feeds and line ends. Read into the box and out again, whole, in pieces and by places,
// the bytes are the same.

#include "document/other_text.h"
#include "window/text_box.h"

#include <QApplication>
#include <QTextDocument>

#include <cstdint>
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
        endEnglish();
        if (b == 0xFE)
            bytes += "\r\n";
        else if (b != '\r')
            orvane::appendCode(bytes, b);
    }
    endEnglish();
    return bytes;
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
    if (box->documentBytes() != bytes || box->documentByteCount() != bytes.size())
        std::abort();
    const int places = box->document()->characterCount() - 1;
    if (box->bytesBetween(0, places) != bytes)
        std::abort();
    box->setDocumentBytes(bytes, [](double) { return true; });
    if (box->documentBytes() != bytes)
        std::abort();
    return 0;
}
