// The recovery reader on any bytes: it never reads past what it was given, whatever the
// length fields say, and a record it reads writes back to a file that reads as the same.
// Half the inputs get a valid checksum, so that the fields behind it are reached.

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
