#pragma once
// Work run in the order it was posted, away from the caller: the autosave writes on a thread of
// its own, so that the window never waits for the disk; tests run the work at once.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace orvane {

class WorkQueue {
public:
    virtual ~WorkQueue() = default;
    virtual void post(std::function<void()> work) = 0;
    // Returns once everything posted before has run.
    virtual void drain() = 0;
};

// Work run on the window's thread once the events waiting now are handled. post() may be
// called from any thread.
class Later {
public:
    virtual ~Later() = default;
    virtual void post(std::function<void()> work) = 0;
};

// Runs the work where it is posted.
class InlineWork final : public WorkQueue {
public:
    void post(std::function<void()> work) override { work(); }
    void drain() override {}
};

// One thread, started with the first work; where no thread can be had (a memory limit), the
// work runs where it is posted.
class WorkerThread final : public WorkQueue {
public:
    WorkerThread() = default;
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;
    ~WorkerThread() override;

    void post(std::function<void()> work) override;
    void drain() override;

private:
    void run();

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::function<void()>> queue;
    bool busy = false;
    bool stopping = false;
    std::thread thread;
};

} // namespace orvane
