#pragma once
// Documents of other programs (a word processor's) opened as text: the one service the
// document flows ask before they read a file's bytes as a .tam document or Unicode text.

#include <optional>
#include <string>
#include <string_view>

namespace orvane {

class DocumentImporter {
public:
    virtual ~DocumentImporter() = default;
    // The text of the document the bytes are, as UTF-8 (Tamil as Unicode, English as it is,
    // a line for each paragraph); nothing when they are no such document. error is set when
    // they are one that cannot be read, or not opened.
    virtual std::optional<std::string> importText(std::string_view bytes, std::string& error) = 0;
};

} // namespace orvane
