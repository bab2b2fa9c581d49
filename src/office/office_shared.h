#pragma once
// What the office formats share: the escaping of text and attribute values for XML, a part
// read in pieces and written once, Tamil told from the rest, and the last look at what a
// conversion wrote before it reaches the disk.

#include <QIODevice>
#include <QString>

#include <algorithm>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace orvane::office {

// A character converted as Tamil: the Tamil block's, and the dotted circle a vowel sign is
// shown on alone.
constexpr bool isTamilLetter(char32_t c) { return (c >= 0x0B80 && c <= 0x0BFF) || c == 0x25CC; }

// A part's text as the XML reader takes it, a piece at a time in UTF-8: the reader holds a
// piece's worth of the part, never whole copies of it of its own (a reader made on a string
// keeps the string's bytes and all of its text again). Its character offsets are the text's.
class PieceReader final : public QIODevice {
public:
    explicit PieceReader(QStringView text) : text(text) { open(QIODevice::ReadOnly); }
    explicit PieceReader(std::string_view bytes) : bytes(bytes), utf8(true) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    bool atEnd() const override { return utf8 ? std::size_t(at) == bytes.size() : at == text.size() && taken == piece.size(); }
    qint64 bytesAvailable() const override
    {
        return utf8 ? qint64(bytes.size()) - at : qint64(piece.size() - taken) + 3 * qint64(text.size() - at);
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QStringView text;
    std::string_view bytes;
    bool utf8 = false;
    qsizetype at = 0;     // the next character (or byte) to be read
    QByteArray piece;     // read from the text, not yet taken
    qsizetype taken = 0;
};

// Calls each(stretch, tamil) for the stretches of text in turn: Tamil (its letters, and with
// spacesJoin the spaces after them) and the rest. Tamil and the dotted circle lie in the Basic
// Multilingual Plane: what is written with surrogates is never Tamil, and its halves stay
// together in the rest.
template <class Each>
void forEachTamilStretch(QStringView text, bool spacesJoin, Each&& each)
{
    qsizetype begin = 0;
    bool tamil = false;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const char16_t c = text[k].unicode();
        const bool goes = isTamilLetter(c) || (tamil && spacesJoin && c == u' ');
        if (goes != tamil && k > begin) {
            each(text.mid(begin, k - begin), tamil);
            begin = k;
        }
        tamil = goes;
    }
    if (begin < text.size())
        each(text.mid(begin), tamil);
}

// Where the offsets an XML reader gives (UTF-16 units, a leading byte-order mark not
// counted) fall in the part's UTF-8 bytes; fastest asked in order.
class ByteOffsets {
public:
    explicit ByteOffsets(std::string_view bytes) : bytes(bytes), start(bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0), byte(start) {}
    qsizetype of(qsizetype units)
    {
        if (units < unit)
            unit = 0, byte = start;
        while (unit < units && byte < bytes.size()) {
            const auto b = static_cast<unsigned char>(bytes[byte]);
            const std::size_t length = b < 0xC0 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
            byte += length;
            unit += length == 4 ? 2 : 1;
        }
        return qsizetype(std::min(byte, bytes.size()));
    }

private:
    std::string_view bytes;
    std::size_t start, byte;
    qsizetype unit = 0;
};

// False, with why, where a part is not UTF-8 (a UTF-16 mark, or a declaration of another
// encoding): a part is read in its UTF-8 bytes.
bool readsAsUtf8(std::string_view bytes, const std::string& part, std::string& error);

// An edit of a part kept until the part is written, in the UTF-8 it will be written in
// (half the room of its UTF-16 where it is markup).
struct Change {
    qsizetype begin, end;
    std::string with;
    Change(qsizetype begin, qsizetype end, const QString& with) : begin(begin), end(end), with(with.toStdString()) {}
    template <class Edit>
    Change(const Edit& e) : Change(e.begin, e.end, e.with) {}
};

// How many bytes text takes in UTF-8.
inline std::size_t utf8SizeOf(QStringView text)
{
    std::size_t n = std::size_t(text.size());
    for (const QChar c : text)
        n += (c.unicode() >= 0x80) + (c.unicode() >= 0x800 && !c.isSurrogate());
    return n;  // a pair is 4 bytes: 1 + 1 for each of its halves
}

// Text as XML character data or an attribute value, in either quotes.
QString xmlEscaped(const QString& text);

// False, with why, when part would not be well-formed XML (or declares a document type).
bool wellFormedXml(std::string_view xml, const std::string& part, std::string& error);

// False, with why, when the converted RTF's groups do not close as the original's did.
bool balancedAsBefore(std::string_view original, std::string_view converted, std::string& error);

// The text with its edits made (each replaces what lies between its begin and end with its
// with; begin == end puts it in), built once from the start: edits never overlap, and where
// two start at one place, what is put in goes before what replaces, and those put in keep
// their order.
template <class Text, class Edit>
Text spliced(const Text& text, std::vector<Edit>& edits)
{
    std::stable_sort(edits.begin(), edits.end(),
                     [](const Edit& a, const Edit& b) { return a.begin != b.begin ? a.begin < b.begin : a.end < b.end; });
    std::size_t grows = 0;
    for (const Edit& e : edits)
        grows += std::size_t(e.with.size());
    Text out;
    out.reserve(decltype(out.size())(std::size_t(text.size()) + grows));
    decltype(edits.front().begin) at = 0;
    for (const Edit& e : edits) {
        out.append(text.data() + at, decltype(out.size())(e.begin - at));
        out.append(e.with);
        at = e.end;
    }
    out.append(text.data() + at, decltype(out.size())(decltype(at)(text.size()) - at));
    return out;
}

// The same, written as UTF-8 as it is built: no whole copy of the part in UTF-16 besides the
// one read.
template <class Edit>
std::string splicedUtf8(QStringView text, std::vector<Edit>& edits)
{
    std::stable_sort(edits.begin(), edits.end(),
                     [](const Edit& a, const Edit& b) { return a.begin != b.begin ? a.begin < b.begin : a.end < b.end; });
    // Its size first, so that it is made once: a string that grows holds two copies of
    // itself as it does.
    std::size_t size = 0;
    qsizetype from = 0;
    for (const Edit& e : edits) {
        size += utf8SizeOf(text.mid(from, qsizetype(e.begin) - from)) + utf8SizeOf(e.with);
        from = qsizetype(e.end);
    }
    size += utf8SizeOf(text.mid(from));
    std::string out;
    out.reserve(size);
    const auto append = [&out](QStringView piece) {
        constexpr qsizetype Piece = 1 << 16;
        for (qsizetype k = 0; k < piece.size();) {
            qsizetype n = std::min(Piece, piece.size() - k);
            if (k + n < piece.size() && piece[k + n - 1].isHighSurrogate())
                --n;  // never a pair cut in two
            const QByteArray bytes = piece.mid(k, n).toUtf8();
            out.append(bytes.constData(), std::size_t(bytes.size()));
            k += n;
        }
    };
    qsizetype at = 0;
    for (const Edit& e : edits) {
        append(text.mid(at, qsizetype(e.begin) - at));
        append(e.with);
        at = qsizetype(e.end);
    }
    append(text.mid(at));
    return out;
}

// The same over a part's UTF-8 bytes, the edits' offsets being the bytes' (their texts in
// UTF-8 or UTF-16).
template <class Edit>
std::string splicedBytes(std::string_view bytes, std::vector<Edit>& edits)
{
    std::stable_sort(edits.begin(), edits.end(),
                     [](const Edit& a, const Edit& b) { return a.begin != b.begin ? a.begin < b.begin : a.end < b.end; });
    constexpr bool utf8 = std::is_same_v<decltype(edits.front().with), std::string>;
    std::size_t size = bytes.size();
    for (const Edit& e : edits)
        if constexpr (utf8)
            size += e.with.size() - std::size_t(e.end - e.begin);
        else
            size += utf8SizeOf(e.with) - std::size_t(e.end - e.begin);
    std::string out;
    out.reserve(size);
    std::size_t at = 0;
    for (const Edit& e : edits) {
        out.append(bytes.substr(at, std::size_t(e.begin) - at));
        if constexpr (utf8) {
            out.append(e.with);
        } else {
            const QByteArray with = e.with.toUtf8();
            out.append(with.constData(), std::size_t(with.size()));
        }
        at = std::size_t(e.end);
    }
    out.append(bytes.substr(at));
    return out;
}

} // namespace orvane::office
