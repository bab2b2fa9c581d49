#include "headless/batch_modes.h"

#include "document/english_words.h"
#include "document/file_format.h"
#include "document/limits.h"
#include "phonetic/batch_typist.h"
#include "platform/atomic_file.h"
#include "platform/messages.h"
#include "platform/reasons.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <optional>
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
    // Opening a FIFO waits for a program to write into it; a terminal waits for the user.
    struct stat info {};
    if (::isatty(STDERR_FILENO)
        && (standard ? ::isatty(STDIN_FILENO) : ::stat(name.c_str(), &info) == 0 && S_ISFIFO(info.st_mode)))
        std::fprintf(stderr, standard ? "orvane: waiting for input on the terminal (Ctrl+D ends it)\n"
                                      : "orvane: waiting for a program to write into '%s'\n",
                     printableName(name).c_str());
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
// .tam document to the size the editor opens, and Unicode text to 4 GB, unless told otherwise:
// an endless INPUT ends at its limit.
constexpr std::size_t MaxUnicodeOutputBytes = std::size_t(4) << 30;

class Output {
public:
    Output(const std::vector<std::string>& operands, bool tam, bool large)
        : toStandard(isStandard(operands, 1)), name(toStandard ? "standard output" : operands[1]),
          limit(large ? std::size_t(-1) : tam ? MaxDocumentBytes : MaxUnicodeOutputBytes), tam(tam)
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
        std::string error;
        if (!toStandard && !(file = files.startWrite(name, {}, error))) {
            complain("write", name, error);
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
            const std::string megabytes = std::to_string(limit >> 20);
            complain("write", name, tam ? reasons::say<Reason::WouldBeLargerThanOpens>(megabytes)
                                        : reasons::say<Reason::WouldBeLarger>(megabytes));
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
            if (file->takeBack(count - buffer.size(), fromFile))
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
        if (!streaming() && !file->commit()) {
            complain("write", name, file->error());
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
        } else if (!file->write(buffer)) {
            error = file->error();
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
    const bool tam;
    int direct = -1;
    LocalFiles files;
    std::unique_ptr<FileWriter> file;
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
        std::fprintf(stderr, "orvane: %s\n", reasons::text(Reason::NoMemory));
        return 1;
    }
}

// Converts INPUT into OUTPUT: read as one form, written as the other. INPUT is told by its
// first bytes: a file that is no text (a PDF, an image, a program, NUL bytes) is refused
// before anything is written, unless every byte is to be read as Bamini all the same.
int convertFile(const std::vector<std::string>& operands, DocumentFormat::Kind from, const DocumentFormat& to,
                bool large, bool allTamil)
{
    removeTemporariesOnEndSignals();
    return guarded([&] {
        Output out(operands, to.kind == DocumentFormat::Tam, large);
        if (!out.open())
            return 1;
        FileDecoder decoder(from);
        FileEncoder encoder(to);
        const ByteSource::Put write = [&out](std::string_view bytes) { return out.write(bytes); };
        // Plain Bamini text keeps its English words as English, unless every byte is to be
        // read as a code.
        const bool keepEnglish = from == DocumentFormat::Tam && to.kind == DocumentFormat::Unicode && !allTamil;
        EnglishMarker marker;
        std::string marked;
        const ByteSource::Put encode = [&](std::string_view document) {
            if (!keepEnglish)
                return encoder.write(document, write);
            marked.clear();
            marker.add(document, marked);
            return encoder.write(marked, write);
        };
        const auto finishEnglish = [&] {
            if (!keepEnglish)
                return true;
            marked.clear();
            marker.finish(marked);
            return encoder.write(marked, write);
        };
        std::string head;
        bool told = allTamil, refused = false;
        auto tell = [&] {
            told = true;
            if (const std::optional<std::string> why = notText(head)) {
                complain("convert", isStandard(operands, 0) ? "standard input" : operands[0],
                         *why + (from == DocumentFormat::Tam ? " (--all-tamil reads every byte as Bamini all the same)" : ""));
                refused = true;
                return false;
            }
            const bool going = decoder.read(head, encode);
            head.clear();
            return going;
        };
        const bool read = readInput(operands, [&](std::string_view chunk) {
            if (told)
                return decoder.read(chunk, encode);
            head.append(chunk);
            return head.size() < TextSniffBytes || tell();
        });
        if (!read || (!told && !tell()) || refused
            || !(decoder.finish(encode) && finishEnglish() && encoder.finish(write) && out.finish()))
            return 1;
        if (keepEnglish && marker.wordsMarked() > 0)
            std::fprintf(stderr, "orvane: %zu of %zu words read as English were kept as English (--all-tamil reads them "
                                 "as Bamini)\n", marker.wordsMarked(), marker.wordsSeen());
        // What a .tam file could not hold as it was is said, never hidden.
        const std::size_t lost = decoder.unconvertible() + encoder.unconvertible();
        if (lost > 0)
            std::fprintf(stderr, "orvane: %zu characters that a .tam file cannot hold became \"?\"\n", lost);
        if (decoder.drawnAs() > 0)
            std::fprintf(stderr, "orvane: %zu syllables that Bamini has no glyph for (ஙு ஙூ ஞு ஞூ ஷு ஷூ) were written "
                                 "without their vowel sign\n", decoder.drawnAs());
        if (encoder.ownBytes() > 0)
            std::fprintf(stderr, "orvane: %zu characters of other text (English) were written as their own bytes, "
                                 "which a Bamini font draws as Tamil\n", encoder.ownBytes());
        return 0;
    });
}

} // namespace

std::optional<std::string> notText(std::string_view head)
{
    struct Signature {
        std::string_view bytes, what;
    };
    static constexpr Signature signatures[] = {
        {"%PDF", "a PDF document"},
        {"\x89PNG", "a PNG image"},
        {"\xFF\xD8\xFF", "a JPEG image"},
        {"GIF8", "a GIF image"},
        {"\x7F" "ELF", "a program (ELF)"},
        {"PK\x03\x04", "a zip archive that is no document Orvane converts"},
        {"\x1F\x8B", "a gzip archive"},
        {"\xFF\xFE", "UTF-16 text; save it as UTF-8 first"},
        {"\xFE\xFF", "UTF-16 text; save it as UTF-8 first"},
    };
    if (head.starts_with("\xD0\xCF\x11\xE0"))
        return reasons::say<Reason::OldBinaryWord>();
    for (const Signature& s : signatures)
        if (head.starts_with(s.bytes))
            return reasons::say<Reason::LooksLike>(s.what);
    // No text, Bamini or Unicode, holds a NUL byte.
    if (head.substr(0, TextSniffBytes).find('\0') != std::string_view::npos)
        return reasons::say<Reason::LooksLike>("binary data (it holds NUL bytes)");
    return std::nullopt;
}

int runTransliterate(const std::vector<std::string>& operands, bool large, Keyboard keyboard)
{
    removeTemporariesOnEndSignals();
    return guarded([&] {
        Output out(operands, true, large);
        if (!out.open())
            return 1;
        BatchTypist typist(keyboard);
        typist.giveBack = [&](std::size_t count) { return out.takeBack(count); };
        FileEncoder encoder{DocumentFormat{}};
        const ByteSource::Put write = [&out](std::string_view bytes) { return out.write(bytes); };
        const bool read = readInput(operands, [&](std::string_view chunk) {
            typist.typeBytes(chunk);
            // What a Backspace could still take back stays with the typist.
            return typist.text().size() < 2 * ChunkBytes || encoder.write(typist.takeFront(ChunkBytes), write);
        });
        return read && encoder.write(typist.text(), write) && encoder.finish(write) && out.finish() ? 0 : 1;
    });
}

int runToUnicode(const std::vector<std::string>& operands, bool large, bool allTamil)
{
    return convertFile(operands, DocumentFormat::Tam, {DocumentFormat::Unicode}, large, allTamil);
}

int runFromUnicode(const std::vector<std::string>& operands, bool large)
{
    return convertFile(operands, DocumentFormat::Unicode, {}, large, false);
}

} // namespace orvane
