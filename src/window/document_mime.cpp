#include "window/document_mime.h"

#include "document/other_text.h"
#include "document/unicode_tamil.h"
#include "platform/text_codec.h"

#include <QUrl>

namespace orvane {

DocumentMimeData::DocumentMimeData(std::string bytes, bool unicodeDocument)
    : bytes(std::move(bytes)), unicodeDocument(unicodeDocument)
{
}

QStringList DocumentMimeData::formats() const
{
    return {QStringLiteral("text/plain"), QStringLiteral("text/html"), QString::fromLatin1(BytesMimeType)};
}

bool DocumentMimeData::hasFormat(const QString& type) const { return formats().contains(type); }

QVariant DocumentMimeData::retrieveData(const QString& type, QMetaType preferred) const
{
    if (type == QLatin1String(BytesMimeType))
        return QByteArray::fromStdString(bytes);
    if (type == QLatin1String("text/plain") && !unicodeDocument) {  // codes as the characters they are, English as itself
        QString text;
        forEachRun(
            bytes, [&text](std::string_view codes) { text += codec::toBoxText(codes); },
            [&text](std::string_view utf8) { text += QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); });
        text.replace(QChar::ParagraphSeparator, QLatin1Char('\n')).replace(QChar::LineSeparator, QLatin1Char('\n'));
        return text;
    }
    const QString unicode = QString::fromStdString(baminiToUnicode(bytes));
    if (type == QLatin1String("text/plain"))
        return unicode;
    if (type == QLatin1String("text/html")) {
        QString html = unicode.toHtmlEscaped();
        html.replace(QLatin1Char('\n'), QLatin1String("<br>"));
        return QString(QLatin1String("<meta charset=\"utf-8\"><span>") + html + QLatin1String("</span>"));
    }
    return QMimeData::retrieveData(type, preferred);
}

std::string droppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())  // the path's own bytes, not a decoding of them
            return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
    return {};
}

} // namespace orvane
