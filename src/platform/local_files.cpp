#include "platform/file_service.h"

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

FileIdentity identityOf(const struct stat& info)
{
    return {true,
            std::uint64_t(info.st_dev),
            std::uint64_t(info.st_ino),
            std::int64_t(info.st_size),
            std::int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
            std::uint64_t(info.st_nlink),
            S_ISREG(info.st_mode)};
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Writes bytes at offset, or at the file position when offset is negative.
bool writeAll(int fd, std::string_view bytes, off_t offset, int& error)
{
    while (!bytes.empty()) {
        const ssize_t n = offset < 0 ? ::write(fd, bytes.data(), bytes.size())
                                     : ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = errno;
            return false;
        }
        bytes.remove_prefix(std::size_t(n));
        if (offset >= 0)
            offset += n;
    }
    return true;
}

mode_t newFileMode()
{
    static const mode_t mode = [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return mode_t(0666 & ~mask);
    }();
    return mode;
}

// The file a name ends at through its symbolic links; a link to a file that does not exist
// yet ends at that name. Empty, with error set, for a loop or a name that cannot be looked up.
std::string followLinks(const std::string& path, int& error)
{
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0) {
            if (errno == ENOENT)
                return current;
            error = errno;
            return {};
        }
        if (!S_ISLNK(info.st_mode))
            return current;
        std::string target(std::size_t(PATH_MAX), '\0');
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n < 0) {
            error = errno;
            return {};
        }
        target.resize(std::size_t(n));
        current = target.starts_with('/') ? target : folderOf(current) + '/' + target;
    }
    error = ELOOP;
    return {};
}

// Writes the pieces into the existing file itself. The room is reserved and the size limit
// checked before a byte changes; should a write fail after all, the old contents go back.
WriteOutcome writeInPlace(const std::string& target, std::initializer_list<std::string_view> pieces)
{
    WriteOutcome out;
    Fd file(::open(target.c_str(), O_RDWR | O_CLOEXEC));
    struct stat info {};
    if (file.fd < 0 || ::fstat(file.fd, &info) != 0) {
        out.error = reason(errno);
        return out;
    }
    std::size_t total = 0;
    for (const std::string_view piece : pieces)
        total += piece.size();
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && total > limit.rlim_cur) {
        out.error = reason(EFBIG);
        return out;
    }
    std::string old(std::size_t(info.st_size), '\0');
    for (std::size_t got = 0; got < old.size();) {
        const ssize_t n = ::pread(file.fd, old.data() + got, old.size() - got, off_t(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            out.error = n < 0 ? reason(errno) : "it changed while it was read";
            return out;
        }
        got += std::size_t(n);
    }
    if (total > 0 && ::fallocate(file.fd, FALLOC_FL_KEEP_SIZE, 0, off_t(total)) != 0 && errno != EOPNOTSUPP) {
        out.error = reason(errno);
        return out;
    }
    int error = 0;
    off_t at = 0;
    bool ok = true;
    for (const std::string_view piece : pieces) {
        if (!(ok = writeAll(file.fd, piece, at, error)))
            break;
        at += off_t(piece.size());
    }
    if (ok && (::ftruncate(file.fd, off_t(total)) != 0 || ::fsync(file.fd) != 0)) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        int ignored = 0;
        const bool restored = writeAll(file.fd, old, 0, ignored) && ::ftruncate(file.fd, off_t(old.size())) == 0
                              && ::fsync(file.fd) == 0;
        out.error = reason(error) + (restored ? "" : "; the old contents could not be put back");
        return out;
    }
    if (file.close() != 0) {
        out.error = reason(errno);
        return out;
    }
    out.written = true;
    if (::stat(target.c_str(), &info) == 0)
        out.identity = identityOf(info);
    return out;
}
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
        out.error = "it is a folder";
        return out;
    }
    if (!S_ISREG(info.st_mode)) {
        out.error = "it is not a regular file";
        return out;
    }
    if (std::size_t(info.st_size) > maxBytes) {
        out.error = "it is larger than " + megabytes(maxBytes);
        return out;
    }
    out.identity = identityOf(info);
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
        out.identity = identityOf(info);
    out.status = ReadOutcome::Read;
    return out;
}

WriteOutcome LocalFiles::writeFile(const std::string& path, std::initializer_list<std::string_view> pieces,
                                   WriteOptions options)
{
    WriteOutcome out;
    int error = 0;
    const std::string target = options.throughLinks ? followLinks(path, error) : path;
    if (target.empty()) {
        out.error = reason(error);  // a link loop, a name too long: leave it as it is
        return out;
    }
    // A save goes to a temporary file that is renamed over the target, which would
    // replace a folder, a device or a FIFO node instead of writing to it.
    struct stat info {};
    bool exists = false;  // a link that is to be replaced counts as no file
    if (::lstat(target.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode) || (!S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode))) {
            out.error = S_ISDIR(info.st_mode) ? "it is a folder" : "it is not a regular file";
            return out;
        }
        exists = S_ISREG(info.st_mode);
    } else if (errno != ENOENT) {
        out.error = reason(errno);
        return out;
    }
    if (options.inPlace && exists)
        return writeInPlace(target, pieces);

    std::string temporary = folderOf(target) + "/." + nameOf(target).substr(0, 200) + ".orvane-XXXXXX";
    Fd file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file.fd < 0) {
        const int cause = errno;
        // A folder that takes no new file may still hold a file that can be written.
        if (exists && (cause == EACCES || cause == EPERM || cause == EROFS) && ::access(target.c_str(), W_OK) == 0)
            return writeInPlace(target, pieces);
        out.error = reason(cause);
        return out;
    }
    auto fail = [&](int cause) {
        ::unlink(temporary.c_str());
        out.error = reason(cause);
        return out;
    };
    for (const std::string_view piece : pieces)
        if (!writeAll(file.fd, piece, -1, error))
            return fail(error);
    if (exists) {
        // Keep what the old file was: its permissions, and its owner and group where the
        // process may give them (root may; others keep at least a group they belong to).
        ::fchmod(file.fd, info.st_mode & 07777);
        if (::fchown(file.fd, info.st_uid, info.st_gid) != 0)
            (void)::fchown(file.fd, uid_t(-1), info.st_gid);
        ::fchmod(file.fd, info.st_mode & 07777);  // chown drops set-id bits
    } else {
        ::fchmod(file.fd, newFileMode());
    }
    if (::fsync(file.fd) != 0)
        return fail(errno);
    struct stat written {};
    ::fstat(file.fd, &written);
    if (file.close() != 0)
        return fail(errno);
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        return fail(errno);
    // The rename is durable once the folder is.
    if (Fd folder(::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)); folder.fd >= 0)
        ::fsync(folder.fd);
    out.written = true;
    out.identity = identityOf(written);
    return out;
}

FileIdentity LocalFiles::identify(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? identityOf(info) : FileIdentity{};
}

} // namespace orvane
