#pragma once
// Small pieces shared by the platform's file code: names as bytes, whole writes, and what
// stat says of a file.

#include "platform/file_service.h"

#include <cerrno>
#include <climits>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane::posix {

inline FileIdentity identityOf(const struct stat& info)
{
    return {true,
            std::uint64_t(info.st_dev),
            std::uint64_t(info.st_ino),
            std::int64_t(info.st_size),
            std::int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
            std::int64_t(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec,
            std::uint64_t(info.st_nlink),
            S_ISREG(info.st_mode),
            S_ISDIR(info.st_mode)};
}

// Writes bytes at offset, or at the file position when offset is negative.
inline bool writeAll(int fd, std::string_view bytes, off_t offset, int& error)
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

inline std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

inline std::string nameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Whether a link may be followed where it stands: not one that another user put in a folder
// that others may write to (a planted link in /tmp), which the kernel would refuse as well.
inline bool mayFollowLink(const std::string& link, const struct stat& info)
{
    if (info.st_uid == ::geteuid())
        return true;
    const auto slash = link.rfind('/');
    const std::string parent = slash == std::string::npos ? "." : slash == 0 ? "/" : link.substr(0, slash);
    struct stat folder {};
    return ::stat(parent.c_str(), &folder) == 0
           && ((folder.st_mode & (S_IWOTH | S_IWGRP)) == 0 || folder.st_uid == info.st_uid);
}

// The file a name ends at through its symbolic links; a link to a file that does not exist
// yet ends at that name. Empty, with error set, for a loop, a name that cannot be looked up,
// or a link that may not be followed.
inline std::string followLinks(const std::string& path, int& error)
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
        if (!mayFollowLink(current, info)) {
            error = EACCES;
            return {};
        }
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

} // namespace orvane::posix
