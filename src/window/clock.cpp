#include "window/clock.h"

#include <cstdio>

namespace orvane {

std::string ClockText(const TimeOfDay& time)
{
    // Built from the time itself, not from a locale's time text, so any locale gives
    // the same panel.
    const int hour12 = time.hour % 12 == 0 ? 12 : time.hour % 12;
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d %s", hour12, time.minute % 60,
                  time.hour < 12 ? "fhiy" : "khiy");
    return text;
}

} // namespace orvane
