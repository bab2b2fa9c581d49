#pragma once
// Whole-file reads and all-or-nothing writes.

#include <initializer_list>
#include <string>
#include <string_view>

namespace orvane {

struct ReadOutcome {
    enum Status { Read, Missing, Failed };
    Status status = Failed;
    std::string bytes;
    std::string error;  // why it failed, for a message naming the file
};

struct WriteOutcome {
    bool written = false;
    std::string error;
};

class FileService {
public:
    virtual ~FileService() = default;
    // Reads a regular file of at most maxBytes in one pass. Never blocks on a FIFO or
    // a device: those fail, as do folders.
    virtual ReadOutcome readFile(const std::string& path, std::size_t maxBytes) = 0;
    // Replaces the file's contents with the pieces, one after another, or leaves the old
    // file as it was.
    virtual WriteOutcome writeFile(const std::string& path, std::initializer_list<std::string_view> pieces) = 0;
};

// The files of this machine.
class LocalFiles final : public FileService {
public:
    ReadOutcome readFile(const std::string& path, std::size_t maxBytes) override;
    WriteOutcome writeFile(const std::string& path, std::initializer_list<std::string_view> pieces) override;
};

} // namespace orvane
