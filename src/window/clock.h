#pragma once
// The clock of status panel 4: the 12-hour time without seconds and the Bamini word for
// morning ("fhiy") or evening ("khiy").

#include "platform/services.h"

#include <string>

namespace orvane {

std::string ClockText(const TimeOfDay& time);

} // namespace orvane
