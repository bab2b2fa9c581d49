#include "platform/recovery_store.h"
#include "platform/reasons.h"

#include "platform/posix_io.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace orvane {

namespace {
constexpr const char* DataEnding = ".recovery";
constexpr const char* JournalEnding = ".journal";
constexpr const char* LockEnding = ".lock";

// mkdir -p, private to the user.
bool makeFolders(const std::string& path, std::string& error)
{
    for (std::size_t at = 1; at <= path.size(); ++at) {
        if (at != path.size() && path[at] != '/')
            continue;
        const std::string part = path.substr(0, at);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            error = std::strerror(errno);
            return false;
        }
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if (!S_ISDIR(info.st_mode))
        error = reasons::say<Reason::NotFolder>();
    return S_ISDIR(info.st_mode);
}

int lockFile(const std::string& path, bool wait)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB)) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}
} // namespace

std::string LocalRecoveryStore::defaultFolder()
{
    const char* state = std::getenv("XDG_STATE_HOME");
    std::string base = state && state[0] == '/' ? state : "";
    if (base.empty()) {
        const char* home = std::getenv("HOME");
        std::string folder = home && home[0] == '/' ? home : "";
        if (folder.empty())
            if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir && user->pw_dir[0] == '/')
                folder = user->pw_dir;
        if (folder.empty())
            return {};  // nowhere of the user's own: no recovery files rather than a shared folder
        base = folder + "/.local/state";
    }
    return base + "/orvane/recovery";
}

namespace {
// A folder for unsaved text is the user's alone: its own, readable by nobody else (a mode
// that says otherwise is mended), and reached through folders no other user can change: each
// one above it the user's or the system's, and one that everybody may write to (/tmp) only
// when it is sticky, so that what the user made in it stays the user's. Empty when it may be
// used, else why not.
std::string unsafeFolder(const std::string& dir)
{
    for (std::size_t slash = dir.find('/', 1); slash != std::string::npos; slash = dir.find('/', slash + 1)) {
        struct stat above {};
        if (::stat(dir.substr(0, slash).c_str(), &above) != 0)
            return std::strerror(errno);
        if ((above.st_uid != ::geteuid() && above.st_uid != 0)
            || ((above.st_mode & S_IWOTH) && !(above.st_mode & S_ISVTX)))
            return reasons::say<Reason::OthersMayChange>();
    }
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0) {
        const std::string why = std::strerror(errno);
        if (fd >= 0)
            ::close(fd);
        return why;
    }
    std::string why;
    if (info.st_uid != ::geteuid())
        why = reasons::say<Reason::OtherUsers>();
    else if ((info.st_mode & 077) != 0 && ::fchmod(fd, 0700) != 0)
        why = std::strerror(errno);
    ::close(fd);
    return why;
}
} // namespace

LocalRecoveryStore::LocalRecoveryStore() : dir(defaultFolder())
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    id = std::to_string(::getpid()) + "-" + std::to_string(now.tv_sec) + "-" + std::to_string(now.tv_nsec);
}

LocalRecoveryStore::~LocalRecoveryStore()
{
    for (const auto& [orphan, fd] : claimed)
        ::close(fd);
    if (ownLock >= 0) {
        ::unlink(pathOf(id, LockEnding).c_str());
        ::close(ownLock);
    }
}

std::string LocalRecoveryStore::pathOf(const std::string& which, const char* ending) const
{
    return dir + "/" + which + ending;
}

// The lock is taken before this run writes its first file, and held until it ends, when
// the system lets go of it however the run ended.
bool LocalRecoveryStore::lockOwn(std::string& error)
{
    // Someone may have removed the folder meanwhile: then it is made again, and the lock
    // taken again, so that no other run takes this run's file for an orphan.
    struct stat info {};
    if (ownLock >= 0 && ::fstat(ownLock, &info) == 0 && info.st_nlink > 0)
        return true;
    if (ownLock >= 0) {
        ::close(ownLock);
        ownLock = -1;
    }
    if (dir.empty()) {
        error = reasons::say<Reason::NoHome>();
        return false;
    }
    if (!makeFolders(dir, error))
        return false;
    if (error = unsafeFolder(dir); !error.empty())
        return false;
    ownLock = lockFile(pathOf(id, LockEnding), true);
    if (ownLock < 0)
        error = std::strerror(errno);
    return ownLock >= 0;
}

WriteOutcome LocalRecoveryStore::write(const ByteSource& bytes)
{
    WriteOutcome out;
    if (!lockOwn(out.error))
        return out;
    WriteOptions options;
    options.mode = 0600;  // unsaved text is for the user's eyes only
    out = files.writeBytes(pathOf(id, DataEnding), bytes, options);
    if (out.written)
        ::unlink(pathOf(id, JournalEnding).c_str());
    return out;
}

WriteOutcome LocalRecoveryStore::appendJournal(std::string_view bytes)
{
    WriteOutcome out;
    if (!lockOwn(out.error))
        return out;
    const int fd = ::open(pathOf(id, JournalEnding).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    int error = 0;
    if (fd < 0 || !posix::writeAll(fd, bytes, -1, error) || ::fsync(fd) != 0) {
        out.error = std::strerror(fd < 0 || error == 0 ? errno : error);
        if (fd >= 0)
            ::close(fd);
        return out;
    }
    if (::close(fd) != 0) {
        out.error = std::strerror(errno);
        return out;
    }
    out.written = true;
    return out;
}

bool LocalRecoveryStore::holdsOwn()
{
    struct stat st {};
    return ::stat(pathOf(id, DataEnding).c_str(), &st) == 0;
}

void LocalRecoveryStore::remove()
{
    ::unlink(pathOf(id, DataEnding).c_str());
    ::unlink(pathOf(id, JournalEnding).c_str());
}

std::vector<std::string> LocalRecoveryStore::claimOrphans()
{
    std::vector<std::string> orphans;
    if (dir.empty() || !unsafeFolder(dir).empty())
        return orphans;  // nothing another user could have put there is read
    DIR* folder = ::opendir(dir.c_str());
    if (!folder)
        return orphans;
    const time_t monthAgo = ::time(nullptr) - 30 * 24 * 60 * 60;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        struct stat info {};
        if (name.ends_with(".damaged") && ::lstat(pathOf(name, "").c_str(), &info) == 0 && info.st_mtime < monthAgo) {
            ::unlink(pathOf(name, "").c_str());  // kept a month for a person to look at
            continue;
        }
        if (name.ends_with(LockEnding) && ::access(pathOf(name.substr(0, name.size() - std::strlen(LockEnding)), DataEnding).c_str(), F_OK) != 0) {
            // The lock of a run that ended with nothing unsaved.
            if (const int fd = lockFile(pathOf(name, ""), false); fd >= 0) {
                ::unlink(pathOf(name, "").c_str());
                ::close(fd);
            }
            continue;
        }
        if (!name.ends_with(DataEnding))
            continue;
        const std::string which = name.substr(0, name.size() - std::strlen(DataEnding));
        if (which == id || claimed.count(which))
            continue;
        // A lock nobody holds: the run that wrote the file has ended.
        const int fd = lockFile(pathOf(which, LockEnding), false);
        if (fd < 0)
            continue;
        claimed[which] = fd;
        orphans.push_back(which);
    }
    ::closedir(folder);
    return orphans;
}

ReadOutcome LocalRecoveryStore::readOrphan(const std::string& orphan, std::size_t maxBytes)
{
    return files.readFile(pathOf(orphan, DataEnding), maxBytes);
}

std::string LocalRecoveryStore::orphanPath(const std::string& orphan) const { return pathOf(orphan, DataEnding); }

ReadOutcome LocalRecoveryStore::readOrphanJournal(const std::string& orphan, std::size_t maxBytes)
{
    return files.readFile(pathOf(orphan, JournalEnding), maxBytes);
}

void LocalRecoveryStore::releaseOrphan(const std::string& orphan)
{
    if (const auto it = claimed.find(orphan); it != claimed.end()) {
        ::close(it->second);
        claimed.erase(it);
    }
}

void LocalRecoveryStore::discardOrphan(const std::string& orphan)
{
    ::unlink(pathOf(orphan, DataEnding).c_str());
    ::unlink(pathOf(orphan, JournalEnding).c_str());
    ::unlink(pathOf(orphan, LockEnding).c_str());
    releaseOrphan(orphan);
}

std::string LocalRecoveryStore::setAsideOrphan(const std::string& orphan)
{
    const std::string aside = pathOf(orphan, ".damaged");
    ::rename(pathOf(orphan, DataEnding).c_str(), aside.c_str());
    ::rename(pathOf(orphan, JournalEnding).c_str(), (aside + "-journal").c_str());
    ::unlink(pathOf(orphan, LockEnding).c_str());
    releaseOrphan(orphan);
    return aside;
}

} // namespace orvane
