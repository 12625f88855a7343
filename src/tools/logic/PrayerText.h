// The prayer times as the windows name and write them, and the "next time"
// line of the tooltips: "اذان مغرب ۱۷:۰۲ (۱ ساعت و ۱۲ دقیقه دیگر)".
// Times are written at their shown minute (ShownMinute), in the computer's
// local time, in Persian digits.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/PrayerTimes.h"
#include "platform/Platform.h"
#include "ui/Settings.h"

namespace tavilo {

enum class PrayerTimeKind { kFajr, kSunrise, kDhuhr, kAsr, kSunset, kMaghrib, kIsha, kMidnight };

// "اذان صبح", "طلوع آفتاب", ..., "نیمه‌شب شرعی".
std::wstring_view PrayerTimeName(PrayerTimeKind kind);
int64_t MomentOf(const PrayerTimes& times, PrayerTimeKind kind);

// The times a day shows: the six Iranian ones, with Asr and Isha for the
// methods that call them separately (all but Tehran and Jafari) or when the
// user asks for them.
bool ShowsAsrAndIsha(PrayerMethod method, bool asked);

// "۰۵:۰۷": the hour and minute of a local wall-clock time (Unix seconds).
std::wstring ClockText(int64_t localSeconds);

struct UpcomingTime {
  PrayerTimeKind kind;
  int64_t moment;  // Unix seconds (UTC)
};

// The first time, among consecutive days' times (yesterday's midnight can
// still be ahead after 00:00), whose shown minute is not before the minute
// `now` is in; nothing when none is.
std::optional<UpcomingTime> NextPrayerTime(int64_t now, std::span<const PrayerTimes> days,
                                           bool withAsrAndIsha);

// "اذان مغرب ۱۷:۰۲ (۱ ساعت و ۱۲ دقیقه دیگر)", "(۱۲ دقیقه دیگر)",
// "(۲ ساعت دیگر)", or "(اکنون)" in the time's own minute; the time in the
// computer's local time, the wait counted from the minute `now` is in, as
// the clock beside it shows.
std::wstring UpcomingTimeText(Platform& platform, int64_t now, const UpcomingTime& next);

// The short form where the line does not fit: "مغرب ۱۷:۰۲ · ۱:۱۲", and
// "مغرب ۱۷:۰۲ · اکنون" in the time's own minute.
std::wstring ShortUpcomingTimeText(Platform& platform, int64_t now, const UpcomingTime& next);

// The prayer times in force: the one source of times that the strip, the
// tooltips, the calendar, the timetable and the reminders all read.
struct PrayerSource {
  Place place;
  PrayerSettings method;
  bool withAsrAndIsha;
};
// Nothing until a place is chosen.
std::optional<PrayerSource> ChosenPrayerSource(const Settings& settings);

// What the month calendar shows of a day's times, from the settings in force.
struct DayPrayers {
  PrayerTimes times;
  std::wstring placeName;  // "تهران", or the typed coordinates in words
  bool withAsrAndIsha;
  // A place abroad or typed in: its times are in the computer's zone,
  // which may not be the place's, and the heading says so.
  bool inComputerZone;
};

// A time of `day` in local time at its shown minute, and whether it falls on
// the local day after (+1) or before (-1); nothing when it does not occur.
struct DayTime {
  std::optional<int64_t> local;
  int dayShift = 0;
};
DayTime DayTimeOf(Platform& platform, int32_t day, int64_t moment);
// "۰۵:۱۰", "۰۰:۱۲ (فردا)", "۲۳:۵۰ (دیروز)" or "ندارد".
std::wstring DayTimeText(const DayTime& time);
// The kinds a day shows, in the day's order.
std::vector<PrayerTimeKind> ShownKinds(bool withAsrAndIsha);

// The calendar's prayer times of `day` for the chosen place; nothing until
// one is chosen.
std::optional<DayPrayers> ChosenDayPrayers(int32_t day, const Settings& settings);

// "اوقات شرعی تهران" (and "، به وقت این رایانه" for a place abroad), then
// the times two a line in the day's order, each "اذان صبح ۰۵:۱۰" in local
// time; one that falls on the local day after (or before) `day` is marked
// "(فردا)" ("(دیروز)"), one that does not occur "ندارد", and `next`, when
// given, "(بعدی)". Lines end "\r\n" and open with a right-to-left mark, for
// an edit control.
std::wstring PrayerDayText(Platform& platform, int32_t day, const DayPrayers& prayers,
                           std::optional<PrayerTimeKind> next = std::nullopt);
// Its first line without the mark: "اوقات شرعی تهران".
std::wstring PrayerHeading(Platform& platform, const DayPrayers& prayers);

// The first of the day's shown times whose minute `now` has not passed;
// nothing once the last has gone.
std::optional<UpcomingTime> NextTimeOfDay(int64_t now, const DayPrayers& prayers);

// Milliseconds from `now` (Unix seconds) to the end of the shown minute of
// `next`, when the mark moves on to the time after it.
uint32_t MillisecondsUntilPassed(int64_t now, const UpcomingTime& next);

// Whether the computer keeps Iran's clock at a moment (Unix seconds): +3:30,
// or +4:30 in the summers before daylight saving ended in 2022.
bool InIranZone(Platform& platform, int64_t moment);

// The tooltips' line: the next prayer time after `now` and the wait
// (UpcomingTimeText) for the place chosen; empty until one is chosen.
std::wstring NextPrayerLine(Platform& platform, int64_t now, const Settings& settings);
// The next prayer time after `now` for the place chosen (NextPrayerTime).
std::optional<UpcomingTime> NextChosenPrayer(Platform& platform, int64_t now,
                                             const Settings& settings);

}  // namespace tavilo
