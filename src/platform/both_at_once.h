#pragma once
// Work done beside the caller's. It runs on a thread kept for it, started when first wanted
// and waiting between pieces of work, so that it stays on a processor of its own. Where that
// thread is in use it runs on a thread of its own, and where no thread can be had it runs when
// waited for. An exception from it reaches whoever waits.

#include <exception>
#include <functional>
#include <thread>
#include <utility>

namespace orvane {

class Beside {
public:
    explicit Beside(std::function<void()> work);
    Beside(const Beside&) = delete;
    Beside& operator=(const Beside&) = delete;
    ~Beside();  // waits; an exception from the work is dropped
    // Waits for the work to end; rethrows what it threw.
    void wait();

private:
    enum class Where { Kept, Own, WhenWaited, Done };
    Where where = Where::Done;
    std::function<void()> work;
    std::thread own;
    std::exception_ptr failed;
};

// Two pieces of work at once: the second beside, the first on the caller's thread.
template <typename First, typename Second>
void bothAtOnce(First&& first, Second&& second)
{
    Beside beside{std::function<void()>(std::forward<Second>(second))};
    first();  // on an exception, the Beside waits as it ends
    beside.wait();
}

} // namespace orvane
