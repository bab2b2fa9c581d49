#pragma once
// Two pieces of work at once: the second on a thread of its own, the first on the caller's;
// one after the other where no thread can be had. An exception from either reaches the
// caller once both have ended.

#include <exception>
#include <system_error>
#include <thread>

namespace orvane {

template <typename First, typename Second>
void bothAtOnce(First&& first, Second&& second)
{
    std::exception_ptr failed;
    std::thread helper;
    try {
        helper = std::thread([&] {
            try {
                second();
            } catch (...) {
                failed = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        first();
        second();
        return;
    }
    try {
        first();
    } catch (...) {
        helper.join();
        throw;
    }
    helper.join();
    if (failed)
        std::rethrow_exception(failed);
}

} // namespace orvane
