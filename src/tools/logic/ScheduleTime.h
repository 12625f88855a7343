// When an armed schedule ends, for each way of saying it: "after" hours and
// minutes from now, counted on the tick count like the running time, so no
// clock or time-zone change moves it; "at" a clock time, today or tomorrow,
// turned into a UTC moment by the zone's rule for that date; or a running
// time (ShutdownSchedule.h). Every end is a second of running time.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "calendar/ZoneTime.h"

namespace tavilo {

// The order of the window's options; the numbers are kept in the settings.
// The last three wait for an event: a program closing, the computer left
// idle, a clock time on chosen week days (ScheduleEvents.h).
enum class ScheduleMode { kAfter, kAt, kRunningTime, kProgram, kIdle, kNightly };
inline constexpr int kScheduleModeCount = 6;

// What the "after" and "at" boxes take.
inline constexpr int kMostAfterHours = 99;
inline constexpr int kMostAfterMinutes = 999;

// A whole number typed into a box, in ASCII, Persian or Arabic-Indic digits,
// blanks around it allowed; nothing when it is empty, holds anything else (a
// sign, a letter) or exceeds `maximum`.
std::optional<int> ReadWholeNumber(std::wstring_view text, int maximum);

// An "after" or "at" box: empty (or blank) counts as 0, else as
// ReadWholeNumber reads it.
std::optional<int> ReadBoxOrZero(std::wstring_view text, int maximum);

// Why a mode's confirmation is greyed with `filled` of its `boxes` boxes
// holding text (for a program: an item chosen), for the status line;
// nullptr when it is not. The running time needs all its boxes, the others
// one.
const wchar_t* WhyConfirmGreyed(ScheduleMode mode, int filled, int boxes);

// The running second `minutes` after the tick count `tick`.
std::int64_t RunningSecondAfter(std::uint64_t tick, std::int64_t minutes);

// The UTC moment of a local wall-clock time under a zone's rule, both in
// Unix seconds. A time the clocks skip (the spring gap) means the first
// moment after the gap; a time they show twice means the first of the two.
std::int64_t UtcFromLocal(std::int64_t local, const TimeZoneRule& rule);

using ZoneRuleOfYear = std::function<TimeZoneRule(int year)>;

struct ClockTarget {
  std::int64_t local = 0;  // the wall-clock moment, Unix seconds as if UTC
  std::int64_t utc = 0;
  bool tomorrow = false;
  bool operator==(const ClockTarget&) const = default;
};

// The next time the local clock shows hour:minute after `utcNow`: today, or
// tomorrow when today's has passed.
ClockTarget NextClockTime(int hour, int minute, std::int64_t utcNow, const ZoneRuleOfYear& ruleOf);

// The running second in which the UTC moment `utc` comes, seen at tick count
// `tick` and UTC `utcNow`; the past comes as a second already passed.
std::int64_t RunningSecondAt(std::uint64_t tick, std::int64_t utcNow, std::int64_t utc);

}  // namespace tavilo
