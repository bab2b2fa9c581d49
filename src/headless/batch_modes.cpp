#include "headless/batch_modes.h"

#include "document/tam_format.h"
#include "document/unicode_tamil.h"
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

// Streams INPUT through sink in chunks. False, with a message, when it cannot be read.
template <typename Sink>
bool readInput(const std::vector<std::string>& operands, Sink&& sink)
{
    const bool standard = isStandard(operands, 0);
    const std::string name = standard ? "standard input" : operands[0];
    const int fd = standard ? STDIN_FILENO : ::open(operands[0].c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        complain("read", name, std::strerror(errno));
        return false;
    }
    char buffer[65536];
    std::string error;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            error = std::strerror(errno);
        if (n <= 0)
            break;
        sink(std::string_view(buffer, std::size_t(n)));
    }
    if (!standard)
        ::close(fd);
    if (!error.empty()) {
        complain("read", name, error);
        return false;
    }
    return true;
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

// Writes the pieces to OUTPUT: standard output, or a file replaced all at once.
int writeOutput(const std::vector<std::string>& operands, std::initializer_list<std::string_view> pieces)
{
    if (isStandard(operands, 1)) {
        std::string error;
        for (const std::string_view piece : pieces)
            if (!writeAll(STDOUT_FILENO, piece, error)) {
                complain("write", "standard output", error);
                return 1;
            }
        return 0;
    }
    LocalFiles files;
    const WriteOutcome out = files.writeFile(operands[1], pieces);
    if (!out.written) {
        complain("write", operands[1], out.error);
        return 1;
    }
    return 0;
}

bool readWhole(const std::vector<std::string>& operands, std::string& all)
{
    return readInput(operands, [&](std::string_view chunk) { all.append(chunk); });
}
} // namespace

int runTransliterate(const std::vector<std::string>& operands)
{
    BatchTypist typist;
    if (!readInput(operands, [&](std::string_view chunk) { typist.typeBytes(chunk); }))
        return 1;
    return writeOutput(operands, {typist.text(), TamClosingLineEnd});
}

int runToUnicode(const std::vector<std::string>& operands)
{
    std::string file;
    if (!readWhole(operands, file))
        return 1;
    // Read by the .tam rules; a text file ends its last line with a line feed.
    const std::string text = baminiToUnicode(tamText(std::move(file)));
    return writeOutput(operands, {text, "\n"});
}

int runFromUnicode(const std::vector<std::string>& operands)
{
    std::string text;
    if (!readWhole(operands, text))
        return 1;
    if (text.ends_with("\r\n"))
        text.resize(text.size() - 2);
    else if (text.ends_with('\n') || text.ends_with('\r'))
        text.pop_back();
    return writeOutput(operands, {unicodeToBamini(text), TamClosingLineEnd});
}

} // namespace orvane
