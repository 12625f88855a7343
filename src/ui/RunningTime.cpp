#include "ui/RunningTime.h"

#include <algorithm>
#include <limits>

namespace tavilo {

namespace {
constexpr uint64_t kMsPerSecond = 1000;
constexpr uint64_t kMsPerMinute = 60 * kMsPerSecond;
constexpr uint64_t kMsPerHour = 60 * kMsPerMinute;
}  // namespace

RunningTime RunningTimeFromTicks(uint64_t milliseconds) {
  const uint64_t hours = std::min<uint64_t>(milliseconds / kMsPerHour,
                                            std::numeric_limits<int32_t>::max());
  const uint64_t withinMinute = milliseconds % kMsPerMinute;
  return {static_cast<int32_t>(hours),
          static_cast<int16_t>(milliseconds % kMsPerHour / kMsPerMinute),
          static_cast<int16_t>(withinMinute / kMsPerSecond),
          static_cast<int16_t>(withinMinute % kMsPerSecond)};
}

std::wstring RunningTimeText(const RunningTime& time) {
  return std::to_wstring(time.hours) + L':' + std::to_wstring(time.minutes) + L':' +
         std::to_wstring(time.seconds) + L':' + std::to_wstring(time.milliseconds);
}

}  // namespace tavilo
