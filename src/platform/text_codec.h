#pragma once
// The one crossing between document bytes and the text box's characters.
// Bytes map through the 8-bit character set; CR LF is a paragraph break of the box and a
// lone LF byte is U+2028 inside a paragraph, so that it saves back as one LF. The Tamil code
// 0E, which the document writes as 0E 0F, is one character of the box.

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace orvane::codec {

// For QPlainTextEdit::setPlainText: paragraphs separated by '\n'.
QString toBoxText(std::string_view bytes);

// From QTextDocument::toRawText() (or a selection's text): U+2029 between paragraphs.
std::string fromBoxText(const QString& raw);
// The same for n characters of the box, written to out, which has room for 2 n bytes;
// returns how many bytes it wrote.
std::size_t fromBoxChars(const char16_t* chars, std::size_t n, char* out);

// The byte of a typed character, or nothing when the 8-bit set cannot hold it.
std::optional<unsigned char> byteOf(QChar ch);
QChar charOf(unsigned char byte);

// Text from outside (the clipboard, a drop) made fit for the box: line breaks of any
// kind become paragraph breaks, and characters the 8-bit set cannot hold become "?".
QString fitForBox(const QString& text);

} // namespace orvane::codec
