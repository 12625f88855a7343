// The shutdown scheduler's target: a running time (whole hours since the
// system started, minutes and seconds fields) at which the session ends.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "tools/logic/NumericInput.h"

namespace tavilo {

// How often an armed schedule looks at the running time: twenty times a
// second, so the end comes within 50 ms of the target second's start, and
// even a look delayed most of a second by a busy message queue still falls
// inside it; twenty wake-ups a second only while a schedule is armed.
inline constexpr std::uint32_t kScheduleCheckIntervalMs = 50;

struct ScheduleTarget {
  std::int16_t hours = 0;
  std::int16_t minutes = 0;
  std::int16_t seconds = 0;
  bool operator==(const ScheduleTarget&) const = default;
};

// The target the three boxes describe: each text must be a number under the
// user's locale and round (ties to even) into a 16-bit integer. Nothing when
// any of them fails, so a typo never arms or changes a schedule.
std::optional<ScheduleTarget> ReadScheduleTarget(NumericText& numbers, const std::wstring& hourText,
                                                 const std::wstring& minuteText,
                                                 const std::wstring& secondText);

// True during the one second of running time whose fields equal the target.
// The running hours are not reduced modulo 24 and never wrap.
bool TargetReached(const ScheduleTarget& target, std::int32_t runHour, std::int16_t runMin,
                   std::int16_t runSec);

}  // namespace tavilo
