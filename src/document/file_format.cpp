#include "document/file_format.h"

#include "document/english_words.h"

#include "document/other_text.h"
#include "document/unicode_tamil.h"
#include "platform/charset.h"
#include "platform/utf8.h"

#include <algorithm>
#include <new>

namespace orvane {

namespace {
constexpr std::size_t Chunk = std::size_t(1) << 16;
// Bamini read as Unicode in pieces this large: long enough to be read in halves at once.
constexpr std::size_t ReadingChunk = std::size_t(1) << 19;

// Where UTF-8 text may be cut for conversion in pieces, looking no further back than from:
// after an ASCII character other than a line end (the last line end of the text is dropped,
// so it must wait for the end), or before a Tamil letter that no pulli or dotted circle
// joins to what precedes. 0 for nowhere.
std::size_t safeCut(std::string_view text, std::size_t from)
{
    for (std::size_t k = text.size(); k-- > from;) {
        const auto b = static_cast<unsigned char>(text[k]);
        if (b < 0x80 && b != '\r' && b != '\n')
            return k + 1;
        const char32_t c = k >= 3 ? utf8::tamilAt(text, k) : 0;
        const bool letter = (c >= 0x0B85 && c <= 0x0B94) || (c >= 0x0B95 && c <= 0x0BB9);
        if (letter && utf8::tamilAt(text, k - 3) != 0x0BCD && text.substr(k - 3, 3) != "\u25CC")
            return k;
    }
    return 0;
}

// Where to cut text that has no safe place: a few bytes before its end (which may be the
// text's last line end), neither inside a character nor inside a CR LF. Bytes that continue
// no character are each one bad character, so a cut between them changes nothing.
std::size_t forcedCut(std::string_view text)
{
    std::size_t cut = text.size() - 4;
    for (int back = 0; back < 3 && cut > 0 && utf8::isContinuation(static_cast<unsigned char>(text[cut])); ++back)
        --cut;
    if (utf8::isContinuation(static_cast<unsigned char>(text[cut])))
        cut = text.size() - 4;
    return text[cut] == '\n' && text[cut - 1] == '\r' ? cut - 1 : cut;
}

std::size_t lineEndLength(std::string_view text)
{
    return text.ends_with("\r\n") ? 2 : text.ends_with('\n') || text.ends_with('\r') ? 1 : 0;
}

// Hands text to put with every lone CR (one not followed by LF) written as CR LF; a CR at
// its very end is lone when loneAtEnd.
bool putWithLoneCrs(std::string_view text, bool loneAtEnd, const ByteSource::Put& put);

// Hands a .tam file's bytes to put as a document's: the code OtherBegins written so that it is
// no start of other text.
bool putCodes(std::string_view text, const ByteSource::Put& put)
{
    for (std::size_t at = text.find(OtherBegins); at != std::string_view::npos; at = text.find(OtherBegins)) {
        if (!put(text.substr(0, at + 1)) || !put(std::string_view(&OtherEnds, 1)))
            return false;
        text.remove_prefix(at + 1);
    }
    return text.empty() || put(text);
}

bool putWithLoneCrs(std::string_view text, bool loneAtEnd, const ByteSource::Put& put)
{
    // Up to each lone CR in one piece: CR LF needs nothing done.
    std::size_t from = 0;
    for (std::size_t cr = text.find('\r'); cr != std::string_view::npos; cr = text.find('\r', cr + 1)) {
        const bool lone = cr + 1 == text.size() ? loneAtEnd : text[cr + 1] != '\n';
        if (!lone)
            continue;
        if (!putCodes(text.substr(from, cr - from), put) || !put("\r\n"))
            return false;
        from = cr + 1;
    }
    return from == text.size() || putCodes(text.substr(from), put);
}

std::string collect(const std::function<bool(const ByteSource::Put&)>& produce)
{
    std::string out;
    produce([&out](std::string_view piece) {
        out.append(piece);
        return true;
    });
    return out;
}
} // namespace

bool FileEncoder::write(std::string_view document, const ByteSource::Put& put)
{
    if (format.kind == DocumentFormat::Tam)
        return writeTam(document, put);
    if (!start(put))
        return false;
    pending.append(document);
    return pending.size() < ReadingChunk || convert(false, put);
}

bool FileEncoder::finish(const ByteSource::Put& put)
{
    if (format.kind == DocumentFormat::Tam) {
        const std::string rest = std::move(pending);
        pending.clear();
        bool ok = true;
        forEachRun(
            rest, [&](std::string_view codes) { ok = ok && put(codes); },
            [&](std::string_view other) { ok = ok && put(ownBytesOf(other)); });
        return ok && put(TamClosingLineEnd);
    }
    return start(put) && convert(true, put) && (!format.finalLineEnd || put(format.lineEndBytes()));
}

// A .tam file holds Tamil codes alone: a code written OtherBegins OtherEnds is its byte again,
// and other text, which should not reach here, is written as the 8-bit set's bytes where it
// has them and "?" where not, and counted either way.
bool FileEncoder::writeTam(std::string_view document, const ByteSource::Put& put)
{
    if (!pending.empty()) {  // the last line of the last piece, which held other text
        pending.append(document);
        std::string joined = std::move(pending);
        pending.clear();
        return writeTam(joined, put);
    }
    if (document.find(OtherBegins) == std::string_view::npos)
        return put(document);
    // Other text never goes past a line end: from the first run of the last line on, what
    // may go on in the next piece waits for it.
    const std::size_t lastLine = document.rfind('\n');
    const std::size_t end = document.find(OtherBegins, lastLine == std::string_view::npos ? 0 : lastLine + 1);
    if (end != std::string_view::npos)
        pending = std::string(document.substr(end));
    bool ok = true;
    forEachRun(
        document.substr(0, std::min(end, document.size())), [&](std::string_view codes) { ok = ok && put(codes); },
        [&](std::string_view other) { ok = ok && put(ownBytesOf(other)); });
    return ok;
}

std::string FileEncoder::ownBytesOf(std::string_view other)
{
    std::string bytes;
    for (std::size_t i = 0; i < other.size();) {
        const char32_t c = utf8::decodeAt(other, i);
        const int b = charset::toByte(c);
        const bool own = b >= 0 && !(c >= 0x0B80 && c <= 0x0BFF);
        bytes += own ? char(b) : '?';
        ownBytes_ += own;
        unconvertible_ += !own;
    }
    return bytes;
}

// The file's first bytes: its byte-order mark, where it has one.
bool FileEncoder::start(const ByteSource::Put& put)
{
    if (started)
        return true;
    started = true;
    return !format.byteOrderMark || put(ByteOrderMark);
}

bool FileEncoder::convert(bool atEnd, const ByteSource::Put& put)
{
    // The lines read beside go out first.
    std::string before;
    if (ahead) {
        ahead->wait();
        ahead.reset();
        before = std::move(aheadText);
    }
    converted.clear();
    // Before more comes in: the whole lines here read in two pieces at once, the later one
    // beside while this one is read and more is taken in (a line feed ends all a reading
    // carries, unless other text is open). The first is the shorter: its thread also moves
    // the bytes in and out.
    const std::size_t lastFeed = atEnd ? std::string::npos : pending.rfind('\n');
    if (lastFeed != std::string::npos && !reader.withinOtherText()
        && std::string_view(pending).substr(0, lastFeed).find(OtherBegins) == std::string_view::npos) {
        const std::size_t cut = pending.find('\n', (lastFeed + 1) * 9 / 20) + 1;
        if (cut <= lastFeed) {
            aheadLines.assign(pending, cut, lastFeed + 1 - cut);
            aheadText.clear();
            ahead.emplace([this] { SegmentReader().appendText(aheadLines, true, aheadText, false); });
            if (!putConverted(before, put))
                return false;
            reader.appendText(std::string_view(pending).substr(0, cut), true, converted, false);
            pending.erase(0, lastFeed + 1);
            return putConverted(converted, put);
        }
    }
    if (!putConverted(before, put))
        return false;
    pending.erase(0, reader.appendText(pending, atEnd, converted));
    return putConverted(converted, put);
}

bool FileEncoder::putConverted(std::string_view text, const ByteSource::Put& put)
{
    if (text.empty())
        return true;
    if (format.lineEnd == DocumentFormat::Lf)
        return put(text);
    const std::string_view lineEnd = format.lineEndBytes();
    std::string_view rest = text;
    for (std::size_t at = rest.find('\n'); at != std::string_view::npos; at = rest.find('\n')) {
        if (!put(rest.substr(0, at)) || !put(lineEnd))
            return false;
        rest.remove_prefix(at + 1);
    }
    return rest.empty() || put(rest);
}

bool FileDecoder::read(std::string_view file, const ByteSource::Put& put)
{
    if (kind == DocumentFormat::Tam) {
        // The file's closing terminator, or the CR of a CR LF, may be the last of what came:
        // it waits for what follows.
        std::string joined;
        if (!pending.empty()) {
            joined = pending + std::string(file);
            file = joined;
        }
        const std::size_t hold = file.ends_with("\r\n") ? 2 : file.ends_with('\r') ? 1 : 0;
        const std::string_view now = file.substr(0, file.size() - hold);
        // A CR that ends what is written now has a CR after it: it is lone.
        const bool ok = putWithLoneCrs(now, true, put);
        pending = std::string(file.substr(file.size() - hold));
        return ok;
    }
    pending.append(file);
    if (!started) {
        // A byte-order mark marks the encoding; it is no text.
        if (pending.size() < ByteOrderMark.size() && ByteOrderMark.starts_with(pending))
            return true;
        if (pending.starts_with(ByteOrderMark))
            pending.erase(0, ByteOrderMark.size());
        started = true;
    }
    if (pending.size() <= 2 * Chunk)  // long enough to be read in two halves at once
        return true;
    // Bytes already looked at are not looked at again: the time grows with the input, not
    // with its square, however long a stretch without a safe cut.
    std::size_t cut = safeCut(pending, noCut > 8 ? noCut - 8 : 0);
    if (cut == 0) {
        noCut = pending.size();
        if (pending.size() < 16 * Chunk)
            return true;
        cut = forcedCut(pending);  // nowhere to cut cleanly (line ends alone, say)
    }
    const bool ok = convertUnicode(cut, put);
    noCut = pending.size();  // the cut was the last safe one
    return ok;
}

bool FileDecoder::convertUnicode(std::size_t cut, const ByteSource::Put& put)
{
    UnicodeReading reading;
    reading.other = UnicodeReading::AsOtherText;  // English and the rest kept as they are
    const std::string codes = unicodeToBamini(std::string_view(pending).substr(0, cut), reading);
    lost += reading.unconvertible;
    drawnAs_ += reading.drawnAs;
    pending.erase(0, cut);
    return put(codes);
}

bool FileDecoder::finish(const ByteSource::Put& put)
{
    if (kind == DocumentFormat::Tam)
        return true;  // what waits is the closing terminator, no line of the text
    if (!started && pending.starts_with(ByteOrderMark))
        pending.erase(0, ByteOrderMark.size());
    started = true;
    // The last line end is the file's, not a line of the text (a save writes it again).
    pending.resize(pending.size() - lineEndLength(pending));
    return convertUnicode(pending.size(), put);
}

bool readsAsEnglish(std::string_view bytes)
{
    std::string_view head = bytes.substr(0, std::size_t(64) << 10);
    if (head.size() < bytes.size() && head.rfind('\n') != std::string_view::npos)
        head = head.substr(0, head.rfind('\n') + 1);
    if (std::any_of(head.begin(), head.end(), [](char c) { return (c & 0x80) != 0 || c == OtherBegins || c == OtherEnds; }))
        return false;
    const EnglishShare share = englishShare(head);
    return share.english * 2 > share.words;
}

DocumentFormat formatOf(std::string_view bytes, bool englishIsUnicode)
{
    DocumentFormat format;
    const bool marked = bytes.starts_with(ByteOrderMark);
    const std::string_view text = marked ? bytes.substr(ByteOrderMark.size()) : bytes;
    if (!utf8::isValid(text) || (!marked && !utf8::containsTamil(text) && !(englishIsUnicode && readsAsEnglish(text))))
        return format;
    format.kind = DocumentFormat::Unicode;
    format.byteOrderMark = marked;
    // The first line end says how they all end.
    const std::size_t end = text.find_first_of("\r\n");
    if (end != std::string_view::npos && text[end] == '\r')
        format.lineEnd = end + 1 < text.size() && text[end + 1] == '\n' ? DocumentFormat::CrLf : DocumentFormat::Cr;
    format.finalLineEnd = lineEndLength(text) > 0;
    return format;
}

ByteSource encodedFile(const DocumentFormat& format, const ByteSource& document)
{
    const auto produce = [format, document](const ByteSource::Put& put) {
        FileEncoder encoder(format);
        return document.produce([&](std::string_view piece) { return encoder.write(piece, put); }) && encoder.finish(put);
    };
    std::size_t size = document.size + TamClosingLineEnd.size();
    if (format.kind == DocumentFormat::Unicode) {
        size = 0;
        produce([&size](std::string_view piece) {
            size += piece.size();
            return true;
        });
    }
    return {size, produce};
}

OpenedText openText(std::string bytes, bool englishIsUnicode)
{
    OpenedText opened;
    opened.format = formatOf(bytes, englishIsUnicode);
    if (opened.format.kind == DocumentFormat::Tam) {
        opened.text = tamText(std::move(bytes));
        return opened;
    }
    FileDecoder decoder(DocumentFormat::Unicode);
    opened.text = collect([&](const ByteSource::Put& put) { return decoder.read(bytes, put) && decoder.finish(put); });
    opened.unconvertible = decoder.unconvertible();
    opened.drawnAs = decoder.drawnAs();
    try {  // what the file's lines were is kept where memory holds it: a save does without
        opened.origin = UnicodeOrigin::of(std::move(bytes), opened.text, opened.format);
    } catch (const std::bad_alloc&) {
        opened.origin.reset();
    }
    return opened;
}

std::string tamFileBytes(std::string_view text)
{
    FileEncoder encoder{DocumentFormat{}};
    return collect([&](const ByteSource::Put& put) { return encoder.write(text, put) && encoder.finish(put); });
}

std::string tamText(std::string bytes)
{
    const std::size_t closing = bytes.ends_with("\r\n") ? 2 : bytes.ends_with('\r') ? 1 : 0;
    const std::string_view text = std::string_view(bytes).substr(0, bytes.size() - closing);
    bool loneCr = text.find(OtherBegins) != std::string_view::npos;
    for (std::size_t cr = text.find('\r'); cr != std::string_view::npos && !loneCr; cr = text.find('\r', cr + 1))
        loneCr = cr + 1 == text.size() || text[cr + 1] != '\n';
    if (!loneCr) {  // as Orvane writes them: the text is the bytes, without a copy
        bytes.resize(text.size());
        return bytes;
    }
    FileDecoder decoder(DocumentFormat::Tam);
    return collect([&](const ByteSource::Put& put) { return decoder.read(bytes, put) && decoder.finish(put); });
}

std::string unicodeFileBytes(std::string_view text, const DocumentFormat& format)
{
    FileEncoder encoder(format);
    return collect([&](const ByteSource::Put& put) { return encoder.write(text, put) && encoder.finish(put); });
}

} // namespace orvane
