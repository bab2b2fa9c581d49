#include "headless/batch_modes.h"

#include "document/tam_format.h"
#include "phonetic/batch_typist.h"
#include "platform/file_service.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace orvane {

namespace {
void complain(const std::string& what, const std::string& path, const std::string& reason)
{
    std::fprintf(stderr, "orvane: cannot %s '%s': %s\n", what.c_str(), path.c_str(), reason.c_str());
}

bool isStandard(const std::vector<std::string>& operands, std::size_t i)
{
    return operands.size() <= i || operands[i] == "-";
}

// Streams the input through sink in chunks; returns an error text, empty on success.
template <typename Sink>
std::string readStream(int fd, Sink&& sink)
{
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::strerror(errno);
        if (n == 0)
            return {};
        sink(std::string_view(buffer, std::size_t(n)));
    }
}

bool writeAll(int fd, std::string_view bytes, std::string& error)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = std::strerror(errno);
            return false;
        }
        bytes.remove_prefix(std::size_t(n));
    }
    return true;
}
} // namespace

int runTransliterate(const std::vector<std::string>& operands)
{
    const std::string inputName = isStandard(operands, 0) ? "standard input" : operands[0];
    int fd = STDIN_FILENO;
    if (!isStandard(operands, 0)) {
        fd = ::open(operands[0].c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            complain("read", inputName, std::strerror(errno));
            return 1;
        }
    }
    BatchTypist typist;
    const std::string readError = readStream(fd, [&](std::string_view chunk) { typist.typeBytes(chunk); });
    if (fd != STDIN_FILENO)
        ::close(fd);
    if (!readError.empty()) {
        complain("read", inputName, readError);
        return 1;
    }

    if (isStandard(operands, 1)) {
        std::string error;
        if (!writeAll(STDOUT_FILENO, typist.text(), error) || !writeAll(STDOUT_FILENO, TamClosingLineEnd, error)) {
            complain("write", "standard output", error);
            return 1;
        }
        return 0;
    }
    LocalFiles files;
    const WriteOutcome out = files.writeFile(operands[1], {typist.text(), TamClosingLineEnd});
    if (!out.written) {
        complain("write", operands[1], out.error);
        return 1;
    }
    return 0;
}

} // namespace orvane
