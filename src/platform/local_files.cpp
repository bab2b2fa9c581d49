#include "platform/file_service.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QString>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {

namespace {
struct Fd {
    int fd;
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

std::string megabytes(std::size_t bytes)
{
    return std::to_string(bytes / (1024 * 1024)) + " MB";
}
} // namespace

ReadOutcome LocalFiles::readFile(const std::string& path, std::size_t maxBytes)
{
    ReadOutcome out;
    // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused below.
    Fd file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0) {
        out.status = errno == ENOENT ? ReadOutcome::Missing : ReadOutcome::Failed;
        out.error = std::strerror(errno);
        return out;
    }
    struct stat info {};
    if (::fstat(file.fd, &info) != 0) {
        out.error = std::strerror(errno);
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
            out.error = std::strerror(errno);
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
    out.status = ReadOutcome::Read;
    return out;
}

WriteOutcome LocalFiles::writeFile(const std::string& path, std::initializer_list<std::string_view> pieces)
{
    WriteOutcome out;
    const QString name = QString::fromStdString(path);
    // A save goes to a temporary file that is renamed over the target, which would
    // replace a device or FIFO node instead of writing to it.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            out.error = S_ISDIR(info.st_mode) ? "it is a folder" : "it is not a regular file";
            return out;
        }
    } else if (errno != ENOENT) {
        out.error = std::strerror(errno);  // a link loop, a name too long: leave it as it is
        return out;
    }
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly)) {
        out.error = file.errorString().toStdString();
        return out;
    }
    for (const std::string_view bytes : pieces) {
        if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
            out.error = file.errorString().toStdString();
            file.cancelWriting();
            file.commit();
            return out;
        }
    }
    if (!file.commit()) {
        out.error = file.errorString().toStdString();
        return out;
    }
    out.written = true;
    return out;
}

} // namespace orvane
