// Word-processor documents on any input: as a .docx's body, converted both ways; as a zip
// archive read; as RTF and as an .odt's content, converted both ways and read. No crash, no
// hang, and what is written reads back: well-formed XML, RTF whose groups close.

#include "office/office_document.h"
#include "office/office_shared.h"
#include "office/zip_archive.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace orvane::office;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string error;
    if (data[0] & 4) {  // the bytes as an OpenDocument's content.xml
        std::string odt, out;
        if (!writeZip({{"mimetype", "application/vnd.oasis.opendocument.text", true}, {"content.xml", input, false}}, odt, error))
            std::abort();
        for (const bool toUnicode : {true, false}) {
            ConvertOptions options;
            options.toUnicode = toUnicode;
            ConvertReport report;
            std::string text;
            if (!convertOdt(odt, out, options, report, error))
                continue;
            std::vector<ZipEntry> back;
            if (!odtText(out, ConvertOptions{}, text, error) || !readZip(out, back, error)
                || !wellFormedXml(entryNamed(back, "content.xml")->data, "content.xml", error))
                std::abort();  // what it writes reads again
        }
        return 0;
    }
    if (data[0] & 2) {  // the bytes as RTF
        std::string out, text;
        for (const bool toUnicode : {true, false}) {
            ConvertOptions options;
            options.toUnicode = toUnicode;
            ConvertReport report;
            if (convertRtf(input, out, options, report, error)
                && (!rtfText(out, ConvertOptions{}, text, error) || !balancedAsBefore(input, out, error)))
                std::abort();  // what it writes reads again
        }
        (void)rtfText(input, ConvertOptions{}, text, error);
        return 0;
    }
    if (data[0] & 1) {  // the bytes as an archive
        std::vector<ZipEntry> entries;
        (void)readZip(input, entries, error, std::size_t(1) << 20);
        return 0;
    }
    const std::vector<ZipEntry> entries = {
        {"word/document.xml", input, false},
        {"word/styles.xml",
         "<w:styles xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:style w:type=\"paragraph\" "
         "w:styleId=\"T\"><w:basedOn w:val=\"T\"/><w:rPr><w:rFonts w:ascii=\"Bamini\"/></w:rPr></w:style></w:styles>",
         false},
    };
    std::string docx;
    if (!writeZip(entries, docx, error))
        std::abort();
    for (const bool toUnicode : {true, false}) {
        ConvertOptions options;
        options.toUnicode = toUnicode;
        ConvertReport report;
        std::string out;
        if (convertDocx(docx, out, options, report, error)) {
            std::vector<ZipEntry> back;
            if (!readZip(out, back, error) || back.size() != entries.size()
                || !wellFormedXml(entryNamed(back, "word/document.xml")->data, "word/document.xml", error))
                std::abort();
        }
    }
    return 0;
}
