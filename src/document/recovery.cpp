#include "document/recovery.h"
#include "platform/reasons.h"

#include "document/limits.h"

#include <array>
#include <atomic>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <new>
#include <random>

namespace orvane {

namespace {
constexpr std::string_view Magic = "Orvane recovery ";
constexpr int Version = 3;
constexpr std::string_view JournalMagic = "Orvane journal 1 ";
// A copy is read out of the box this many places at a time, between events.
constexpr std::size_t SlicePlaces = std::size_t(1) << 16;
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
    field(head, "journal", record.journal);
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
    case RecoveryFault::CutShort: return reasons::text(Reason::CutShort);
    case RecoveryFault::Damaged: return reasons::text(Reason::Damaged);
    case RecoveryFault::Newer: return reasons::text(Reason::Newer);
    case RecoveryFault::NotOurs:
    case RecoveryFault::None: break;
    }
    return reasons::text(Reason::NotRecovery);
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
    std::string_view name, format, disk, journal, text;
    if (error != std::errc() || end != sum.data() + sum.size() || stored != recoveryChecksum(all.substr(0, checkAt))
        || !takeField(rest, "name", name) || !takeField(rest, "format", format) || !takeField(rest, "disk", disk)
        || (version >= 3 && !takeField(rest, "journal", journal)) || !takeField(rest, "text", text) || !rest.empty()) {
        fault = RecoveryFault::Damaged;
        return std::nullopt;
    }
    RecoveryRecord record;
    record.fileName = name;
    record.format = parseFormat(format);
    record.journal = journal;
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

std::string journalHead(std::string_view mark) { return std::string(JournalMagic).append(mark).append("\n"); }

std::string journalEntry(const JournalEdit& edit)
{
    std::string out = "edit " + std::to_string(edit.at) + " " + std::to_string(edit.removed) + " "
                      + std::to_string(edit.added) + " " + std::to_string(edit.bytes.size()) + "\n";
    out.append(edit.bytes).append("\n");
    char check[16];
    std::snprintf(check, sizeof check, "%08x\n", unsigned(recoveryChecksum(out)));
    return out.append(check);
}

JournalReading parseJournal(std::string_view bytes, std::string_view mark)
{
    JournalReading reading;
    const std::string head = journalHead(mark);
    if (!bytes.empty() && bytes.size() < head.size() && std::string_view(head).starts_with(bytes)) {
        reading.follows = true;  // its first write was cut short: what it held is lost
        reading.whole = false;
        return reading;
    }
    if (!bytes.starts_with(head))
        return reading;  // the journal of another copy, or of none
    reading.follows = true;
    std::string_view rest = bytes.substr(head.size());
    while (!rest.empty()) {
        const std::size_t lineEnd = rest.find('\n');
        JournalEdit edit;
        std::size_t length = 0;
        if (!rest.starts_with("edit ") || lineEnd == std::string_view::npos
            || !parseNumbers(rest.substr(5, lineEnd - 5), edit.at, edit.removed, edit.added, length)
            || length > rest.size() - lineEnd - 1 || rest.size() - lineEnd - 1 - length < 10
            || rest[lineEnd + 1 + length] != '\n' || rest[lineEnd + 1 + length + 9] != '\n') {
            reading.whole = false;
            break;
        }
        const std::size_t checked = lineEnd + 1 + length + 1;
        std::uint32_t stored = 0;
        const std::string_view sum = rest.substr(checked, 8);
        if (std::from_chars(sum.data(), sum.data() + 8, stored, 16).ptr != sum.data() + 8
            || stored != recoveryChecksum(rest.substr(0, checked))) {
            reading.whole = false;
            break;
        }
        edit.bytes = rest.substr(lineEnd + 1, length);
        reading.edits.push_back(std::move(edit));
        rest.remove_prefix(checked + 9);
    }
    return reading;
}

namespace {
std::string newMark()
{
    static std::atomic<std::uint64_t> count{0};
    static const std::uint64_t seed = [] {
        std::random_device device;
        return (std::uint64_t(device()) << 32) ^ device();
    }();
    char mark[17];
    std::snprintf(mark, sizeof mark, "%016llx", static_cast<unsigned long long>(seed + 0x9E3779B97F4A7C15ull * ++count));
    return mark;
}
} // namespace

// What the writes on the disk's thread share with the window's: touched by the writes
// alone, one after another, but for keeper, which the window's thread clears when the
// keeper goes.
struct RecoveryKeeper::Shared {
    RecoveryKeeper* keeper = nullptr;
    std::string mark;         // of the whole copy last written
    bool journalStarted = false;
};

RecoveryKeeper::RecoveryKeeper(Document& document, DocumentView& view, MessageBox& messages, RecoveryStore& store,
                               WorkQueue& disk, Later& later)
    : document(document), view(view), messages(messages), store(store), disk(disk), later(later),
      shared(std::make_shared<Shared>())
{
    shared->keeper = this;
    // Saved, new or reloaded: nothing to recover any more.
    subscriptions.push_back(document.changedChanged.subscribe([this] {
        if (!this->document.DocumentChanged())
            discard();
    }));
    // What the recovery file says of the document changed: the next one is a whole copy.
    for (Notice* notice : {&document.nameChanged, &document.formatChanged, &document.diskChanged})
        subscriptions.push_back(notice->subscribe([this] { copyWanted = true; }));
}

RecoveryKeeper::~RecoveryKeeper()
{
    disk.drain();
    shared->keeper = nullptr;
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
            in.error = reasons::say<Reason::NoMemory>();
        }
        if (!record && (fault == RecoveryFault::Newer || in.error.starts_with("it is larger than")
                        || in.error == reasons::say<Reason::NoMemory>())) {
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
        const std::string shown = record->fileName.empty() ? untitledName(record->format.kind) : record->fileName;
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

// Puts the record, with the edits of its journal, in the window in place of the document
// there. Whatever stops it (the window's limits, the user, a want of memory), the document
// stays as it was and the recovery file stays for another time.
bool RecoveryKeeper::restore(const std::string& orphan, RecoveryRecord& record)
{
    const std::string shown = record.fileName.empty() ? untitledName(record.format.kind) : record.fileName;
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
    JournalReading journal;
    std::string journalFault;
    try {
        if (!record.journal.empty()) {
            const ReadOutcome in = store.readOrphanJournal(orphan, ReadLimit);
            if (in.status == ReadOutcome::Read)
                journal = parseJournal(in.bytes, record.journal);
            else if (in.status != ReadOutcome::Missing)  // missing: nothing was changed after the copy
                journalFault = in.error;
            if (journal.follows && !journal.whole)
                journalFault = faultReason(RecoveryFault::Damaged);
        }
        previous = view.documentText();
        whole = view.setDocumentText(record.text);
        for (const JournalEdit& edit : journal.edits)
            if (whole && !view.replaceText(edit.at, edit.removed, edit.bytes)) {
                journalFault = faultReason(RecoveryFault::Damaged);
                break;
            }
    } catch (const std::bad_alloc&) {
        whole = false;
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
    if (!journalFault.empty())
        messages.warn({MessageId::RestoredInPart, {shown, journalFault}});
    // The text is safe in this run's file before the old one goes.
    if (keepNow())
        store.discardOrphan(orphan);
    else
        store.releaseOrphan(orphan);
    return true;
}

RecoveryRecord RecoveryKeeper::header() const
{
    return {document.DocumentFileName(), document.format(), document.onDisk(), {}, newMark()};
}

void RecoveryKeeper::noteEdit(std::size_t at, std::size_t removed, std::size_t added, std::string_view bytes)
{
    std::string entry;
    if (!copyWanted || copy.active)
        entry = journalEntry({at, removed, added, std::string(bytes)});
    if (copy.active) {
        if (at + removed <= copy.at) {
            // In what the copy has read already: the edit follows the copy.
            copy.after += entry;
            copy.at = copy.at - removed + added;
        } else if (at < copy.at) {
            startCopy();  // in both what was read and what was not: read it all again
        }
        // After it: the copy reads it yet.
    }
    if (!copyWanted)
        entries += entry;
}

void RecoveryKeeper::textReplaced()
{
    copy.active = false;
    copyWanted = true;
    entries.clear();
}

void RecoveryKeeper::keep()
{
    if (!document.DocumentChanged()) {
        discard();
        return;
    }
    const std::size_t limit = journalLimit ? journalLimit : std::max<std::size_t>(1 << 20, view.textLength() / 4);
    if ((copyWanted || journalBytes + entries.size() > limit) && !copy.active)
        startCopy();
    if (copyWanted || entries.empty())
        return;
    journalBytes += entries.size();
    mayHaveWritten = true;
    disk.post([store = &store, shared = shared, later = &later, expected = currentMark, bytes = std::move(entries)] {
        WriteOutcome out;
        if (shared->mark != expected) {
            out.error = "the copy it follows could not be written";
        } else {
            out = store->appendJournal(shared->journalStarted ? bytes : journalHead(expected) + bytes);
            shared->journalStarted = shared->journalStarted || out.written;
            if (!out.written)
                shared->mark.clear();  // what it holds may end in part of an edit: nothing more goes after it
        }
        later->post([weak = std::weak_ptr<Shared>(shared), out] {
            if (const auto s = weak.lock(); s && s->keeper)
                s->keeper->written(out);
        });
    });
    entries.clear();
}

void RecoveryKeeper::startCopy()
{
    copy.active = true;
    copy.text.clear();
    copy.after.clear();
    copy.at = 0;
    try {
        // Grown as it is read, the copy would be moved whole again and again.
        copy.text.reserve(view.textLength() + view.documentLineCount() + 64);
    } catch (const std::bad_alloc&) {
        // It is read all the same; where memory runs out, that is told.
    }
    const std::uint64_t number = ++copy.number;
    later.post([weak = std::weak_ptr<Shared>(shared), number] {
        if (const auto s = weak.lock(); s && s->keeper)
            s->keeper->copySlice(number);
    });
}

void RecoveryKeeper::copySlice(std::uint64_t number)
{
    if (!copy.active || number != copy.number)
        return;  // stopped, or started again
    try {
        const std::size_t end = view.pieceEnd(copy.at, SlicePlaces);
        copy.text += view.textBetween(copy.at, end);
        copy.at = end;
        if (end < view.textLength()) {
            later.post([weak = std::weak_ptr<Shared>(shared), number] {
                if (const auto s = weak.lock(); s && s->keeper)
                    s->keeper->copySlice(number);
            });
            return;
        }
    } catch (const std::bad_alloc&) {
        copy = {false, copy.number, {}, 0, {}};
        report(reasons::say<Reason::NoMemory>());
        return;
    }
    wholeCopied();
}

void RecoveryKeeper::wholeCopied()
{
    RecoveryRecord record = header();
    currentMark = record.journal;
    copyWanted = false;
    entries.clear();  // for the journal of the copy before, which this one holds
    journalBytes = copy.after.size();
    mayHaveWritten = true;
    copy.active = false;
    disk.post([store = &store, shared = shared, later = &later, record = std::move(record),
               text = std::move(copy.text), after = std::move(copy.after)] {
        const ByteSource source{text.size(), [&text](const ByteSource::Put& put) { return put(text); }};
        WriteOutcome out = store->write(recoverySource(record, source));
        if (out.written) {
            shared->mark = record.journal;
            shared->journalStarted = false;
            if (!after.empty()) {
                out = store->appendJournal(journalHead(record.journal) + after);
                shared->journalStarted = out.written;
                if (!out.written)
                    shared->mark.clear();
            }
        }
        later->post([weak = std::weak_ptr<Shared>(shared), out] {
            if (const auto s = weak.lock(); s && s->keeper)
                s->keeper->written(out);
        });
    });
    copy.text.clear();
    copy.after.clear();
}

bool RecoveryKeeper::keepNow()
{
    if (!document.DocumentChanged()) {
        discard();
        disk.drain();
        return true;
    }
    if (!copyWanted) {
        keep();
        disk.drain();
        // The outcomes wait in the window's queue; what matters now is whether the journal
        // took the edits.
        if (shared->mark == currentMark && store.holdsOwn())
            return true;
    }
    // No copy to follow on from: the whole text, from the box, now.
    copy.active = false;
    disk.drain();
    RecoveryRecord record = header();
    WriteOutcome out;
    try {
        out = store.write(recoverySource(record, view.documentSource()));
    } catch (const std::bad_alloc&) {
        out.error = reasons::say<Reason::NoMemory>();
    }
    if (out.written) {
        shared->mark = currentMark = record.journal;
        shared->journalStarted = false;
        copyWanted = false;
        entries.clear();
        journalBytes = 0;
        mayHaveWritten = true;
    }
    written(out);
    return out.written;
}

void RecoveryKeeper::written(const WriteOutcome& out)
{
    if (out.written)
        return;
    copyWanted = true;  // the next autosave starts from a whole copy
    report(out.error);
}

void RecoveryKeeper::report(const std::string& error)
{
    if (reportedFailure)
        return;
    reportedFailure = true;
    messages.warn({MessageId::RecoveryUnwritable, {store.folder(), error}});
}

void RecoveryKeeper::discard()
{
    copy.active = false;
    copyWanted = true;
    entries.clear();
    journalBytes = 0;
    if (mayHaveWritten)
        disk.post([store = &store] { store->remove(); });
    mayHaveWritten = false;
}

} // namespace orvane
