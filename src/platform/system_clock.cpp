#include "platform/services.h"

#include <ctime>

namespace orvane {

TimeOfDay SystemClock::now()
{
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return {local.tm_hour, local.tm_min, local.tm_sec};
}

} // namespace orvane
