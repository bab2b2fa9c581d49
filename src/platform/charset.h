#pragma once
// The 8-bit character set of documents: Windows-1252, with the five bytes it leaves
// undefined (81 8D 8F 90 9D) standing for the C1 controls of the same value, so that
// every byte value has exactly one character and back.

#include <cstdint>

namespace orvane::charset {

char16_t toUnicode(unsigned char byte);

// The byte of a character, or -1 when the 8-bit set has none for it.
int toByte(char32_t ch);

} // namespace orvane::charset
