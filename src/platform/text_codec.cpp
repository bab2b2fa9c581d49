#include "platform/text_codec.h"

#include "platform/charset.h"

namespace orvane::codec {

QString toBoxText(std::string_view bytes)
{
    QString text(qsizetype(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            *out++ = QLatin1Char('\n');
            ++i;
        } else if (b == '\n') {
            *out++ = QChar::LineSeparator;
        } else {
            *out++ = QChar(charset::toUnicode(b));
        }
    }
    text.truncate(out - text.constData());
    return text;
}

std::string fromBoxText(const QString& raw)
{
    std::string bytes;
    bytes.reserve(std::size_t(raw.size()) + std::size_t(raw.size()) / 32);
    for (const QChar ch : raw) {
        const char16_t u = ch.unicode();
        if (u == QChar::ParagraphSeparator || u == '\n') {
            bytes += "\r\n";
        } else if (u == QChar::LineSeparator) {
            bytes += '\n';
        } else {
            const int b = charset::toByte(u);
            bytes += b < 0 ? '?' : char(b);
        }
    }
    return bytes;
}

std::optional<unsigned char> byteOf(QChar ch)
{
    const int b = charset::toByte(ch.unicode());
    if (b < 0)
        return std::nullopt;
    return static_cast<unsigned char>(b);
}

QChar charOf(unsigned char byte) { return QChar(charset::toUnicode(byte)); }

QString fitForBox(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            out += QChar::ParagraphSeparator;
        } else if (ch == QLatin1Char('\n') || ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator) {
            out += QChar::ParagraphSeparator;
        } else if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += QLatin1Char('?');  // one character, two code units
            ++i;
        } else {
            out += byteOf(ch) ? ch : QLatin1Char('?');
        }
    }
    return out;
}

} // namespace orvane::codec
