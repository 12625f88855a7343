// Time since the system started, split for the counter label and for the
// shutdown scheduler. Built from the 64-bit tick count, so it neither wraps
// after 49.7 days nor turns negative after 24.8 days. It is computed when it
// is read: no timer has to keep it current, and a reader sees the hours,
// minutes, seconds and milliseconds of one and the same moment.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace tavilo {

struct RunningTime {
  int32_t hours = 0;  // not reduced modulo 24
  int16_t minutes = 0;
  int16_t seconds = 0;
  int16_t milliseconds = 0;
  bool operator==(const RunningTime&) const = default;
};

// Hours saturate at the int32 maximum (some 245 000 years of uptime).
RunningTime RunningTimeFromTicks(uint64_t milliseconds);

// The running time now.
inline RunningTime RunningTimeNow(Platform& platform) {
  return RunningTimeFromTicks(platform.TickCount());
}

// "h:m:s:ms", each number in decimal without padding: 7384123 ms -> "2:3:4:123".
std::wstring RunningTimeText(const RunningTime& time);

}  // namespace tavilo
