#pragma once
// Whole-file reads and all-or-nothing writes. Paths are the bytes the system knows the files
// by; they are never decoded on the way.

#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
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
    bool folder = false;
    std::uint64_t contents = 0;  // a fingerprint of the bytes read or written; 0 not known

    bool sameFile(const FileIdentity& other) const
    {
        return exists && other.exists && device == other.device && inode == other.inode;
    }
    bool sameContents(const FileIdentity& other) const
    {
        return sameTimes(other) && (changedNs == 0 || other.changedNs == 0 || changedNs == other.changedNs);
    }
    // Size and modification time as they were: only the inode changed (its permissions, a
    // new name), unless a program set the times back. The bytes tell which.
    bool sameTimes(const FileIdentity& other) const
    {
        return sameFile(other) && size == other.size && modifiedNs == other.modifiedNs;
    }
};

// The fingerprint of a file's bytes, taken as they pass in pieces (how they are cut does not
// matter): eight bytes a step, so that it costs a read or a save next to nothing.
class ContentsPrint {
public:
    void add(std::string_view bytes)
    {
        while (!bytes.empty() && held > 0 && held < 8) {
            word |= std::uint64_t(static_cast<unsigned char>(bytes.front())) << (8 * held++);
            bytes.remove_prefix(1);
        }
        if (held == 8)
            mix();
        while (bytes.size() >= 8) {
            std::uint64_t w;
            std::memcpy(&w, bytes.data(), 8);
            word = w;
            mix();
            bytes.remove_prefix(8);
        }
        for (const char c : bytes)
            word |= std::uint64_t(static_cast<unsigned char>(c)) << (8 * held++);
    }
    std::uint64_t value() const
    {
        std::uint64_t h = (state ^ word ^ (length + held)) * 0x9E3779B97F4A7C15ull;
        return (h ^ (h >> 29)) | 1;  // never 0, which means not known
    }

private:
    void mix()
    {
        state = (state ^ word) * 0x100000001B3ull;
        state ^= state >> 31;
        word = 0;
        held = 0;
        length += 8;
    }
    std::uint64_t state = 0xCBF29CE484222325ull, word = 0, length = 0;
    unsigned held = 0;
};

inline std::uint64_t contentsPrint(std::string_view bytes)
{
    ContentsPrint print;
    print.add(bytes);
    return print.value();
}

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
    // How many bytes will be written, where known (0: not known): writing into the file, its
    // room is reserved and the size limit checked before a byte changes.
    std::size_t expectedSize = 0;
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

// One file being written, the one way bytes reach the disk: a new version beside the file,
// put in its place whole by commit, or (WriteOptions::inPlace) the file itself written into,
// its old contents put back should anything fail. Dropped without commit, it leaves the file
// as it was.
class FileWriter {
public:
    virtual ~FileWriter() = default;
    virtual bool write(std::string_view bytes) = 0;
    // Takes back the last count bytes written, into out (for a Backspace that reaches back
    // past what was handed over); a new version only.
    virtual bool takeBack(std::size_t count, std::string& out) = 0;
    virtual bool commit() = 0;
    virtual const std::string& error() const = 0;
    // The file written, once committed.
    virtual FileIdentity identity() const = 0;
};

class FileService {
public:
    virtual ~FileService() = default;
    // Reads a regular file of at most maxBytes in one pass. Never blocks on a FIFO or
    // a device: those fail, as do folders.
    virtual ReadOutcome readFile(const std::string& path, std::size_t maxBytes) = 0;
    // Starts writing the file at path; nothing, with error set, when the name cannot take
    // one (a folder, a device, a missing folder, a link loop). A new version keeps the owner,
    // group and permissions of the file it replaces, where the process may set them.
    virtual std::unique_ptr<FileWriter> startWrite(const std::string& path, const WriteOptions& options,
                                                   std::string& error) = 0;
    // Replaces the file's contents with the pieces, one after another, or leaves the old
    // file as it was. When the source gives up, the error is the writer's, or empty.
    WriteOutcome writeBytes(const std::string& path, const ByteSource& source, WriteOptions options = {});
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
    std::unique_ptr<FileWriter> startWrite(const std::string& path, const WriteOptions& options,
                                           std::string& error) override;
    FileIdentity identify(const std::string& path) override;
    std::string absolute(const std::string& path) override;
};

// A file size limit (ulimit -f) must make a write fail with "File too large", not end
// the program: the signal it raises is ignored from the first use of LocalFiles on.
void ignoreFileSizeSignal();

} // namespace orvane
