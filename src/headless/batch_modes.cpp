#include "headless/batch_modes.h"

#include "document/segments.h"
#include "document/limits.h"
#include "document/tam_format.h"
#include "document/unicode_tamil.h"
#include "phonetic/batch_typist.h"
#include "platform/atomic_file.h"
#include "platform/messages.h"
#include "platform/utf8.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {

namespace {
constexpr std::size_t ChunkBytes = std::size_t(1) << 16;
constexpr std::size_t FlushBytes = std::size_t(1) << 20;

void complain(const std::string& what, const std::string& path, const std::string& reason)
{
    std::fprintf(stderr, "orvane: cannot %s '%s': %s\n", what.c_str(), printableName(path).c_str(), reason.c_str());
}

bool isStandard(const std::vector<std::string>& operands, std::size_t i)
{
    return operands.size() <= i || operands[i] == "-";
}

// Streams INPUT through sink in chunks. False, with a message, when it cannot be read or
// the sink gives up (it said why).
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
    static char buffer[ChunkBytes];
    std::string error;
    bool more = true;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            error = std::strerror(errno);
        if (n <= 0 || !(more = sink(std::string_view(buffer, std::size_t(n)))))
            break;
    }
    if (!standard)
        ::close(fd);
    if (!error.empty())
        complain("read", name, error);
    return error.empty() && more;
}

// OUTPUT: standard output, or a file put in place whole at the end or not at all. Holds a
// .tam document to the size the editor opens, unless told otherwise.
class Output {
public:
    Output(const std::vector<std::string>& operands, bool tam, bool large)
        : toStandard(isStandard(operands, 1)), name(toStandard ? "standard output" : operands[1]),
          limit(tam && !large ? MaxDocumentBytes : std::size_t(-1))
    {
    }

    bool open()
    {
        // A device or a FIFO is written as it is (there is no old version to keep).
        struct stat info {};
        if (!toStandard && ::stat(name.c_str(), &info) == 0 && (S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode))) {
            direct = ::open(name.c_str(), O_WRONLY | O_CLOEXEC);
            if (direct < 0) {
                complain("write", name, std::strerror(errno));
                return false;
            }
            return true;
        }
        if (!toStandard && !file.open(name)) {
            complain("write", name, file.error());
            return false;
        }
        return true;
    }

    ~Output()
    {
        if (direct >= 0)
            ::close(direct);
    }

    bool write(std::string_view bytes)
    {
        total += bytes.size();
        if (total > limit) {
            complain("write", name, "it would be larger than " + std::to_string(limit >> 20)
                                        + " MB, which the editor does not open (--large writes it all the same)");
            return false;
        }
        buffer.append(bytes);
        return buffer.size() < FlushBytes || flush();
    }

    // Takes back what was written last: from the file, which can give it back, or from what
    // still waits in the buffer.
    std::string takeBack(std::size_t count)
    {
        std::string back;
        if (streaming() || buffer.size() >= count) {
            count = std::min(count, buffer.size());
            back = buffer.substr(buffer.size() - count);
            buffer.resize(buffer.size() - count);
        } else {
            std::string fromFile;
            if (file.takeBack(count - buffer.size(), fromFile))
                back = fromFile + buffer;
            buffer.clear();
        }
        if (back.empty())
            cannotTakeBack = true;
        total -= back.size();
        return back;
    }

    bool finish()
    {
        if (cannotTakeBack) {
            std::fprintf(stderr, "orvane: the input deletes more than it can take back from standard output; "
                                 "give an OUTPUT file\n");
            return false;
        }
        if (!flush())
            return false;
        if (!streaming() && !file.commit()) {
            complain("write", name, file.error());
            return false;
        }
        return true;
    }

private:
    bool flush()
    {
        std::string error;
        if (streaming()) {
            int cause = 0;
            std::string_view rest = buffer;
            while (!rest.empty()) {
                const ssize_t n = ::write(direct >= 0 ? direct : STDOUT_FILENO, rest.data(), rest.size());
                if (n < 0 && errno == EINTR)
                    continue;
                if (n < 0) {
                    cause = errno;
                    break;
                }
                rest.remove_prefix(std::size_t(n));
            }
            if (cause != 0)
                error = std::strerror(cause);
        } else if (!file.write(buffer)) {
            error = file.error();
        }
        buffer.clear();
        if (!error.empty())
            complain("write", name, error);
        return error.empty();
    }

    bool streaming() const { return toStandard || direct >= 0; }

    const bool toStandard;
    const std::string name;
    const std::size_t limit;
    int direct = -1;
    AtomicFile file;
    std::string buffer;
    std::size_t total = 0;
    bool cannotTakeBack = false;
};

// Runs a batch mode: allocation failure ends it with a message, never an abort.
template <typename Run>
int guarded(Run&& run)
{
    try {
        return run();
    } catch (const std::bad_alloc&) {
        std::fputs("orvane: there is not enough memory\n", stderr);
        return 1;
    }
}

// Where UTF-8 text may be cut for conversion in pieces, looking no further back than from:
// after an ASCII character other than a line end (the last line end of the text is dropped,
// so it must wait for the end), or before a Tamil letter that no pulli or dotted circle
// joins to what precedes. 0 for nowhere.
std::size_t safeCut(std::string_view text, std::size_t from)
{
    for (std::size_t k = text.size(); k-- > from;) {
        const auto b = static_cast<unsigned char>(text[k]);
        if (b < 0x80 && b != '\r' && b != '\n')
            return k + 1;
        const char32_t c = k >= 3 ? utf8::tamilAt(text, k) : 0;
        const bool letter = (c >= 0x0B85 && c <= 0x0B94) || (c >= 0x0B95 && c <= 0x0BB9);
        if (letter && utf8::tamilAt(text, k - 3) != 0x0BCD && text.substr(k - 3, 3) != "\u25CC")
            return k;
    }
    return 0;
}

// Where to cut text that has no safe place: a few bytes before its end (which may be the
// text's last line end), not inside a character. Bytes that continue no character are each
// one bad character, so a cut between them changes nothing.
std::size_t forcedCut(std::string_view text)
{
    std::size_t cut = text.size() - 4;
    for (int back = 0; back < 3 && cut > 0 && utf8::isContinuation(static_cast<unsigned char>(text[cut])); ++back)
        --cut;
    return utf8::isContinuation(static_cast<unsigned char>(text[cut])) ? text.size() - 4 : cut;
}
} // namespace

int runTransliterate(const std::vector<std::string>& operands, bool large)
{
    removeTemporariesOnEndSignals();
    return guarded([&] {
        Output out(operands, true, large);
        if (!out.open())
            return 1;
        BatchTypist typist;
        typist.giveBack = [&](std::size_t count) { return out.takeBack(count); };
        const bool read = readInput(operands, [&](std::string_view chunk) {
            typist.typeBytes(chunk);
            // What a Backspace could still take back stays with the typist.
            return typist.text().size() < 2 * ChunkBytes || out.write(typist.takeFront(ChunkBytes));
        });
        return read && out.write(typist.text()) && out.write(TamClosingLineEnd) && out.finish() ? 0 : 1;
    });
}

int runToUnicode(const std::vector<std::string>& operands)
{
    removeTemporariesOnEndSignals();
    return guarded([&] {
        Output out(operands, false, true);
        if (!out.open())
            return 1;
        SegmentReader reader;
        std::string pending, converted;
        auto convert = [&](bool atEnd) {
            converted.clear();
            const std::size_t read = reader.appendText(pending, atEnd, converted);
            pending.erase(0, read);
            return out.write(converted);
        };
        const bool read = readInput(operands, [&](std::string_view chunk) {
            pending.append(chunk);
            return convert(false);
        });
        if (!read)
            return 1;
        // Read by the .tam rules, the file's closing line end adds no line; a text file ends
        // its last line with a line feed.
        if (pending.ends_with("\r\n"))
            pending.resize(pending.size() - 2);
        else if (pending.ends_with('\r'))
            pending.pop_back();
        return convert(true) && out.write("\n") && out.finish() ? 0 : 1;
    });
}

int runFromUnicode(const std::vector<std::string>& operands, bool large)
{
    removeTemporariesOnEndSignals();
    return guarded([&] {
        Output out(operands, true, large);
        if (!out.open())
            return 1;
        std::string pending;
        bool first = true;
        auto convert = [&](std::string_view text) {
            if (first && text.starts_with("\xEF\xBB\xBF"))
                text.remove_prefix(3);  // a byte-order mark marks the encoding; it is no text
            first = false;
            return out.write(unicodeToBamini(text));
        };
        std::size_t noCut = 0;  // pending's first bytes, known to hold no safe cut
        const bool read = readInput(operands, [&](std::string_view chunk) {
            pending.append(chunk);
            if (pending.size() <= ChunkBytes)
                return true;
            // Bytes already looked at are not looked at again: the time grows with the input,
            // not with its square, however long a stretch without a safe cut.
            std::size_t cut = safeCut(pending, noCut > 8 ? noCut - 8 : 0);
            if (cut == 0) {
                noCut = pending.size();
                if (pending.size() < 64 * ChunkBytes)
                    return true;
                cut = forcedCut(pending);  // nowhere to cut cleanly (line ends alone, say)
            }
            const bool ok = convert(std::string_view(pending).substr(0, cut));
            pending.erase(0, cut);
            noCut = pending.size();  // the cut was the last safe one
            return ok;
        });
        if (!read)
            return 1;
        if (pending.ends_with("\r\n"))
            pending.resize(pending.size() - 2);
        else if (pending.ends_with('\n') || pending.ends_with('\r'))
            pending.pop_back();
        return convert(pending) && out.write(TamClosingLineEnd) && out.finish() ? 0 : 1;
    });
}

} // namespace orvane
