#include "platform/memory.h"

#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace orvane {

std::size_t memoryHeadroom()
{
    const std::size_t page = std::size_t(::sysconf(_SC_PAGESIZE));
    std::size_t room = std::size_t(-1);
    rlimit limit{};
    unsigned long pages = 0;
    if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
        if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%lu", &pages) == 1) {
                const std::size_t used = std::size_t(pages) * page;
                room = limit.rlim_cur > used ? std::size_t(limit.rlim_cur) - used : 0;
            }
            std::fclose(statm);
        }
    }
    const long available = ::sysconf(_SC_AVPHYS_PAGES);
    if (available > 0 && std::size_t(available) * page < room)
        room = std::size_t(available) * page;
    return room;
}

} // namespace orvane
