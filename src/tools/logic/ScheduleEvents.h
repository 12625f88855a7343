// The moments of the schedules that wait for something: the computer left
// idle for N minutes, and a clock time every chosen week day.
#pragma once

#include <cstdint>
#include <string>

#include "tools/logic/ScheduleTime.h"

namespace tavilo {

// --- Idle ---
// The idle threshold the window takes, in minutes.
inline constexpr int kMostIdleMinutes = 999;

// How long from `nowTick` until the idle time (since `lastInputTick`, both
// in the 32-bit millisecond tick that wraps after 49.7 days) can first
// reach `thresholdMs`; 0 when it has. An input stamped after `nowTick` (read
// a moment later) is no idleness at all.
std::uint32_t IdleWaitMs(std::uint32_t nowTick, std::uint32_t lastInputTick,
                         std::uint32_t thresholdMs);

// --- Every day at ---
// Week days as bits, Saturday first as the calendar's week: bit 0 Saturday
// ... bit 6 Friday.
inline constexpr int kEveryDay = 0x7F;
// The week-day bit of a day counted from 1 January 1970 (a Thursday).
int WeekDayBit(std::int64_t day);
// A firing found this late still acts; later, it waits for the next day.
inline constexpr std::int64_t kNightlyGraceSeconds = 60;

// The first moment after `utcNow` when the local clock shows
// `minuteOfDay` on one of `days` (nothing chosen: every day), under the
// zone's rule for that date: the spring gap means the first minute after
// it, a time shown twice the first of the two.
ClockTarget NextNightly(int minuteOfDay, int days, std::int64_t utcNow,
                        const ZoneRuleOfYear& ruleOf);

// "هر روز ساعت ۲۳:۰۰، بار بعد شنبه": what an armed nightly schedule waits
// for, with the week day of its next moment (`nextLocal`, Unix seconds as if
// UTC).
std::wstring NightlyText(int minuteOfDay, std::int64_t nextLocal);

}  // namespace tavilo
