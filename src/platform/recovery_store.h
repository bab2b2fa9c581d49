#pragma once
// Where recovery files live: one for each running program, with a lock held for as long as
// it runs, so that the files of programs that ended can be told from those of programs that
// still run, and two programs never take the same one.

#include "platform/file_service.h"

#include <map>
#include <string>
#include <vector>

namespace orvane {

class RecoveryStore {
public:
    virtual ~RecoveryStore() = default;
    virtual std::string folder() const = 0;
    // Replaces this run's recovery file with the bytes, all at once; its journal goes with the
    // file it followed.
    virtual WriteOutcome write(const ByteSource& bytes) = 0;
    // Adds the bytes to the end of this run's journal, which follows its recovery file, and
    // makes them durable.
    virtual WriteOutcome appendJournal(std::string_view bytes) = 0;
    // Removes this run's recovery file and journal.
    virtual void remove() = 0;
    // This run's recovery file is there.
    virtual bool holdsOwn() = 0;
    // The recovery files of runs that have ended, each now held by this run alone.
    virtual std::vector<std::string> claimOrphans() = 0;
    virtual ReadOutcome readOrphan(const std::string& orphan, std::size_t maxBytes) = 0;
    virtual ReadOutcome readOrphanJournal(const std::string& orphan, std::size_t maxBytes) = 0;
    // Where it lies, for a person to find it.
    virtual std::string orphanPath(const std::string& orphan) const = 0;
    virtual void discardOrphan(const std::string& orphan) = 0;
    // Let go of it, for a later run to offer again.
    virtual void releaseOrphan(const std::string& orphan) = 0;
    // Moves a file that cannot be read out of the way; returns where it went.
    virtual std::string setAsideOrphan(const std::string& orphan) = 0;
};

// The files in the user's state folder: $XDG_STATE_HOME/orvane/recovery, by default
// ~/.local/state/orvane/recovery; none where the user has no home folder.
class LocalRecoveryStore final : public RecoveryStore {
public:
    LocalRecoveryStore();
    ~LocalRecoveryStore() override;
    LocalRecoveryStore(const LocalRecoveryStore&) = delete;
    LocalRecoveryStore& operator=(const LocalRecoveryStore&) = delete;

    static std::string defaultFolder();

    std::string folder() const override { return dir; }
    WriteOutcome write(const ByteSource& bytes) override;
    WriteOutcome appendJournal(std::string_view bytes) override;
    void remove() override;
    bool holdsOwn() override;
    std::vector<std::string> claimOrphans() override;
    ReadOutcome readOrphan(const std::string& orphan, std::size_t maxBytes) override;
    ReadOutcome readOrphanJournal(const std::string& orphan, std::size_t maxBytes) override;
    std::string orphanPath(const std::string& orphan) const override;
    void discardOrphan(const std::string& orphan) override;
    void releaseOrphan(const std::string& orphan) override;
    std::string setAsideOrphan(const std::string& orphan) override;

private:
    bool lockOwn(std::string& error);
    std::string pathOf(const std::string& id, const char* ending) const;

    std::string dir;
    std::string id;        // this run's: process id and start time
    int ownLock = -1;
    std::map<std::string, int> claimed;  // orphan id to its lock
    LocalFiles files;
};

} // namespace orvane
