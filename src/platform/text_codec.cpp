#include "platform/text_codec.h"

#include "platform/charset.h"

#include <array>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace orvane::codec {

namespace {
// The document writes the Tamil code 0E as 0E 0F (0E alone begins other text); in the box it
// is one character, so that the caret cannot stand between its two bytes.
constexpr char16_t CodeOtherBegins = 0x0E, CodeOtherEnds = 0x0F;
} // namespace

QString toBoxText(std::string_view bytes)
{
    static const auto chars = [] {
        std::array<char16_t, 256> table{};
        for (int b = 0; b < 256; ++b)
            table[std::size_t(b)] = charset::toUnicode(static_cast<unsigned char>(b));
        table['\n'] = QChar::LineSeparator;  // a lone LF; CR LF is handled below
        return table;
    }();
    QString text(qsizetype(bytes.size()), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    char16_t* const begin = out;
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = in + bytes.size();
    while (in < end) {
        const unsigned char b = *in++;
        if ((b == '\r' && in < end && *in == '\n') || (b == CodeOtherBegins && in < end && *in == CodeOtherEnds)) {
            *out++ = b == '\r' ? u'\n' : chars[b];  // a line break; or the one code 0E, written 0E 0F
            ++in;
        } else {
            *out++ = chars[b];
        }
    }
    text.truncate(out - begin);
    return text;
}

std::size_t fromBoxChars(const char16_t* chars, std::size_t n, char* out)
{
    char* const begin = out;
    auto one = [&out](char16_t u) {
        if (u == CodeOtherBegins) {
            *out++ = CodeOtherBegins;  // the code, not the start of other text
            *out++ = CodeOtherEnds;
        } else if (u < 0x80 && u != '\n') {
            *out++ = char(u);
        } else if (u == QChar::ParagraphSeparator || u == '\n') {
            *out++ = '\r';
            *out++ = '\n';
        } else if (u == QChar::LineSeparator) {
            *out++ = '\n';
        } else {
            const int b = charset::toByte(u);
            *out++ = b < 0 ? '?' : char(b);
        }
    };
    std::size_t i = 0;
#ifdef __SSE2__
    // Sixteen characters at a time where they are ASCII with no line feed (most of a
    // document's text): each is its own byte.
    const __m128i high = _mm_set1_epi16(short(0xFF80)), lineFeed = _mm_set1_epi16('\n'),
                  otherBegins = _mm_set1_epi16(CodeOtherBegins);
    while (i + 16 <= n) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chars + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chars + i + 8));
        const __m128i zero = _mm_setzero_si128();
        const __m128i oddA = _mm_or_si128(_mm_cmpeq_epi16(a, lineFeed), _mm_cmpeq_epi16(a, otherBegins));
        const __m128i oddB = _mm_or_si128(_mm_cmpeq_epi16(b, lineFeed), _mm_cmpeq_epi16(b, otherBegins));
        const __m128i plainA = _mm_cmpeq_epi16(_mm_or_si128(_mm_and_si128(a, high), oddA), zero);
        const __m128i plainB = _mm_cmpeq_epi16(_mm_or_si128(_mm_and_si128(b, high), oddB), zero);
        // One bit for each character that is its own byte.
        const unsigned plain = unsigned(_mm_movemask_epi8(_mm_packs_epi16(plainA, plainB)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(a, b));
        if (plain == 0xFFFF) {
            out += 16;
            i += 16;
            continue;
        }
        // The run before the first other character stays; that one is written on its own.
        const std::size_t run = std::size_t(__builtin_ctz(~plain));
        out += run;
        i += run;
        one(chars[i++]);
    }
#endif
    for (; i < n; ++i)
        one(chars[i]);
    return std::size_t(out - begin);
}

std::string fromBoxText(const QString& raw)
{
    std::string bytes(std::size_t(raw.size()) * 2, '\0');
    bytes.resize(fromBoxChars(reinterpret_cast<const char16_t*>(raw.constData()), std::size_t(raw.size()), bytes.data()));
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
