#pragma once
// The zip container of word-processor documents (.docx, .odt), read whole into memory with
// bounds on what it may expand to, and written back in the same order with each entry stored
// as it was (an OpenDocument's "mimetype" must stay first and uncompressed).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::office {

struct ZipEntry {
    std::string name;
    std::string data;
    bool stored = false;  // not compressed
};

// What a document's entries may expand to, together and each; past it the archive is refused
// as a zip bomb would be.
constexpr std::size_t MaxExpandedBytes = std::size_t(512) << 20;
constexpr std::size_t MaxEntryBytes = std::size_t(256) << 20;

// The entries of a zip archive, in order; false, with why, when it cannot be read or is not
// to be trusted (names that leave the folder or repeat, encryption, entries past the bounds).
// wanted, when given, picks the entries read and counted against bound (the others are
// checked, not expanded).
bool readZip(std::string_view bytes, std::vector<ZipEntry>& entries, std::string& error,
             std::size_t bound = MaxExpandedBytes, const std::function<bool(const std::string&)>& wanted = {});
// The names of its entries, from its directory alone, with the same checks; nothing is expanded.
bool zipDirectory(std::string_view bytes, std::vector<std::string>& names, std::string& error,
                  std::size_t bound = MaxExpandedBytes);
// The entries as a zip archive.
bool writeZip(const std::vector<ZipEntry>& entries, std::string& bytes, std::string& error);

// The entry of that name, or null.
ZipEntry* entryNamed(std::vector<ZipEntry>& entries, std::string_view name);
const ZipEntry* entryNamed(const std::vector<ZipEntry>& entries, std::string_view name);

} // namespace orvane::office
