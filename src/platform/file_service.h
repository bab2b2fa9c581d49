#pragma once
// Whole-file reads and all-or-nothing writes. Paths are the bytes the system knows the files
// by; they are never decoded on the way.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace orvane {

// Which file a name stands for, and in what state: what a document remembers of what it
// last read or wrote, to tell when another program changed or replaced it.
struct FileIdentity {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;  // the inode's change time: a program can set the other back
    std::uint64_t links = 0;  // names of the file (hard links)
    bool regular = false;     // a file, not a folder, device or FIFO

    bool sameFile(const FileIdentity& other) const
    {
        return exists && other.exists && device == other.device && inode == other.inode;
    }
    bool sameContents(const FileIdentity& other) const
    {
        return sameFile(other) && size == other.size && modifiedNs == other.modifiedNs
               && (changedNs == 0 || other.changedNs == 0 || changedNs == other.changedNs);
    }
};

struct ReadOutcome {
    enum Status { Read, Missing, Failed };
    Status status = Failed;
    std::string bytes;
    std::string error;  // why it failed, for a message naming the file
    FileIdentity identity;
};

struct WriteOptions {
    // Write into the existing file instead of replacing it, so that its other names (hard
    // links) see the new contents. Refused when the file cannot take them.
    bool inPlace = false;
    // Follow a symbolic link to the file it names; otherwise a link is replaced.
    bool throughLinks = true;
    // The permissions of the file written, whatever the old one had; 0: the old one's, or
    // the umask's for a new file.
    unsigned mode = 0;
};

// Bytes handed over in pieces, so that a large document is written without a copy of it
// all: produce calls put with each piece in order, and stops (returning false) when put
// does. size is their total.
struct ByteSource {
    using Put = std::function<bool(std::string_view)>;
    std::size_t size = 0;
    std::function<bool(const Put& put)> produce;
};

struct WriteOutcome {
    bool written = false;
    std::string error;
    FileIdentity identity;  // of the file written
};

class FileService {
public:
    virtual ~FileService() = default;
    // Reads a regular file of at most maxBytes in one pass. Never blocks on a FIFO or
    // a device: those fail, as do folders.
    virtual ReadOutcome readFile(const std::string& path, std::size_t maxBytes) = 0;
    // Replaces the file's contents with the pieces, one after another, or leaves the old
    // file as it was. A new file keeps the owner, group and permissions of the one it
    // replaces, where the process may set them.
    virtual WriteOutcome writeBytes(const std::string& path, const ByteSource& source, WriteOptions options = {}) = 0;
    WriteOutcome writeFile(const std::string& path, std::initializer_list<std::string_view> pieces,
                           WriteOptions options = {});
    // The file the name stands for now, following links.
    virtual FileIdentity identify(const std::string& path) = 0;
    // The name from the root, which means the same file wherever the program runs from.
    virtual std::string absolute(const std::string& path) = 0;
};

// The files of this machine.
class LocalFiles final : public FileService {
public:
    LocalFiles();
    ReadOutcome readFile(const std::string& path, std::size_t maxBytes) override;
    WriteOutcome writeBytes(const std::string& path, const ByteSource& source, WriteOptions options = {}) override;
    FileIdentity identify(const std::string& path) override;
    std::string absolute(const std::string& path) override;
};

// A file size limit (ulimit -f) must make a write fail with "File too large", not end
// the program: the signal it raises is ignored from the first use of LocalFiles on.
void ignoreFileSizeSignal();

} // namespace orvane
