#include "office/office_shared.h"

#include <QXmlStreamReader>

#include <cctype>
#include <cstring>
#include <cstdlib>

namespace orvane::office {

QString xmlEscaped(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&': out += QLatin1String("&amp;"); break;
        case u'<': out += QLatin1String("&lt;"); break;
        case u'>': out += QLatin1String("&gt;"); break;
        case u'"': out += QLatin1String("&quot;"); break;
        case u'\'': out += QLatin1String("&apos;"); break;
        default: out += c;
        }
    }
    return out;
}

qint64 PieceReader::readData(char* data, qint64 maxSize)
{
    if (utf8) {
        const std::size_t n = std::min(std::size_t(maxSize), bytes.size() - std::size_t(at));
        std::memcpy(data, bytes.data() + at, n);
        at += qsizetype(n);
        return qint64(n);
    }
    if (taken == piece.size()) {
        constexpr qsizetype Piece = 1 << 14;
        qsizetype n = std::min(Piece, text.size() - at);
        if (at + n < text.size() && text[at + n - 1].isHighSurrogate())
            --n;  // never a pair cut in two
        piece = text.mid(at, n).toUtf8();
        at += n;
        taken = 0;
    }
    const qsizetype n = std::min(qsizetype(maxSize), piece.size() - taken);
    std::memcpy(data, piece.constData() + taken, std::size_t(n));
    taken += n;
    return n;
}

bool readsAsUtf8(std::string_view bytes, const std::string& part, std::string& error)
{
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        error = part + " is written in UTF-16, which Orvane does not convert";
        return false;
    }
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    if (!bytes.starts_with("<?xml"))
        return true;
    const std::string_view declaration = bytes.substr(0, bytes.find("?>"));
    const std::size_t at = declaration.find("encoding");
    if (at == std::string_view::npos)
        return true;
    const std::size_t quote = declaration.find_first_of("\"'", at);
    const std::size_t close = quote == std::string_view::npos ? quote : declaration.find(declaration[quote], quote + 1);
    std::string name(close == std::string_view::npos ? std::string_view() : declaration.substr(quote + 1, close - quote - 1));
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    if (name == "utf-8" || name == "utf8" || name == "us-ascii" || name == "ascii")
        return true;
    error = part + " is written in the encoding \"" + name + "\", which Orvane does not convert";
    return false;
}

bool wellFormedXml(std::string_view xml, const std::string& part, std::string& error)
{
    PieceReader pieces(xml);
    QXmlStreamReader r(&pieces);
    while (!r.atEnd()) {
        r.readNext();
        if (r.tokenType() == QXmlStreamReader::DTD) {
            error = part + " would declare a document type";
            return false;
        }
    }
    if (r.hasError()) {
        error = "the converted " + part + " would not be well-formed XML (" + r.errorString().toStdString() + ", line "
                + std::to_string(r.lineNumber()) + "), so nothing was written";
        return false;
    }
    return true;
}

namespace {
// How many groups are open at the end; -1 where one closed that was never opened.
long openGroups(std::string_view rtf)
{
    long depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '\\' && i + 1 < rtf.size()) {
            // \binN: N bytes of data follow its delimiter, braces or not.
            if (rtf.substr(i + 1, 3) == "bin") {
                std::size_t k = i + 4;
                while (k < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[k])))
                    ++k;
                const std::size_t count = std::strtoul(std::string(rtf.substr(i + 4, k - i - 4)).c_str(), nullptr, 10);
                i = k + (k < rtf.size() && rtf[k] == ' ' ? 1 : 0) + count - 1;
                continue;
            }
            ++i;  // \{ \} \\ and the first letter of a control word
            continue;
        }
        if (c == '{')
            ++depth;
        else if (c == '}' && --depth < 0)
            return -1;
    }
    return depth;
}
} // namespace

bool balancedAsBefore(std::string_view original, std::string_view converted, std::string& error)
{
    if (openGroups(converted) != openGroups(original)) {
        error = "the converted document's groups would not close as they open, so nothing was written";
        return false;
    }
    return true;
}

} // namespace orvane::office
