#pragma once
// Autosave and recovery: what the program keeps of unsaved work in a recovery file, so that
// a crash, a kill or a power cut loses at most the last few seconds of typing, and how it
// offers that work back when it starts again.

#include "document/document.h"
#include "platform/recovery_store.h"
#include "platform/services.h"
#include "platform/work_queue.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

struct RecoveryRecord {
    std::string fileName;  // the document's name; empty for an untitled one
    DocumentFormat format;
    FileIdentity onDisk;   // what the document last read or wrote at that name
    std::string text;      // the document's bytes
    std::string journal = {};  // the mark of the journal that follows this text; empty for none
};

// The file's bytes: a header line with the version, the fields with their lengths, and a
// checksum of all of it, so that a file cut short or damaged is told from a good one. The
// text is taken from text, piece by piece; record.text is not used.
ByteSource recoverySource(const RecoveryRecord& record, const ByteSource& text);
std::string recoveryBytes(const RecoveryRecord& record);

// Why a recovery file could not be read.
enum class RecoveryFault { None, NotOurs, CutShort, Damaged, Newer };
// The record (its text taken over from bytes), or nothing with fault set. Reads this
// version's files and the first version's.
std::optional<RecoveryRecord> parseRecovery(std::string bytes, RecoveryFault& fault);
const char* faultReason(RecoveryFault fault);
// The checksum a recovery file ends with, over the bytes before its "check" line.
std::uint32_t recoveryChecksum(std::string_view bytes);

// The journal: the edits made since the recovery file was written, appended to a file of
// their own as they are made, so that an autosave writes what changed and not the whole
// text. Each edit replaces `removed` places of the text box at `at` with the bytes; places
// are the box's own (see DocumentView::replaceText). Each edit carries its own checksum.
struct JournalEdit {
    std::size_t at = 0;
    std::size_t removed = 0;
    std::size_t added = 0;  // places the bytes take in the box
    std::string bytes;
};
std::string journalHead(std::string_view mark);
std::string journalEntry(const JournalEdit& edit);
// The edits of a journal that follows the recovery file marked `mark`, up to the first
// that cannot be read back whole; whole is false when there was such a one.
struct JournalReading {
    std::vector<JournalEdit> edits;
    bool whole = true;
    bool follows = false;  // the journal is of that recovery file
};
JournalReading parseJournal(std::string_view bytes, std::string_view mark);

// Keeps the unsaved work in the recovery store. The text is written whole now and then, off
// the window's thread, from a copy read out of the box a slice at a time between events;
// the edits made since go into its journal. So an autosave costs the window what changed,
// not the whole document, and never waits for the disk.
class RecoveryKeeper {
public:
    // disk runs the writes, in order; later runs the slices of reading the box, and the
    // writes' outcomes, on the window's thread.
    RecoveryKeeper(Document& document, DocumentView& view, MessageBox& messages, RecoveryStore& store,
                   WorkQueue& disk, Later& later);
    ~RecoveryKeeper();

    // Offers back the work of runs that ended before it was saved, one after another,
    // until one is taken. True when the document was restored.
    bool offerRestore();
    // Brings the recovery file up to date: the text while it has unsaved changes, no
    // file while it has none. A failure is reported once a run.
    void keep();
    // The same, done before it returns (the program is about to end); true when the work is
    // safe in this run's recovery file.
    bool keepNow();
    // The program ends with nothing unsaved, or the user chose to leave it unsaved.
    void discard();
    // Returns once every write handed to the disk is done.
    void finishWrites() { disk.drain(); }

    // The user changed the text: `removed` places at `at` gave way to `added` places
    // holding these bytes.
    void noteEdit(std::size_t at, std::size_t removed, std::size_t added, std::string_view bytes);
    // The program put a new text in the box: no journal follows on from what was kept.
    void textReplaced();

    // The journal is started again from a whole copy once it is this long.
    void setJournalLimit(std::size_t bytes) { journalLimit = bytes; }

private:
    struct Shared;
    bool restore(const std::string& orphan, RecoveryRecord& record);
    RecoveryRecord header() const;
    void startCopy();
    void copySlice(std::uint64_t copyNumber);
    void wholeCopied();
    void written(const WriteOutcome& out);
    void report(const std::string& error);

    Document& document;
    DocumentView& view;
    MessageBox& messages;
    RecoveryStore& store;
    WorkQueue& disk;
    Later& later;
    std::shared_ptr<Shared> shared;  // with the writes on the disk's thread

    bool mayHaveWritten = false;  // a recovery file may exist: discard removes it
    bool reportedFailure = false;
    // The journal follows on from the last whole copy while this is false.
    bool copyWanted = true;
    std::string currentMark;     // of the whole copy the journal follows
    std::string entries;         // journal entries not yet handed to the disk
    std::size_t journalBytes = 0;
    std::size_t journalLimit = 0;  // 0: a quarter of the text, and at least 1 MB
    // A whole copy being read out of the box: the bytes before place copyAt, and the edits
    // made before that place since the copy began, to follow it in the new journal.
    struct Copy {
        bool active = false;
        std::uint64_t number = 0;
        std::string text;
        std::size_t at = 0;
        std::string after;
    } copy;
    std::vector<Notice::Subscription> subscriptions;
};

} // namespace orvane
