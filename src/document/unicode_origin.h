#pragma once
// A Unicode file as it was read, line by line, so that a save changes nothing but the edits.
//
// The document holds a Unicode file as the codes that draw it, and Bamini draws some
// different texts alike (ெ + ள and ௌ, a lone ஒள and ஔ; a U+FEFF inside the text draws
// nothing; each line's own end, LF, CR LF or CR, is one line break). So each line of the file
// is kept with what its codes were when read: a save writes a line whose codes are still
// those as the file had it, and only the others anew from their codes.

#include "document/document.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class UnicodeOrigin {
public:
    // Files larger than this are written from their codes alone: their lines are not kept.
    static constexpr std::size_t MaxBytes = std::size_t(32) << 20;

    // file: a Unicode file's bytes; text: the document's bytes it was read as. Null where the
    // file is larger than MaxBytes, or its lines are not as many as the text's.
    static std::shared_ptr<const UnicodeOrigin> of(std::string file, std::string_view text, const DocumentFormat& format);

    // The file for the document's text now, in the format: its bytes(), and its lines kept
    // for the save after.
    std::shared_ptr<const UnicodeOrigin> fileFor(std::string_view text, const DocumentFormat& format) const;
    std::string_view bytes() const { return file; }

private:
    struct Line {
        std::size_t at = 0;         // where it begins in the file
        std::uint32_t length = 0;   // its bytes, without its end
        std::uint8_t end = 0;       // the bytes of its end: 0, 1 (LF or CR) or 2 (CR LF)
        bool known = false;         // its codes are known (codes and hash say them): the bytes write them
        std::uint32_t codes = 0;    // the length of its codes
        std::uint64_t hash = 0;     // of its codes
    };
    std::string file;
    std::size_t bodyAt = 0;  // past the byte-order mark
    std::vector<Line> lines;
};

} // namespace orvane
