#pragma once
// The two ways LocalFiles writes a file. AtomicFile: a new version, written beside it under a
// temporary name and put in its place only when complete, so that a failure at any point
// leaves the old file as it was. InPlaceFile: the file itself, for its other names (hard
// links), with its old contents put back on any failure. Names are used as the bytes they
// are.

#include "platform/file_service.h"

#include <string>
#include <string_view>

namespace orvane {

class AtomicFile final : public FileWriter {
public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile() override { cancel(); }

    // Starts the new version of the file at path. False, with error() set, when the name
    // cannot take one (a folder, a device, a missing folder, a link loop). mode: the new
    // version's permissions whatever the old one had (0: the old one's).
    bool open(const std::string& path, bool throughLinks = true, unsigned mode = 0);
    bool write(std::string_view bytes) override;
    bool takeBack(std::size_t count, std::string& out) override;
    std::size_t written() const { return size; }
    // Puts the new version in place of the old, keeping the old one's owner, group and
    // permissions where the process may set them, and makes it durable.
    bool commit() override;
    void cancel();

    const std::string& error() const override { return problem; }
    const std::string& target() const { return name; }
    FileIdentity identity() const override { return committed; }
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

class InPlaceFile final : public FileWriter {
public:
    InPlaceFile() = default;
    InPlaceFile(const InPlaceFile&) = delete;
    InPlaceFile& operator=(const InPlaceFile&) = delete;
    ~InPlaceFile() override;

    // Opens the file and keeps its old contents; expectedSize (0: not known) is reserved.
    bool open(const std::string& path, std::size_t expectedSize);
    bool write(std::string_view bytes) override;
    bool takeBack(std::size_t, std::string&) override { return false; }
    bool commit() override;

    const std::string& error() const override { return problem; }
    FileIdentity identity() const override { return committed; }

private:
    bool fail(int error);
    void putBack();

    std::string name;
    int fd = -1;
    std::string old;
    off_t at = 0;
    FileIdentity committed;
    std::string problem;
};

// A signal that ends the process removes the temporary files of the saves under way first:
// installed by the batch modes for SIGINT, SIGTERM and SIGHUP.
void removeTemporariesOnEndSignals();
// The same, from a signal handler of the caller's own. Async-signal-safe.
void removeTemporaries();
// Waits until the old versions that saves replaced are removed.
void waitForRemovals();

} // namespace orvane
