#include "office/pdf_text.h"

#include "document/unicode_tamil.h"
#include "pdf/pdf_spans.h"
#include "platform/charset.h"
#include "platform/modules.h"
#include "platform/reasons.h"
#include "platform/utf8.h"

#include <QString>


namespace orvane::office {

namespace {
// The module, loaded with the first PDF.
PdfSpansEntry loadModule(std::string& why)
{
    static std::string failed;
    static const auto entry = reinterpret_cast<PdfSpansEntry>(moduleEntry("orvane-pdf-text.so", "orvanePdfSpans", failed));
    why = reasons::say<Reason::PdfUnavailable>(failed);
    return entry;
}

class Lines {
public:
    Lines(const ConvertOptions& options, std::string& text, ConvertReport& report)
        : options(options), text(text), report(report)
    {
    }

    void add(const PdfSpan& span)
    {
        const std::string font(span.font);
        report.fonts.insert(font);
        if (span.newPage && started)
            endLine(), text += '\n';
        else if (span.newLine && started)
            endLine();
        started = true;
        const std::string_view piece(span.text, span.size);
        if (!options.isBamini(font)) {
            flushCodes();
            if (span.spaceBefore)
                text += ' ';
            text += piece;
            return;
        }
        if (span.spaceBefore)
            codes.empty() ? void(text += ' ') : void(codes += ' ');
        ++report.runs;
        // SunTommy draws a slash where Bamini has the aytham.
        const bool slash = QString::fromStdString(font).startsWith(QLatin1String("SunTommy"), Qt::CaseInsensitive);
        for (std::size_t i = 0; i < piece.size();) {
            const std::size_t at = i;
            const char32_t c = utf8::decodeAt(piece, i);
            ++report.characters;
            if (c == '/' && slash) {
                flushCodes();
                text += '/';
                continue;
            }
            // A symbol font's private-use form of a code, else the 8-bit set's byte for it.
            const int b = c >= 0xF020 && c <= 0xF0FF ? int(c - 0xF000) : charset::toByte(c);
            if (b > 0) {
                codes += char(b);
                continue;
            }
            flushCodes();
            const std::string kept(piece.substr(at, i - at));
            ++report.unplaced[kept];
            text += kept;
        }
    }

    void finish()
    {
        if (started)
            endLine();
    }

private:
    void flushCodes()
    {
        text += baminiToUnicode(codes);
        codes.clear();
    }
    void endLine()
    {
        flushCodes();
        text += '\n';
    }

    const ConvertOptions& options;
    std::string& text;
    ConvertReport& report;
    std::string codes;  // Bamini codes not yet read, of one line
    bool started = false;
};
} // namespace

bool pdfText(std::string_view in, const ConvertOptions& options, std::string& text, ConvertReport& report,
             std::string& error)
{
    const PdfSpansEntry entry = loadModule(error);
    if (!entry)
        return false;
    text.clear();
    Lines lines(options, text, report);
    const char* why = entry(in.data(), in.size(), [](void* context, const PdfSpan& span) { static_cast<Lines*>(context)->add(span); },
                            &lines);
    if (why) {
        error = why;
        return false;
    }
    lines.finish();
    error.clear();
    return true;
}

} // namespace orvane::office
