#include "platform/work_queue.h"

#include <system_error>

namespace orvane {

WorkerThread::~WorkerThread()
{
    {
        const std::lock_guard lock(mutex);
        stopping = true;
    }
    changed.notify_all();
    if (thread.joinable())
        thread.join();
}

void WorkerThread::post(std::function<void()> work)
{
    {
        std::unique_lock lock(mutex);
        if (!thread.joinable()) {
            try {
                thread = std::thread([this] { run(); });
            } catch (const std::system_error&) {
                lock.unlock();
                drain();
                work();  // no thread to be had: at once, in order
                return;
            }
        }
        queue.push_back(std::move(work));
    }
    changed.notify_all();
}

void WorkerThread::drain()
{
    std::unique_lock lock(mutex);
    changed.wait(lock, [this] { return queue.empty() && !busy; });
}

void WorkerThread::run()
{
    std::unique_lock lock(mutex);
    for (;;) {
        changed.wait(lock, [this] { return stopping || !queue.empty(); });
        if (queue.empty())
            return;  // stopping, with nothing left to do
        std::function<void()> work = std::move(queue.front());
        queue.pop_front();
        busy = true;
        lock.unlock();
        work();
        lock.lock();
        busy = false;
        changed.notify_all();
    }
}

} // namespace orvane
