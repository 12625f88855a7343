// Time since the system started, split for the counter label and for the
// shutdown scheduler. Built from the 64-bit tick count, so it neither wraps
// after 49.7 days nor turns negative after 24.8 days.
#pragma once

#include <cstdint>
#include <string>

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

// "h:m:s:ms", each number in decimal without padding: 7384123 ms -> "2:3:4:123".
std::wstring RunningTimeText(const RunningTime& time);

}  // namespace tavilo
