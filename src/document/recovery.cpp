#include "document/recovery.h"

#include "document/document_flows.h"

#include <array>
#include <charconv>
#include <cstdint>

namespace orvane {

namespace {
constexpr std::string_view Header = "Orvane recovery 1\n";

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

std::uint32_t crc32(std::string_view bytes)
{
    std::uint32_t c = 0xFFFFFFFFu;
    for (const char b : bytes)
        c = crcTable[(c ^ static_cast<unsigned char>(b)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void field(std::string& out, std::string_view name, std::string_view value)
{
    out.append(name).append(" ").append(std::to_string(value.size())).append("\n").append(value).append("\n");
}

// Reads "name <length>\n<bytes>\n" from the front of rest.
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
    if (rest.size() < length + 1 || rest[length] != '\n')
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
} // namespace

std::string recoveryBytes(const RecoveryRecord& record)
{
    std::string out;
    out.reserve(record.text.size() + record.fileName.size() + 200);
    out.append(Header);
    field(out, "name", record.fileName);
    const DocumentFormat& f = record.format;
    field(out, "format", std::string(f.kind == DocumentFormat::Unicode ? "unicode" : "tam") + (f.byteOrderMark ? " bom" : "")
                             + (f.crlf ? " crlf" : ""));
    const FileIdentity& d = record.onDisk;
    field(out, "disk", d.exists ? std::to_string(d.device) + " " + std::to_string(d.inode) + " " + std::to_string(d.size)
                                      + " " + std::to_string(d.modifiedNs) + " " + std::to_string(d.links)
                                : std::string());
    field(out, "text", record.text);
    char check[16];
    const auto end = std::to_chars(check, check + sizeof check, crc32(out), 16).ptr;
    out.append("check ").append(check, end).append("\n");
    return out;
}

std::optional<RecoveryRecord> parseRecovery(std::string_view bytes, std::string& why)
{
    const std::size_t checkAt = bytes.rfind("check ");
    if (!bytes.starts_with(Header) || checkAt == std::string_view::npos || !bytes.ends_with('\n')) {
        why = bytes.starts_with(Header) ? "it is cut short" : "it is not an Orvane recovery file";
        return std::nullopt;
    }
    std::uint32_t stored = 0;
    const std::string_view sum = bytes.substr(checkAt + 6, bytes.size() - checkAt - 7);
    const auto [end, error] = std::from_chars(sum.data(), sum.data() + sum.size(), stored, 16);
    if (error != std::errc() || end != sum.data() + sum.size() || stored != crc32(bytes.substr(0, checkAt))) {
        why = "it is damaged";
        return std::nullopt;
    }
    RecoveryRecord record;
    std::string_view rest = bytes.substr(Header.size(), checkAt - Header.size());
    std::string_view name, format, disk, text;
    if (!takeField(rest, "name", name) || !takeField(rest, "format", format) || !takeField(rest, "disk", disk)
        || !takeField(rest, "text", text) || !rest.empty()) {
        why = "it is damaged";
        return std::nullopt;
    }
    record.fileName = name;
    record.format.kind = format.starts_with("unicode") ? DocumentFormat::Unicode : DocumentFormat::Tam;
    record.format.byteOrderMark = format.find(" bom") != std::string_view::npos;
    record.format.crlf = format.find(" crlf") != std::string_view::npos;
    FileIdentity& d = record.onDisk;
    d.exists = !disk.empty() && parseNumbers(disk, d.device, d.inode, d.size, d.modifiedNs, d.links);
    d.regular = d.exists;
    record.text = text;
    return record;
}

RecoveryKeeper::RecoveryKeeper(Document& document, DocumentView& view, MessageBox& messages, RecoveryStore& store)
    : document(document), view(view), messages(messages), store(store)
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
        const ReadOutcome in = store.readOrphan(orphan);
        std::string why = in.error;
        const std::optional<RecoveryRecord> record =
            in.status == ReadOutcome::Read ? parseRecovery(in.bytes, why) : std::nullopt;
        if (!record) {
            const std::string aside = store.setAsideOrphan(orphan);
            messages.warn({MessageId::RecoveryUnreadable, {orphan, why, aside}});
            continue;
        }
        const std::string shown = record->fileName.empty() ? std::string("Untitled.tam") : record->fileName;
        if (messages.ask({MessageId::RestorePrompt, {shown}}, Buttons::YesNo) == Answer::Yes) {
            if (!view.setDocumentText(record->text)) {
                view.setDocumentText({});  // stopped: the file stays for another time
                store.releaseOrphan(orphan);
                continue;
            }
            document.setDocumentFileName(record->fileName);
            view.setCaption(documentCaption(record->fileName));
            document.format = record->format;
            document.onDisk = record->onDisk;
            document.setDocumentChanged(true);
            keep();  // the text is safe in this run's file before the old one goes
            if (written)
                store.discardOrphan(orphan);
            else
                store.releaseOrphan(orphan);
            restored = true;
        } else if (messages.ask({MessageId::RestoreDiscard, {shown}}, Buttons::YesNo) == Answer::Yes) {
            store.discardOrphan(orphan);
        } else {
            store.releaseOrphan(orphan);
        }
    }
    return restored;
}

void RecoveryKeeper::keep()
{
    if (!document.DocumentChanged()) {
        discard();
        return;
    }
    const WriteOutcome out = store.write(recoveryBytes({document.DocumentFileName(), document.format, document.onDisk,
                                                        view.documentText()}));
    written = out.written;
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
