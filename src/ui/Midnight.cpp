#include "ui/Midnight.h"

#include <algorithm>
#include <cmath>

namespace tavilo {

uint32_t MillisecondsToNextMidnight(double now) {
  constexpr double kMsPerDay = 86400000.0;
  // The fraction of a date value is the time of day, also for the negative
  // date values before 30 December 1899.
  const double timeOfDay = std::fabs(now - std::trunc(now));
  const double remaining = std::round((1.0 - timeOfDay) * kMsPerDay);
  return static_cast<uint32_t>(std::clamp(remaining, 1.0, kMsPerDay));
}

}  // namespace tavilo
