#include "office/office_document.h"
#include "platform/reasons.h"

#include "document/unicode_tamil.h"
#include "office/zip_archive.h"

#include <QString>
#include <QStringList>

#include <algorithm>

namespace orvane::office {

std::string baminiCodes(std::string_view utf8, ConvertReport& report)
{
    UnicodeReading reading;
    std::string codes = unicodeToBamini(utf8, reading);
    if (reading.unconvertible > 0)
        report.unplaced["?"] += reading.unconvertible;
    if (reading.drawnAs > 0)
        report.unplaced["ஙு ஙூ ஞு ஞூ ஷு ஷூ (written without the vowel sign)"] += reading.drawnAs;
    return codes;
}

bool ConvertOptions::isBamini(std::string_view font) const
{
    const QString name = QString::fromUtf8(font.data(), qsizetype(font.size())).trimmed();
    if (name.contains(QLatin1String("bamini"), Qt::CaseInsensitive))
        return true;
    // The font itself, or a face of it as a PDF names it ("SunTommy,Bold", "SunTommy-Bold").
    const auto named = [&name](const QString& f) {
        return name.compare(f, Qt::CaseInsensitive) == 0
               || (name.size() > f.size() && name.startsWith(f, Qt::CaseInsensitive) && QStringLiteral(",-").contains(name[f.size()]));
    };
    // Fonts with Bamini's layout under names of their own, as forms printed in Tamil Nadu use.
    static const QStringList known = {QStringLiteral("SunTommy")};
    return std::any_of(known.begin(), known.end(), named) || std::any_of(baminiFonts.begin(), baminiFonts.end(), [&](const std::string& f) {
        return named(QString::fromStdString(f).trimmed());
    });
}

DocumentKind kindOf(std::string_view bytes, std::string* why)
{
    if (bytes.starts_with("{\\rtf"))
        return DocumentKind::Rtf;
    if (bytes.starts_with(std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)))
        return DocumentKind::Doc;
    if (!bytes.starts_with(std::string_view("PK\x03\x04", 4)))
        return DocumentKind::Plain;
    // Told by the names in the archive's directory: nothing is expanded but the mimetype.
    std::vector<std::string> names;
    std::string error;
    const auto zip = [&](std::string reason) {
        if (why)
            *why = std::move(reason);
        return DocumentKind::Zip;
    };
    if (!zipDirectory(bytes, names, error))
        return zip(reasons::say<Reason::UnreadableArchive>(error));
    if (std::find(names.begin(), names.end(), "word/document.xml") != names.end())
        return DocumentKind::Docx;
    if (std::find(names.begin(), names.end(), "mimetype") != names.end()) {
        std::vector<ZipEntry> type;
        if (!readZip(bytes, type, error, std::size_t(1) << 20, [](const std::string& name) { return name == "mimetype"; }))
            return zip(reasons::say<Reason::UnreadableArchive>(error));
        if (!type.empty() && type.front().data.starts_with("application/vnd.oasis.opendocument.text"))
            return DocumentKind::Odt;
    }
    return zip(reasons::say<Reason::ZipWithoutDocument>());
}

} // namespace orvane::office
