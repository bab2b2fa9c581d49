#include "platform/file_service.h"
#include "platform/reasons.h"

#include "platform/atomic_file.h"
#include "platform/posix_io.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {

namespace {
// A descriptor closed when it goes.
struct Fd {
    int fd = -1;
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    explicit Fd(int fd) : fd(fd) {}
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
    // Closes now, for the error a close may report (a full disk over NFS, say).
    int close()
    {
        const int result = ::close(fd);
        fd = -1;
        return result;
    }
};

std::string megabytes(std::size_t bytes) { return std::to_string(bytes / (1024 * 1024)) + " MB"; }

std::string reason(int error) { return std::strerror(error); }

} // namespace

void ignoreFileSizeSignal()
{
    static const bool ignored = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        return true;
    }();
    (void)ignored;
}

LocalFiles::LocalFiles() { ignoreFileSizeSignal(); }

ReadOutcome LocalFiles::readFile(const std::string& path, std::size_t maxBytes)
{
    ReadOutcome out;
    // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused below.
    Fd file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.fd < 0) {
        out.status = errno == ENOENT ? ReadOutcome::Missing : ReadOutcome::Failed;
        out.error = reason(errno);
        return out;
    }
    struct stat info {};
    if (::fstat(file.fd, &info) != 0) {
        out.error = reason(errno);
        return out;
    }
    if (S_ISDIR(info.st_mode)) {
        out.error = reasons::say<Reason::Folder>();
        return out;
    }
    if (!S_ISREG(info.st_mode)) {
        out.error = reasons::say<Reason::NotRegular>();
        return out;
    }
    if (std::size_t(info.st_size) > maxBytes) {
        out.error = "it is larger than " + megabytes(maxBytes);
        return out;
    }
    out.identity = posix::identityOf(info);
    // The size is a hint: a file that grows while it is read is read on, up to the limit.
    out.bytes.resize(std::size_t(info.st_size));
    std::size_t got = 0;
    char more[65536];
    for (;;) {
        const bool intoBuffer = got < out.bytes.size();
        char* const into = intoBuffer ? out.bytes.data() + got : more;
        const std::size_t room = intoBuffer ? out.bytes.size() - got : sizeof more;
        const ssize_t n = ::read(file.fd, into, room);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            out.error = reason(errno);
            out.bytes.clear();
            return out;
        }
        if (n == 0)
            break;
        if (!intoBuffer)
            out.bytes.append(more, std::size_t(n));
        got += std::size_t(n);
        if (got > maxBytes) {
            out.error = "it is larger than " + megabytes(maxBytes);
            out.bytes.clear();
            return out;
        }
    }
    out.bytes.resize(got);
    if (got != std::size_t(info.st_size) && ::fstat(file.fd, &info) == 0)
        out.identity = posix::identityOf(info);
    out.status = ReadOutcome::Read;
    return out;
}

WriteOutcome FileService::writeBytes(const std::string& path, const ByteSource& source, WriteOptions options)
{
    WriteOutcome out;
    options.expectedSize = source.size;
    const std::unique_ptr<FileWriter> file = startWrite(path, options, out.error);
    if (!file)
        return out;
    ContentsPrint print;
    if (!source.produce([&file, &print](std::string_view piece) {
            print.add(piece);
            return file->write(piece);
        })
        || !file->commit()) {
        out.error = file->error();
        return out;
    }
    out.written = true;
    out.identity = file->identity();
    out.identity.contents = print.value();
    return out;
}

WriteOutcome FileService::writeFile(const std::string& path, std::initializer_list<std::string_view> pieces,
                                    WriteOptions options)
{
    ByteSource source;
    for (const std::string_view piece : pieces)
        source.size += piece.size();
    source.produce = [&pieces](const ByteSource::Put& put) {
        return std::all_of(pieces.begin(), pieces.end(), [&](std::string_view piece) { return put(piece); });
    };
    return writeBytes(path, source, options);
}

std::unique_ptr<FileWriter> LocalFiles::startWrite(const std::string& path, const WriteOptions& options,
                                                   std::string& error)
{
    auto file = std::make_unique<AtomicFile>();
    const bool opened = file->open(path, options.throughLinks, options.mode);
    // Into the file itself: for its other names (hard links), or where its folder takes no
    // new file but the file may be written.
    const int cause = file->lastErrno();
    if ((opened && options.inPlace && file->replacesFile())
        || (!opened && file->replacesFile() && (cause == EACCES || cause == EPERM || cause == EROFS)
            && ::access(file->target().c_str(), W_OK) == 0)) {
        const std::string target = file->target();
        file->cancel();
        auto inPlace = std::make_unique<InPlaceFile>();
        if (!inPlace->open(target, options.expectedSize)) {
            error = inPlace->error();
            return nullptr;
        }
        return inPlace;
    }
    if (!opened) {
        error = file->error();
        return nullptr;
    }
    return file;
}

FileIdentity LocalFiles::identify(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? posix::identityOf(info) : FileIdentity{};
}

} // namespace orvane

namespace orvane {

std::string LocalFiles::absolute(const std::string& path)
{
    if (path.empty() || path.starts_with('/'))
        return path;
    std::string folder(PATH_MAX, '\0');
    if (!::getcwd(folder.data(), folder.size()))
        return path;
    folder.resize(std::strlen(folder.c_str()));
    std::string_view rest = path;
    while (rest.starts_with("./"))
        rest.remove_prefix(2);
    return (folder == "/" ? std::string() : folder) + "/" + std::string(rest);
}

} // namespace orvane
