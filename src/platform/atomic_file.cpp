#include "platform/atomic_file.h"
#include "platform/reasons.h"

#include "platform/posix_io.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sys/resource.h>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <system_error>
#include <thread>

namespace orvane {

namespace {
mode_t newFileMode()
{
    static const mode_t mode = [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return mode_t(0666 & ~mask);
    }();
    return mode;
}

// Freeing a large file's blocks takes the file system a while (some 30 ms for 64 MB), and
// replacing the old version frees them. Kept under a second name, the old version is
// removed here, after the save has returned; the program waits for the last one as it ends.
// Where no thread can be had (a memory limit), it is removed at once.
class Remover {
public:
    ~Remover() { wait(); }
    void remove(std::string path)
    {
        wait();
        const std::lock_guard lock(mutex);
        try {
            worker = std::thread([path] { ::unlink(path.c_str()); });
        } catch (const std::system_error&) {
            ::unlink(path.c_str());
        }
    }
    void wait()
    {
        const std::lock_guard lock(mutex);
        if (worker.joinable())
            worker.join();
    }

private:
    std::mutex mutex;
    std::thread worker;
};

Remover& remover()
{
    static Remover instance;
    return instance;
}

// The temporary files of saves under way, where a signal handler can find them: fixed
// places, since a handler may not allocate.
constexpr int PendingSlots = 4;
char pendingPaths[PendingSlots][PATH_MAX];
std::atomic<bool> pendingUsed[PendingSlots];

int rememberPending(const std::string& path)
{
    if (path.size() >= PATH_MAX)
        return -1;
    for (int slot = 0; slot < PendingSlots; ++slot) {
        bool expected = false;
        if (pendingUsed[slot].load(std::memory_order_acquire))
            continue;
        std::memcpy(pendingPaths[slot], path.c_str(), path.size() + 1);
        if (pendingUsed[slot].compare_exchange_strong(expected, true, std::memory_order_acq_rel))
            return slot;
    }
    return -1;
}

void forgetPending(int& slot)
{
    if (slot >= 0)
        pendingUsed[slot].store(false, std::memory_order_release);
    slot = -1;
}

extern "C" void removeTemporariesAndEnd(int number)
{
    removeTemporaries();
    std::signal(number, SIG_DFL);
    ::raise(number);
}

// Files an interrupted save of this name left beside it a day or more ago: its temporary
// file (".NAME.orvane-XXXXXX") or its old version ("...-old"), the user's own.
void sweepLeftovers(const std::string& folder, const std::string& prefix)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const time_t dayAgo = ::time(nullptr) - 24 * 60 * 60;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(prefix))
            continue;
        std::string_view rest = name.substr(prefix.size());
        if (rest.ends_with("-old"))
            rest.remove_suffix(4);
        if (rest.size() != 6 || !std::all_of(rest.begin(), rest.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
            continue;
        const std::string path = folder + "/" + std::string(name);
        struct stat info {};
        if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid()
            && info.st_mtime < dayAgo)
            ::unlink(path.c_str());
    }
    ::closedir(dir);
}
} // namespace

void removeTemporaries()
{
    for (int slot = 0; slot < PendingSlots; ++slot)
        if (pendingUsed[slot].load(std::memory_order_acquire))
            ::unlink(pendingPaths[slot]);
}

void removeTemporariesOnEndSignals()
{
    struct sigaction action {};
    action.sa_handler = removeTemporariesAndEnd;
    sigemptyset(&action.sa_mask);
    for (const int number : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(number, &action, nullptr);
}

void waitForRemovals() { remover().wait(); }

bool AtomicFile::fail(int error)
{
    if (problem.empty()) {  // the first failure is the reason; what follows it is its echo
        cause = error;
        problem = std::strerror(error);
    }
    cancel();
    return false;
}

bool AtomicFile::open(const std::string& path, bool throughLinks, unsigned mode)
{
    cancel();
    forcedMode = mode;
    problem.clear();
    cause = 0;
    size = 0;
    int error = 0;
    name = throughLinks ? posix::followLinks(path, error) : path;
    if (name.empty())
        return fail(error);  // a link loop, a name too long: leave it as it is
    // The new version is renamed over the old, which would replace a folder, a device or a
    // FIFO instead of writing to it.
    struct stat info {};
    oldExists = false;
    if (::lstat(name.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode) || (!S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode))) {
            problem = S_ISDIR(info.st_mode) ? reasons::say<Reason::Folder>() : reasons::say<Reason::NotRegular>();
            return false;
        }
        oldExists = S_ISREG(info.st_mode);  // a link that is to be replaced counts as no file
        oldLinks = unsigned(info.st_nlink);
        oldMode = info.st_mode & 07777;
        oldUid = info.st_uid;
        oldGid = info.st_gid;
    } else if (errno != ENOENT) {
        return fail(errno);
    }
    const std::string folder = posix::folderOf(name), prefix = "." + posix::nameOf(name).substr(0, 200) + ".orvane-";
    sweepLeftovers(folder, prefix);
    temporary = folder + "/" + prefix + "XXXXXX";
    fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        temporary.clear();
        return fail(error);
    }
    pendingSlot = rememberPending(temporary);
    return true;
}

bool AtomicFile::write(std::string_view bytes)
{
    int error = 0;
    if (fd < 0 || !posix::writeAll(fd, bytes, -1, error))
        return fail(fd < 0 ? EBADF : error);
    size += bytes.size();
    return true;
}

bool AtomicFile::takeBack(std::size_t count, std::string& out)
{
    count = std::min(count, size);
    out.resize(count);
    for (std::size_t got = 0; got < count;) {
        const ssize_t n = ::pread(fd, out.data() + got, count - got, off_t(size - count + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(n < 0 ? errno : EIO);
        got += std::size_t(n);
    }
    size -= count;
    if (::ftruncate(fd, off_t(size)) != 0 || ::lseek(fd, off_t(size), SEEK_SET) < 0)
        return fail(errno);
    return true;
}

bool AtomicFile::commit()
{
    if (fd < 0)
        return false;
    if (forcedMode != 0) {
        ::fchmod(fd, mode_t(forcedMode));
    } else if (oldExists) {
        // Keep what the old file was: its permissions, and its owner and group where the
        // process may give them (root may; others keep at least a group they belong to).
        ::fchmod(fd, oldMode);
        if (::fchown(fd, oldUid, oldGid) != 0 && ::fchown(fd, uid_t(-1), oldGid) != 0) {
            // neither: the new file keeps the process's own owner and group
        }
        ::fchmod(fd, oldMode);  // a change of owner drops the set-id bits
    } else {
        ::fchmod(fd, newFileMode());
    }
    struct stat info {};
    if (::fsync(fd) != 0 || ::fstat(fd, &info) != 0)
        return fail(errno);
    const int result = ::close(fd);
    fd = -1;
    if (result != 0)
        return fail(errno);
    // The old version's only name is kept until the new one is in place, so that its blocks
    // are freed after the save (where the name cannot be made, the rename frees them).
    const std::string keep = oldExists && oldLinks == 1 ? temporary + "-old" : std::string();
    const bool kept = !keep.empty() && ::link(name.c_str(), keep.c_str()) == 0;
    if (::rename(temporary.c_str(), name.c_str()) != 0) {
        const int error = errno;
        if (kept)
            ::unlink(keep.c_str());
        return fail(error);
    }
    temporary.clear();
    forgetPending(pendingSlot);
    // The rename is durable once the folder is.
    if (const int folder = ::open(posix::folderOf(name).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    // What the name stands for now: a rename changes the file's change time.
    struct stat placed {};
    committed = posix::identityOf(::lstat(name.c_str(), &placed) == 0 && placed.st_ino == info.st_ino ? placed : info);
    if (kept)
        remover().remove(keep);
    return true;
}

InPlaceFile::~InPlaceFile()
{
    if (fd >= 0) {
        putBack();  // given up before the commit: the file is what it was
        ::close(fd);
    }
}

bool InPlaceFile::fail(int error)
{
    problem = std::strerror(error);
    if (fd >= 0) {
        putBack();
        ::close(fd);
        fd = -1;
    }
    return false;
}

void InPlaceFile::putBack()
{
    int ignored = 0;
    if (!posix::writeAll(fd, old, 0, ignored) || ::ftruncate(fd, off_t(old.size())) != 0 || ::fsync(fd) != 0)
        problem += "; the old contents could not be put back";
}

bool InPlaceFile::open(const std::string& path, std::size_t expectedSize)
{
    name = path;
    fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0) {
        problem = std::strerror(errno);
        if (fd >= 0)
            ::close(fd);
        fd = -1;
        return false;
    }
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && expectedSize > limit.rlim_cur) {
        ::close(fd);
        fd = -1;
        problem = std::strerror(EFBIG);
        return false;
    }
    old.assign(std::size_t(info.st_size), '\0');
    for (std::size_t got = 0; got < old.size();) {
        const ssize_t n = ::pread(fd, old.data() + got, old.size() - got, off_t(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            problem = n < 0 ? std::strerror(errno) : reasons::say<Reason::ChangedWhileRead>();
            ::close(fd);
            fd = -1;
            return false;
        }
        got += std::size_t(n);
    }
    if (expectedSize > 0 && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, off_t(expectedSize)) != 0 && errno != EOPNOTSUPP) {
        problem = std::strerror(errno);
        ::close(fd);
        fd = -1;
        return false;
    }
    return true;
}

bool InPlaceFile::write(std::string_view bytes)
{
    int error = 0;
    if (fd < 0 || !posix::writeAll(fd, bytes, at, error))
        return fail(fd < 0 ? EBADF : error);
    at += off_t(bytes.size());
    return true;
}

bool InPlaceFile::commit()
{
    if (fd < 0)
        return false;
    if (::ftruncate(fd, at) != 0 || ::fsync(fd) != 0)
        return fail(errno);
    const int result = ::close(fd);
    fd = -1;
    if (result != 0) {
        problem = std::strerror(errno);
        return false;
    }
    struct stat info {};
    if (::stat(name.c_str(), &info) == 0)
        committed = posix::identityOf(info);
    return true;
}

void AtomicFile::cancel()
{
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
    if (!temporary.empty()) {
        ::unlink(temporary.c_str());
        temporary.clear();
    }
    forgetPending(pendingSlot);
}

} // namespace orvane
