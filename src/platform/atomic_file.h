#pragma once
// A new version of a file, written beside it under a temporary name and put in its place
// only when complete: a failure at any point leaves the old file as it was. The name is
// used as the bytes it is.

#include "platform/file_service.h"

#include <string>
#include <string_view>

namespace orvane {

class AtomicFile {
public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile() { cancel(); }

    // Starts the new version of the file at path. False, with error() set, when the name
    // cannot take one (a folder, a device, a missing folder, a link loop). mode: the new
    // version's permissions whatever the old one had (0: the old one's).
    bool open(const std::string& path, bool throughLinks = true, unsigned mode = 0);
    bool write(std::string_view bytes);
    // Takes back the last count bytes written, into out (for a Backspace that reaches back
    // past what was already handed over).
    bool takeBack(std::size_t count, std::string& out);
    std::size_t written() const { return size; }
    // Puts the new version in place of the old, keeping the old one's owner, group and
    // permissions where the process may set them, and makes it durable.
    bool commit();
    void cancel();

    const std::string& error() const { return problem; }
    const std::string& target() const { return name; }
    const FileIdentity& identity() const { return committed; }
    // The old file exists and is a regular file; its folder may not take a new one.
    bool replacesFile() const { return oldExists; }
    int lastErrno() const { return cause; }

private:
    bool fail(int error);

    std::string name;       // the file the links end at
    std::string temporary;
    int pendingSlot = -1;   // where a signal finds the temporary file to remove it
    unsigned forcedMode = 0;
    int fd = -1;
    std::size_t size = 0;
    bool oldExists = false;
    unsigned oldMode = 0, oldUid = 0, oldGid = 0, oldLinks = 0;
    FileIdentity committed;
    std::string problem;
    int cause = 0;
};

// A signal that ends the process removes the temporary files of the saves under way first:
// installed by the batch modes for SIGINT, SIGTERM and SIGHUP.
void removeTemporariesOnEndSignals();
// The same, from a signal handler of the caller's own. Async-signal-safe.
void removeTemporaries();
// Waits until the old versions that saves replaced are removed.
void waitForRemovals();

} // namespace orvane
