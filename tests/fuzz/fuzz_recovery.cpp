// The recovery reader and the journal reader on any bytes: they never read past what they
// were given, whatever the length fields say, and what they read writes back to bytes that
// read as the same. Half the inputs get a valid checksum, so that the fields behind it are
// reached.

#include "document/recovery.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace orvane;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!bytes.empty() && (bytes.back() & 1)) {
        bytes.pop_back();
        char check[16];
        std::snprintf(check, sizeof check, "check %08x\n", unsigned(recoveryChecksum(bytes)));
        bytes += check;
    }
    // As a journal of the mark its head line names.
    if (bytes.starts_with("Orvane journal 1 ")) {
        const std::string mark = bytes.substr(17, bytes.find('\n') == std::string::npos ? 0 : bytes.find('\n') - 17);
        const JournalReading reading = parseJournal(bytes, mark);
        std::string again = journalHead(mark);
        for (const JournalEdit& edit : reading.edits)
            again += journalEntry(edit);
        const JournalReading back = parseJournal(again, mark);
        if (!back.whole || back.edits.size() != reading.edits.size())
            std::abort();
        for (std::size_t i = 0; i < back.edits.size(); ++i)
            if (back.edits[i].bytes != reading.edits[i].bytes || back.edits[i].at != reading.edits[i].at)
                std::abort();
    }
    RecoveryFault fault = RecoveryFault::None;
    const auto record = parseRecovery(bytes, fault);
    if (!record)
        return fault == RecoveryFault::None ? (std::abort(), 0) : 0;
    const auto again = parseRecovery(recoveryBytes(*record), fault);
    if (!again || again->text != record->text || again->fileName != record->fileName || !(again->format == record->format)
        || again->onDisk.exists != record->onDisk.exists)
        std::abort();
    return 0;
}
