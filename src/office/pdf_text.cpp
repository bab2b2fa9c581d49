#include "office/pdf_text.h"

#include "document/unicode_tamil.h"
#include "pdf/pdf_spans.h"
#include "platform/charset.h"
#include "platform/reasons.h"
#include "platform/utf8.h"

#include <QString>

#include <dlfcn.h>
#include <unistd.h>

namespace orvane::office {

namespace {
// The module, found beside the program in the build tree (the tests one folder below it),
// else where it is installed, from the program's folder whatever the prefix.
PdfSpansEntry loadModule(std::string& why)
{
    static std::string failed;
    static const PdfSpansEntry entry = [] () -> PdfSpansEntry {
        char self[4096];
        const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
        std::string here = n > 0 ? std::string(self, std::size_t(n)) : std::string(".");
        here.erase(here.rfind('/') == std::string::npos ? 0 : here.rfind('/'));
        const std::string installed = here + "/" ORVANE_MODULE_FROM_PROGRAM "/orvane-pdf-text.so";
        for (const std::string& path : {here + "/orvane-pdf-text.so", here + "/../orvane-pdf-text.so", installed}) {
            if (::access(path.c_str(), R_OK) != 0)
                continue;
            void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (!library) {
                failed = ::dlerror();
                return nullptr;
            }
            if (const auto found = reinterpret_cast<PdfSpansEntry>(::dlsym(library, "orvanePdfSpans")))
                return found;
            failed = path + " has no entry";
            return nullptr;
        }
        failed = installed + " is missing";
        return nullptr;
    }();
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
