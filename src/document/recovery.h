#pragma once
// Autosave and recovery: what the program keeps of unsaved work in a recovery file, so that
// a crash, a kill or a power cut loses at most the last few seconds of typing, and how it
// offers that work back when it starts again.

#include "document/document.h"
#include "platform/recovery_store.h"
#include "platform/services.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orvane {

struct RecoveryRecord {
    std::string fileName;  // the document's name; empty for an untitled one
    DocumentFormat format;
    FileIdentity onDisk;   // what the document last read or wrote at that name
    std::string text;      // the document's bytes
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

class RecoveryKeeper {
public:
    RecoveryKeeper(Document& document, DocumentView& view, MessageBox& messages, RecoveryStore& store);

    // Offers back the work of runs that ended before it was saved, one after another,
    // until one is taken. True when the document was restored.
    bool offerRestore();
    // Brings the recovery file up to date: the text while it has unsaved changes, no
    // file while it has none. A failure is reported once a run.
    void keep();
    // The program ends with nothing unsaved, or the user chose to leave it unsaved.
    void discard();

private:
    bool restore(const std::string& orphan, RecoveryRecord& record);

    Document& document;
    DocumentView& view;
    MessageBox& messages;
    RecoveryStore& store;
    bool written = false;
    bool reportedFailure = false;
    Notice::Subscription saved;
};

} // namespace orvane
