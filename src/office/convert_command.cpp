#include "office/convert_command.h"

#include "office/office_document.h"
#include "office/pdf_text.h"
#include "office/zip_archive.h"
#include "platform/file_service.h"
#include "platform/messages.h"
#include "platform/reasons.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane::office {

namespace {
int fail(const std::string& what, const std::string& path, const std::string& why)
{
    std::fprintf(stderr, "orvane: cannot %s '%s': %s\n", what.c_str(), printableName(path).c_str(), why.c_str());
    return 1;
}

std::string joined(const std::set<std::string>& names)
{
    std::string out;
    for (const std::string& n : names)
        out += (out.empty() ? "" : ", ") + n;
    return out;
}
ConvertOptions optionsOf(const CommandLine& line)
{
    ConvertOptions options;
    options.toUnicode = line.mode == CommandLine::ToUnicode;
    if (!line.font.empty())
        options.unicodeFont = line.font;
    options.baminiFonts = line.baminiFonts;
    return options;
}

// A PDF's text, as Unicode text: to OUTPUT, or standard output.
int pdfCommand(const CommandLine& line, const std::string& bytes, LocalFiles& files)
{
    const std::string& input = line.operands[0];
    if (line.mode != CommandLine::ToUnicode)
        return fail("convert", input, "a PDF's text is read, never written: --to-unicode reads it");
    ConvertReport report;
    std::string text, error;
    if (!pdfText(bytes, optionsOf(line), text, report, error))
        return fail("convert", input,
                    error + (error == reasons::text(Reason::PdfDamaged) ? "; --all-tamil reads its bytes as Bamini codes all the same" : ""));
    if (line.operands.size() < 2 || line.operands[1] == "-") {
        if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
            return fail("write", "-", std::strerror(errno));
    } else {
        const FileIdentity from = files.identify(input), to = files.identify(line.operands[1]);
        if (from.sameFile(to))
            return fail("convert", input, reasons::say<Reason::SameFile>());
        const WriteOutcome written = files.writeFile(line.operands[1], {text});
        if (!written.written)
            return fail("write", line.operands[1], written.error);
    }
    std::fprintf(stderr, "orvane: %zu spans (%zu characters) in a Bamini-layout font read as Unicode Tamil\n",
                 report.runs, report.characters);
    std::fprintf(stderr, "orvane: fonts seen: %s\n", report.fonts.empty() ? "none (the PDF holds no text; a scan has only pictures)"
                                                                           : joined(report.fonts).c_str());
    for (const auto& [character, count] : report.unplaced)
        std::fprintf(stderr, "orvane: %zu times \"%s\" had no place and was kept as it was\n", count, character.c_str());
    return 0;
}
} // namespace

std::optional<int> convertDocumentCommand(const CommandLine& line)
{
    if (line.operands.empty() || line.operands[0] == "-")
        return std::nullopt;
    const std::string& input = line.operands[0];
    // The head of a regular file tells a document from text, which the text converters stream
    // (a pipe is never read here: what was read from it would be lost to them).
    struct stat info {};
    if (::stat(input.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    char head[8] = {};
    const int fd = ::open(input.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    const ssize_t got = fd < 0 ? -1 : ::read(fd, head, sizeof head);
    if (fd >= 0)
        ::close(fd);
    // --all-tamil reads a PDF's bytes as codes, as it reads every byte.
    const bool pdf = got >= 5 && std::string_view(head, 5) == "%PDF-" && !line.allTamil;
    if (got < 4 || (std::string_view(head, 4) != "PK\x03\x04" && std::string_view(head, 5) != "{\\rtf"
                    && std::string_view(head, 4) != "\xD0\xCF\x11\xE0" && !pdf))
        return std::nullopt;
    LocalFiles files;
    const ReadOutcome in = files.readFile(input, MaxExpandedBytes);
    if (in.status != ReadOutcome::Read)
        return fail("read", input, in.error);
    if (pdf)
        return pdfCommand(line, in.bytes, files);
    std::string why;
    const DocumentKind kind = kindOf(in.bytes, &why);
    switch (kind) {
    case DocumentKind::Plain:
        return std::nullopt;
    case DocumentKind::Doc:
        return fail("convert", input, reasons::say<Reason::OldBinaryWord>());
    case DocumentKind::Zip:
        return fail("convert", input, why);
    case DocumentKind::Docx:
    case DocumentKind::Odt:
    case DocumentKind::Rtf:
        break;
    }
    if (line.operands.size() < 2 || line.operands[1] == "-")
        return fail("convert", input, "a document is written to a file: name OUTPUT");
    const std::string& output = line.operands[1];
    const FileIdentity from = files.identify(input), to = files.identify(output);
    if (from.sameFile(to))
        return fail("convert", input, reasons::say<Reason::SameFile>());
    const ConvertOptions options = optionsOf(line);
    ConvertReport report;
    std::string converted, error;
    const bool done = kind == DocumentKind::Odt   ? convertOdt(in.bytes, converted, options, report, error)
                      : kind == DocumentKind::Rtf ? convertRtf(in.bytes, converted, options, report, error)
                                                  : convertDocx(in.bytes, converted, options, report, error);
    if (!done)
        return fail("convert", input, error);
    const WriteOutcome written = files.writeFile(output, {converted});
    if (!written.written)
        return fail("write", output, written.error);
    std::fprintf(stderr, "orvane: %zu runs (%zu characters) converted to %s in %s\n", report.runs, report.characters,
                 options.toUnicode ? "Unicode Tamil" : "Bamini codes",
                 (options.toUnicode ? options.unicodeFont : options.baminiFont()).c_str());
    std::fprintf(stderr, "orvane: fonts seen: %s\n", report.fonts.empty() ? "none named" : joined(report.fonts).c_str());
    for (const auto& [character, count] : report.unplaced)
        std::fprintf(stderr, "orvane: %zu times \"%s\" had no place and was kept as it was\n", count, character.c_str());
    if (report.mixedRuns > 0)
        std::fprintf(stderr, "orvane: %zu runs mixing Tamil with English could not be divided and were left as they were\n", report.mixedRuns);
    return 0;
}

} // namespace orvane::office
