#include "platform/both_at_once.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <system_error>

namespace orvane {

namespace {
// The kept thread: one piece of work at a time, for whoever has taken it.
struct Kept {
    std::atomic<bool> taken{false};
    std::mutex mutex;
    std::condition_variable changed;
    std::function<void()> work;
    bool done = false;
    std::thread thread;

    void run()
    {
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [this] { return bool(work); });
            lock.unlock();
            work();
            lock.lock();
            work = nullptr;
            done = true;
            changed.notify_all();
        }
    }
};

// Never ended: the thread waits for work until the process ends.
Kept& kept()
{
    static Kept* const k = new Kept;
    return *k;
}
} // namespace

Beside::Beside(std::function<void()> w)
{
    // What runs beside keeps its exception for wait().
    work = [this, w = std::move(w)] {
        try {
            w();
        } catch (...) {
            failed = std::current_exception();
        }
    };
    Kept& k = kept();
    if (!k.taken.exchange(true)) {
        std::unique_lock lock(k.mutex);
        try {
            if (!k.thread.joinable())
                k.thread = std::thread([&k] { k.run(); });
            k.done = false;
            k.work = work;
            where = Where::Kept;
            lock.unlock();
            k.changed.notify_all();
            return;
        } catch (const std::system_error&) {
            lock.unlock();
            k.taken = false;
        }
    }
    try {
        own = std::thread(work);
        where = Where::Own;
    } catch (const std::system_error&) {
        where = Where::WhenWaited;
    }
}

Beside::~Beside()
{
    try {
        wait();
    } catch (...) {
    }
}

void Beside::wait()
{
    if (where == Where::Kept) {
        Kept& k = kept();
        std::unique_lock lock(k.mutex);
        k.changed.wait(lock, [&k] { return k.done; });
        lock.unlock();
        k.taken = false;
    } else if (where == Where::Own) {
        own.join();
    } else if (where == Where::WhenWaited) {
        work();
    }
    where = Where::Done;
    if (failed)
        std::rethrow_exception(std::exchange(failed, nullptr));
}

} // namespace orvane
