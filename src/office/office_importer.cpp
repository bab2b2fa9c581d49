#include "office/office_importer.h"
#include "platform/reasons.h"

#include "office/office_document.h"
#include "office/pdf_text.h"

namespace orvane::office {

std::optional<std::string> OfficeImporter::importText(std::string_view bytes, std::string& error)
{
    if (bytes.starts_with("%PDF-")) {  // its text, as --to-unicode reads it
        std::string text;
        ConvertReport report;
        if (!pdfText(bytes, ConvertOptions{}, text, report, error))
            return std::nullopt;
        if (text.ends_with('\n'))
            text.pop_back();
        return text;
    }
    std::string why;
    const DocumentKind kind = kindOf(bytes, &why);
    switch (kind) {
    case DocumentKind::Plain:
        return std::nullopt;
    case DocumentKind::Doc:
        error = reasons::say<Reason::OldBinaryWord>();
        return std::nullopt;
    case DocumentKind::Zip:
        error = why;
        return std::nullopt;
    case DocumentKind::Docx:
    case DocumentKind::Odt:
    case DocumentKind::Rtf:
        break;
    }
    std::string text;
    const bool read = kind == DocumentKind::Odt   ? odtText(bytes, ConvertOptions{}, text, error)
                      : kind == DocumentKind::Rtf ? rtfText(bytes, ConvertOptions{}, text, error)
                                                  : docxText(bytes, ConvertOptions{}, text, error);
    if (!read)
        return std::nullopt;
    return text;
}

} // namespace orvane::office
