#pragma once
// In-memory stand-ins for the services the core's flows call: the file service, the recovery
// store and the view of the document. They let a test script each failure at each step and
// see every decision without a window or a disk.

#include "platform/file_service.h"
#include "platform/recovery_store.h"
#include "platform/services.h"
#include "platform/work_queue.h"

#include <algorithm>
#include <map>
#include <new>
#include <set>
#include <string>
#include <vector>

namespace orvane::test {

inline std::string collect(const ByteSource& source)
{
    std::string out;
    source.produce([&out](std::string_view piece) {
        out.append(piece);
        return true;
    });
    return out;
}

// Files by name. Each write gives the file a new identity, as a real save does.
struct FakeFiles final : FileService {
    struct File {
        std::string bytes;
        FileIdentity identity;
    };
    std::map<std::string, File> files;
    std::map<std::string, std::string> failWrites;  // name to the reason its writes fail
    struct Written {
        std::string path;
        WriteOptions options;
    };
    std::vector<Written> writes;
    std::string cwd = "/home/user/letters";
    std::uint64_t nextInode = 100;

    // Puts a file there as another program would.
    void put(const std::string& path, std::string bytes, std::uint64_t links = 1)
    {
        File& f = files[path];
        f.bytes = std::move(bytes);
        f.identity = {true, 1, nextInode++, std::int64_t(f.bytes.size()), std::int64_t(nextInode) * 1000,
                      std::int64_t(nextInode) * 1000, links, true};
    }

    ReadOutcome readFile(const std::string& path, std::size_t maxBytes) override
    {
        ReadOutcome out;
        const auto it = files.find(path);
        if (it == files.end()) {
            out.status = ReadOutcome::Missing;
            out.error = "No such file or directory";
        } else if (it->second.bytes.size() > maxBytes) {
            out.error = "it is larger than " + std::to_string(maxBytes >> 20) + " MB";
        } else {
            out.status = ReadOutcome::Read;
            out.bytes = it->second.bytes;
            out.identity = it->second.identity;
        }
        return out;
    }

    // A new version, in place at commit; a write to a name in failWrites fails there.
    struct Writer final : FileWriter {
        FakeFiles& files;
        std::string path, bytes, problem;
        WriteOptions options;
        FileIdentity written;
        Writer(FakeFiles& files, std::string path, WriteOptions options)
            : files(files), path(std::move(path)), options(options)
        {
        }
        bool write(std::string_view piece) override
        {
            if (const auto fail = files.failWrites.find(path); fail != files.failWrites.end()) {
                problem = fail->second;
                return false;
            }
            bytes.append(piece);
            return true;
        }
        bool takeBack(std::size_t count, std::string& out) override
        {
            out = bytes.substr(bytes.size() - std::min(count, bytes.size()));
            bytes.resize(bytes.size() - out.size());
            return true;
        }
        bool commit() override
        {
            if (const auto fail = files.failWrites.find(path); fail != files.failWrites.end()) {
                problem = fail->second;
                return false;
            }
            const std::uint64_t links = files.files.count(path) && options.inPlace ? files.files[path].identity.links : 1;
            files.put(path, bytes, links);
            written = files.files[path].identity;
            return true;
        }
        const std::string& error() const override { return problem; }
        FileIdentity identity() const override { return written; }
    };

    std::unique_ptr<FileWriter> startWrite(const std::string& path, const WriteOptions& options, std::string&) override
    {
        writes.push_back({path, options});
        return std::make_unique<Writer>(*this, path, options);
    }

    FileIdentity identify(const std::string& path) override
    {
        const auto it = files.find(path);
        return it == files.end() ? FileIdentity{} : it->second.identity;
    }

    std::string absolute(const std::string& path) override
    {
        return path.empty() || path.starts_with('/') ? path : cwd + "/" + path;
    }

    std::string bytesAt(const std::string& path) const
    {
        const auto it = files.find(path);
        return it == files.end() ? std::string("<missing>") : it->second.bytes;
    }
};

// The text box: the document's bytes, with a user who may stop a long load.
struct FakeView final : DocumentView {
    std::string text;
    std::string caption;
    std::vector<Message> notes;
    int edits = 0;                // the user's own edits made through editText
    int focused = 0;
    bool stopLoads = false;       // the user presses Stop on every load that offers it
    bool outOfMemory = false;     // reading the text needs memory there is none of
    std::size_t loads = 0;

    std::string documentText() override
    {
        if (outOfMemory)
            throw std::bad_alloc();
        return text;
    }
    ByteSource documentSource() override
    {
        if (outOfMemory)
            throw std::bad_alloc();
        return {text.size(), [this](const ByteSource::Put& put) { return put(text); }};
    }
    std::size_t documentLineCount() override
    {
        std::size_t lines = 1;
        for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
            ++lines;
        return lines;
    }
    bool setDocumentText(std::string_view bytes, bool mayStop) override
    {
        ++loads;
        if (stopLoads && mayStop) {
            text = std::string(bytes.substr(0, bytes.size() / 2));  // stopped half way
            return false;
        }
        text = bytes;
        return true;
    }
    // Places are bytes here; a line begins after each "\r\n".
    std::size_t textLength() override { return text.size(); }
    std::string textBetween(std::size_t from, std::size_t to) override
    {
        if (outOfMemory)
            throw std::bad_alloc();
        return text.substr(from, to - from);
    }
    std::size_t pieceEnd(std::size_t from, std::size_t atLeast) override
    {
        const std::size_t at = text.find("\r\n", std::min(text.size(), from + atLeast));
        return at == std::string::npos ? text.size() : at + 2;
    }
    bool replaceText(std::size_t at, std::size_t removed, std::string_view bytes) override
    {
        if (at > text.size())
            return false;
        text.replace(at, removed, bytes);
        return true;
    }
    bool editText(std::size_t at, std::size_t removed, std::string_view bytes) override
    {
        ++edits;
        return replaceText(at, removed, bytes);
    }
    void setCaption(std::string_view c) override { caption = c; }
    void focusText() override { ++focused; }
    void showNote(const Message& message) override { notes.push_back(message); }
};

// Recovery files of this run and of runs that ended, in memory.
struct FakeRecoveryStore final : RecoveryStore {
    std::string own;  // this run's file; empty for none
    std::string journal;  // its journal
    bool ownExists = false;
    std::string failWrites;  // the reason writes fail, empty when they succeed
    std::size_t writesLeft = std::size_t(-1);  // writes and appends that succeed before they fail
    std::size_t bytesWritten = 0;
    std::map<std::string, std::string> orphans, orphanJournals;
    std::set<std::string> released, discarded, setAside;

    std::string folder() const override { return "/state/orvane/recovery"; }
    WriteOutcome write(const ByteSource& bytes) override
    {
        WriteOutcome out;
        if (!failWrites.empty() || writesLeft == 0) {
            out.error = failWrites.empty() ? "No space left on device" : failWrites;
            return out;
        }
        --writesLeft;
        own = collect(bytes);
        bytesWritten += own.size();
        journal.clear();
        ownExists = out.written = true;
        return out;
    }
    WriteOutcome appendJournal(std::string_view bytes) override
    {
        WriteOutcome out;
        if (!failWrites.empty() || writesLeft == 0) {
            journal.append(bytes.substr(0, bytes.size() / 2));  // the disk filled part way
            out.error = failWrites.empty() ? "No space left on device" : failWrites;
            return out;
        }
        --writesLeft;
        journal.append(bytes);
        bytesWritten += bytes.size();
        out.written = true;
        return out;
    }
    void remove() override
    {
        own.clear();
        journal.clear();
        ownExists = false;
    }
    bool holdsOwn() override { return ownExists; }
    std::vector<std::string> claimOrphans() override
    {
        std::vector<std::string> ids;
        for (const auto& [id, bytes] : orphans)
            ids.push_back(id);
        return ids;
    }
    ReadOutcome readOrphan(const std::string& orphan, std::size_t maxBytes) override
    {
        ReadOutcome out;
        const std::string& bytes = orphans.at(orphan);
        if (bytes.size() > maxBytes) {
            out.error = "it is larger than " + std::to_string(maxBytes >> 20) + " MB";
            return out;
        }
        out.status = ReadOutcome::Read;
        out.bytes = bytes;
        return out;
    }
    ReadOutcome readOrphanJournal(const std::string& orphan, std::size_t) override
    {
        ReadOutcome out;
        const auto it = orphanJournals.find(orphan);
        if (it == orphanJournals.end()) {
            out.status = ReadOutcome::Missing;
            return out;
        }
        out.status = ReadOutcome::Read;
        out.bytes = it->second;
        return out;
    }
    std::string orphanPath(const std::string& orphan) const override { return folder() + "/" + orphan + ".recovery"; }
    void discardOrphan(const std::string& orphan) override
    {
        orphans.erase(orphan);
        discarded.insert(orphan);
    }
    void releaseOrphan(const std::string& orphan) override { released.insert(orphan); }
    std::string setAsideOrphan(const std::string& orphan) override
    {
        orphans.erase(orphan);
        setAside.insert(orphan);
        return folder() + "/" + orphan + ".damaged";
    }
};

// Work for the window's thread, run when the test says.
struct HeldWork final : Later {
    std::vector<std::function<void()>> waiting;
    void post(std::function<void()> work) override { waiting.push_back(std::move(work)); }
    // Runs what waits, and what that posts, until nothing does.
    void runOne()
    {
        if (waiting.empty())
            return;
        auto work = std::move(waiting.front());
        waiting.erase(waiting.begin());
        work();
    }
    void runAll()
    {
        while (!waiting.empty()) {
            auto now = std::move(waiting);
            waiting.clear();
            for (auto& work : now)
                work();
        }
    }
};

} // namespace orvane::test
