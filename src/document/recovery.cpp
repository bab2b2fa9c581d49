#include "document/recovery.h"

#include "document/limits.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <new>

namespace orvane {

namespace {
constexpr std::string_view Magic = "Orvane recovery ";
constexpr int Version = 2;
// A recovery file of a document larger than the window holds is kept, not read.
constexpr std::size_t ReadLimit = 2 * MaxDocumentBytes;

constexpr std::array<std::uint32_t, 256> crcTable = [] {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}();

// CRC-32 carried over pieces: start with 0xFFFFFFFF, end with ^ 0xFFFFFFFF.
std::uint32_t crcOver(std::uint32_t c, std::string_view bytes)
{
    for (const char b : bytes)
        c = crcTable[(c ^ static_cast<unsigned char>(b)) & 0xFF] ^ (c >> 8);
    return c;
}


void field(std::string& out, std::string_view name, std::string_view value)
{
    out.append(name).append(" ").append(std::to_string(value.size())).append("\n").append(value).append("\n");
}

// Reads "name <length>\n<bytes>\n" from the front of rest; the length is checked against
// what is left, so that no length reaches past the end.
bool takeField(std::string_view& rest, std::string_view name, std::string_view& value)
{
    if (!rest.starts_with(name) || rest.size() <= name.size() || rest[name.size()] != ' ')
        return false;
    rest.remove_prefix(name.size() + 1);
    std::size_t length = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), length);
    if (error != std::errc() || end == rest.data() + rest.size() || *end != '\n')
        return false;
    rest.remove_prefix(std::size_t(end - rest.data()) + 1);
    if (length >= rest.size() || rest[length] != '\n')
        return false;
    value = rest.substr(0, length);
    rest.remove_prefix(length + 1);
    return true;
}

template <typename... Numbers>
bool parseNumbers(std::string_view text, Numbers&... numbers)
{
    bool ok = true;
    auto one = [&](auto& number) {
        while (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
        ok = ok && error == std::errc();
        text.remove_prefix(std::size_t(end - text.data()));
    };
    (one(numbers), ...);
    return ok && text.empty();
}

std::string formatField(const DocumentFormat& f)
{
    std::string out = f.kind == DocumentFormat::Unicode ? "unicode" : "tam";
    if (f.byteOrderMark)
        out += " bom";
    if (f.lineEnd != DocumentFormat::Lf)
        out += f.lineEnd == DocumentFormat::CrLf ? " crlf" : " cr";
    if (!f.finalLineEnd)
        out += " nofinal";
    return out;
}

DocumentFormat parseFormat(std::string_view text)
{
    DocumentFormat f;
    f.kind = text.starts_with("unicode") ? DocumentFormat::Unicode : DocumentFormat::Tam;
    for (std::size_t at = text.find(' '); at != std::string_view::npos; at = text.find(' ', at + 1)) {
        const std::string_view word = text.substr(at + 1, text.find(' ', at + 1) - at - 1);
        if (word == "bom")
            f.byteOrderMark = true;
        else if (word == "crlf")
            f.lineEnd = DocumentFormat::CrLf;
        else if (word == "cr")
            f.lineEnd = DocumentFormat::Cr;
        else if (word == "nofinal")
            f.finalLineEnd = false;
    }
    return f;
}

std::string fitReason(Fit fit)
{
    switch (fit) {
    case Fit::TooLarge: return "it is larger than 64 MB";
    case Fit::TooManyLines: return "it has more than 2000000 lines";
    case Fit::NoMemory: return "there is not enough memory";
    case Fit::Fits: break;
    }
    return {};
}
} // namespace

ByteSource recoverySource(const RecoveryRecord& record, const ByteSource& text)
{
    std::string head = std::string(Magic) + std::to_string(Version) + "\n";
    field(head, "name", record.fileName);
    field(head, "format", formatField(record.format));
    const FileIdentity& d = record.onDisk;
    field(head, "disk", d.exists ? std::to_string(d.device) + " " + std::to_string(d.inode) + " " + std::to_string(d.size)
                                       + " " + std::to_string(d.modifiedNs) + " " + std::to_string(d.links) + " "
                                       + std::to_string(d.changedNs)
                                 : std::string());
    head += "text " + std::to_string(text.size) + "\n";
    constexpr std::size_t CheckLine = 15;  // "check " and eight hex digits
    ByteSource source;
    source.size = head.size() + text.size + 1 + CheckLine;
    source.produce = [head = std::move(head), text](const ByteSource::Put& put) {
        std::uint32_t c = 0xFFFFFFFFu;
        const ByteSource::Put checked = [&c, &put](std::string_view piece) {
            c = crcOver(c, piece);
            return put(piece);
        };
        if (!checked(head) || !text.produce(checked) || !checked("\n"))
            return false;
        char check[CheckLine + 1];
        std::snprintf(check, sizeof check, "check %08x\n", unsigned(c ^ 0xFFFFFFFFu));
        return put(std::string_view(check, CheckLine));
    };
    return source;
}

std::string recoveryBytes(const RecoveryRecord& record)
{
    const std::string& text = record.text;
    const ByteSource source = recoverySource(record, {text.size(), [&text](const ByteSource::Put& put) { return put(text); }});
    std::string out;
    out.reserve(source.size);
    source.produce([&out](std::string_view piece) {
        out.append(piece);
        return true;
    });
    return out;
}

std::uint32_t recoveryChecksum(std::string_view bytes) { return crcOver(0xFFFFFFFFu, bytes) ^ 0xFFFFFFFFu; }

const char* faultReason(RecoveryFault fault)
{
    switch (fault) {
    case RecoveryFault::CutShort: return "it is cut short";
    case RecoveryFault::Damaged: return "it is damaged";
    case RecoveryFault::Newer: return "it was written by a newer Orvane";
    case RecoveryFault::NotOurs:
    case RecoveryFault::None: break;
    }
    return "it is not an Orvane recovery file";
}

std::optional<RecoveryRecord> parseRecovery(std::string bytes, RecoveryFault& fault)
{
    const std::string_view all = bytes;
    const std::size_t headerEnd = all.find('\n');
    int version = 0;
    if (!all.starts_with(Magic) || headerEnd == std::string_view::npos
        || std::from_chars(all.data() + Magic.size(), all.data() + headerEnd, version).ptr != all.data() + headerEnd
        || version < 1) {
        fault = RecoveryFault::NotOurs;
        return std::nullopt;
    }
    if (version > Version) {
        fault = RecoveryFault::Newer;
        return std::nullopt;
    }
    const std::size_t checkAt = all.rfind("check ");
    if (checkAt == std::string_view::npos || checkAt <= headerEnd || !all.ends_with('\n')) {
        fault = RecoveryFault::CutShort;
        return std::nullopt;
    }
    std::uint32_t stored = 0;
    const std::string_view sum = all.substr(checkAt + 6, all.size() - checkAt - 7);
    const auto [end, error] = std::from_chars(sum.data(), sum.data() + sum.size(), stored, 16);
    std::string_view rest = all.substr(headerEnd + 1, checkAt - headerEnd - 1);
    std::string_view name, format, disk, text;
    if (error != std::errc() || end != sum.data() + sum.size() || stored != recoveryChecksum(all.substr(0, checkAt))
        || !takeField(rest, "name", name) || !takeField(rest, "format", format) || !takeField(rest, "disk", disk)
        || !takeField(rest, "text", text) || !rest.empty()) {
        fault = RecoveryFault::Damaged;
        return std::nullopt;
    }
    RecoveryRecord record;
    record.fileName = name;
    record.format = parseFormat(format);
    if (version == 1)
        record.format.finalLineEnd = true;  // the first version kept no word of it
    FileIdentity& d = record.onDisk;
    d.exists = !disk.empty()
               && (version == 1 ? parseNumbers(disk, d.device, d.inode, d.size, d.modifiedNs, d.links)
                                : parseNumbers(disk, d.device, d.inode, d.size, d.modifiedNs, d.links, d.changedNs));
    d.regular = d.exists;
    // The text is taken over where it lies in the file's bytes.
    const std::size_t textAt = std::size_t(text.data() - all.data()), textSize = text.size();
    bytes.resize(textAt + textSize);
    bytes.erase(0, textAt);
    record.text = std::move(bytes);
    fault = RecoveryFault::None;
    return record;
}

RecoveryKeeper::RecoveryKeeper(Document& document, DocumentView& view, MessageBox& messages, RecoveryStore& store)
    : document(document), view(view), messages(messages), store(store),
      // Saved, new or reloaded: nothing to recover any more.
      saved(document.changedChanged.subscribe([this] {
          if (!this->document.DocumentChanged())
              discard();
      }))
{
}

bool RecoveryKeeper::offerRestore()
{
    bool restored = false;
    for (const std::string& orphan : store.claimOrphans()) {
        if (restored) {
            store.releaseOrphan(orphan);  // one document at a time: the next run offers it
            continue;
        }
        ReadOutcome in = store.readOrphan(orphan, ReadLimit);
        RecoveryFault fault = RecoveryFault::NotOurs;
        std::optional<RecoveryRecord> record;
        try {
            if (in.status == ReadOutcome::Read)
                record = parseRecovery(std::move(in.bytes), fault);
        } catch (const std::bad_alloc&) {
            in.status = ReadOutcome::Failed;
            in.error = "there is not enough memory";
        }
        if (!record && (fault == RecoveryFault::Newer || in.error.starts_with("it is larger than")
                        || in.error == "there is not enough memory")) {
            // Good work that this run cannot take: it stays where it is.
            const std::string path = store.orphanPath(orphan);
            messages.warn({MessageId::RestoreRefused,
                           {path, fault == RecoveryFault::Newer ? faultReason(fault) : in.error, path}});
            store.releaseOrphan(orphan);
            continue;
        }
        if (!record) {
            const std::string why = in.status == ReadOutcome::Read ? faultReason(fault) : in.error;
            const std::string aside = store.setAsideOrphan(orphan);
            messages.warn({MessageId::RecoveryUnreadable, {orphan, why, aside}});
            continue;
        }
        const std::string shown = record->fileName.empty() ? std::string("Untitled.tam") : record->fileName;
        if (messages.ask({MessageId::RestorePrompt, {shown}}, Buttons::YesNo) == Answer::Yes) {
            restored = restore(orphan, *record);
        } else if (messages.ask({MessageId::RestoreDiscard, {shown}}, Buttons::YesNo) == Answer::Yes) {
            store.discardOrphan(orphan);
        } else {
            store.releaseOrphan(orphan);
        }
    }
    return restored;
}

// Puts the record in the window in place of the document there. Whatever stops it (the
// window's limits, the user, a want of memory), the document stays as it was and the
// recovery file stays for another time.
bool RecoveryKeeper::restore(const std::string& orphan, RecoveryRecord& record)
{
    const std::string shown = record.fileName.empty() ? std::string("Untitled.tam") : record.fileName;
    const TextMeasure measure = measureText(record.text);
    if (const Fit fit = fitsTheWindow(record.text, measure); fit != Fit::Fits) {
        messages.warn({MessageId::RestoreRefused, {shown, fitReason(fit), store.orphanPath(orphan)}});
        store.releaseOrphan(orphan);
        return false;
    }
    if (measure.longestParagraph > LongParagraphBytes
        && messages.ask({MessageId::LongParagraph, {shown, std::to_string(measure.longestParagraph >> 10)}},
                        Buttons::YesNo)
               != Answer::Yes) {
        store.releaseOrphan(orphan);
        return false;
    }
    std::string previous;
    bool whole = false;
    try {
        previous = view.documentText();
        whole = view.setDocumentText(record.text);
    } catch (const std::bad_alloc&) {
        messages.warn({MessageId::RestoreRefused, {shown, fitReason(Fit::NoMemory), store.orphanPath(orphan)}});
    }
    if (!whole) {
        try {
            view.setDocumentText(previous, false);
        } catch (const std::bad_alloc&) {
            // Not even that: an empty untitled document, never a part of one under a name.
            view.setDocumentText({}, false);
            document.setDocumentFileName({});
            document.setFormat({});
            document.setDocumentChanged(false);
        }
        store.releaseOrphan(orphan);
        return false;
    }
    document.setDocumentFileName(record.fileName);
    document.setFormat(record.format);
    document.setOnDisk(record.onDisk);
    document.setDocumentChanged(true);
    keep();  // the text is safe in this run's file before the old one goes
    if (written)
        store.discardOrphan(orphan);
    else
        store.releaseOrphan(orphan);
    return true;
}

void RecoveryKeeper::keep()
{
    if (!document.DocumentChanged()) {
        discard();
        return;
    }
    WriteOutcome out;
    try {
        out = store.write(recoverySource({document.DocumentFileName(), document.format(), document.onDisk(), {}},
                                         view.documentSource()));
    } catch (const std::bad_alloc&) {
        out.error = "there is not enough memory";
    }
    written = written || out.written;  // a failed write leaves the last one in place
    if (!out.written && !reportedFailure) {
        reportedFailure = true;
        messages.warn({MessageId::RecoveryUnwritable, {store.folder(), out.error}});
    }
}

void RecoveryKeeper::discard()
{
    if (written)
        store.remove();
    written = false;
}

} // namespace orvane
