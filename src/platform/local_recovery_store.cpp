#include "platform/recovery_store.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace orvane {

namespace {
constexpr const char* DataEnding = ".recovery";
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
        error = "it is not a folder";
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
        base = std::string(home && home[0] ? home : "/tmp") + "/.local/state";
    }
    return base + "/orvane/recovery";
}

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
    if (!makeFolders(dir, error))
        return false;
    ownLock = lockFile(pathOf(id, LockEnding), true);
    if (ownLock < 0)
        error = std::strerror(errno);
    return ownLock >= 0;
}

WriteOutcome LocalRecoveryStore::write(std::string_view bytes)
{
    WriteOutcome out;
    if (!lockOwn(out.error))
        return out;
    return files.writeFile(pathOf(id, DataEnding), {bytes});
}

void LocalRecoveryStore::remove() { ::unlink(pathOf(id, DataEnding).c_str()); }

std::vector<std::string> LocalRecoveryStore::claimOrphans()
{
    std::vector<std::string> orphans;
    DIR* folder = ::opendir(dir.c_str());
    if (!folder)
        return orphans;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
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

ReadOutcome LocalRecoveryStore::readOrphan(const std::string& orphan)
{
    return files.readFile(pathOf(orphan, DataEnding), std::size_t(1) << 31);
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
    ::unlink(pathOf(orphan, LockEnding).c_str());
    releaseOrphan(orphan);
}

std::string LocalRecoveryStore::setAsideOrphan(const std::string& orphan)
{
    const std::string aside = pathOf(orphan, ".damaged");
    ::rename(pathOf(orphan, DataEnding).c_str(), aside.c_str());
    ::unlink(pathOf(orphan, LockEnding).c_str());
    releaseOrphan(orphan);
    return aside;
}

} // namespace orvane
