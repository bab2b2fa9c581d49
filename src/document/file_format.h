#pragma once
// The files a document is kept in, both ways, in pieces: one encoder and one decoder for
// each form, carrying the document's whole format.
//
// A .tam document: the text's bytes, CR LF line breaks, and one closing CR LF that is not
// part of the text. Reading, a line ends at CR LF or at a lone CR (which is then written back
// as CR LF); a lone LF is an ordinary character of its line; the file's closing terminator
// adds no line.
//
// Unicode text: UTF-8 with the line ends (LF, CR LF or CR), the byte-order mark and the last
// line end the format says, converted to the codes that draw it and back again. A file that
// starts with the UTF-8 byte-order mark and is UTF-8 after it, or that is UTF-8 and holds at
// least one Tamil character, is Unicode text; everything else (pure ASCII, UTF-8 without
// Tamil, bytes that are no UTF-8, an empty file) is a .tam document.

#include "document/document.h"
#include "document/segments.h"
#include "platform/both_at_once.h"
#include "platform/file_service.h"

#include "document/unicode_origin.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// What a save writes after a .tam document's text.
inline constexpr std::string_view TamClosingLineEnd = "\r\n";
inline constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// Document bytes (CR LF between lines) in, a file's bytes out.
class FileEncoder {
public:
    explicit FileEncoder(const DocumentFormat& format) : format(format) {}
    // The file bytes of more of the document, handed to put; false when put gives up.
    bool write(std::string_view document, const ByteSource::Put& put);
    // The document has ended: what the file holds after its text.
    bool finish(const ByteSource::Put& put);
    // A .tam file's: characters of other text written as their own bytes, and as "?".
    std::size_t ownBytes() const { return ownBytes_; }
    std::size_t unconvertible() const { return unconvertible_; }

private:
    bool writeTam(std::string_view document, const ByteSource::Put& put);
    std::string ownBytesOf(std::string_view other);
    bool start(const ByteSource::Put& put);
    bool convert(bool atEnd, const ByteSource::Put& put);
    bool putConverted(std::string_view text, const ByteSource::Put& put);

    const DocumentFormat format;
    bool started = false;
    SegmentReader reader;
    std::string pending, converted;
    // Whole lines read beside while more comes in, and their text, put before what follows.
    std::string aheadLines, aheadText;
    std::optional<Beside> ahead;
    std::size_t ownBytes_ = 0, unconvertible_ = 0;
};

// A file's bytes in, document bytes out.
class FileDecoder {
public:
    // kind: the form the file is read as (formatOf tells it).
    explicit FileDecoder(DocumentFormat::Kind kind) : kind(kind) {}
    bool read(std::string_view file, const ByteSource::Put& put);
    bool finish(const ByteSource::Put& put);
    // Unicode characters that became "?" for want of a code, and syllables written as
    // another that Bamini draws in their place (ஞு as ஞ).
    std::size_t unconvertible() const { return lost; }
    std::size_t drawnAs() const { return drawnAs_; }

private:
    bool convertUnicode(std::size_t cut, const ByteSource::Put& put);

    const DocumentFormat::Kind kind;
    bool started = false;
    std::string pending;
    std::size_t noCut = 0;  // pending's first bytes, known to hold no place to cut
    std::size_t lost = 0, drawnAs_ = 0;
};

// The form of a file, told from its bytes. englishIsUnicode: ASCII that reads as English (a
// letter, a README) is Unicode text, not Bamini codes; for a file whose name is no .tam.
DocumentFormat formatOf(std::string_view bytes, bool englishIsUnicode = false);
// Whether ASCII text's words read as English rather than as Bamini codes: more than half of
// those of its first 64 KB.
bool readsAsEnglish(std::string_view bytes);

// A document as the bytes of its file, in pieces, for a save; the size is worked out first.
ByteSource encodedFile(const DocumentFormat& format, const ByteSource& document);

struct OpenedText {
    std::string text;               // the document's bytes
    DocumentFormat format;
    std::size_t unconvertible = 0;  // Unicode characters that became "?"
    std::size_t drawnAs = 0;        // Unicode syllables written as another (ஞு as ஞ)
    // A Unicode file's lines as they were read, for the saves to keep (none past its limit).
    std::shared_ptr<const UnicodeOrigin> origin;
};
// A whole file's bytes as a document. Takes the bytes over: a .tam file with no lone CR, as
// Orvane writes them, is opened without a copy.
OpenedText openText(std::string bytes, bool englishIsUnicode = false);

// The same, whole, where a document is small: a .tam file's bytes for a text and the text of
// a .tam file's bytes; a Unicode file's bytes for a text.
std::string tamFileBytes(std::string_view text);
std::string tamText(std::string bytes);
std::string unicodeFileBytes(std::string_view text, const DocumentFormat& format);

} // namespace orvane
