// The day's prayer times (اوقات شرعی) for a place, computed from the sun's
// position (the solar coordinates of Meeus' Astronomical Algorithms,
// chapter 25), offline.
//
// The default is the method of the Institute of Geophysics of the University
// of Tehran, by which Iran's mosques and broadcasters call: Fajr at the sun
// 17.7° below the horizon, Maghrib at 4.5° below, Isha at 14° below, the
// religious midnight halfway between sunset and the next day's Fajr. Sunrise
// and sunset are the sun's upper limb on a sea-level horizon with standard
// refraction (the sun's centre 0.833° below it); Dhuhr is the sun's transit.
//
// High latitudes: Fajr is never earlier, and Isha and Maghrib (for a method
// with a Maghrib angle) never later, than the middle of the night (sunset to
// the next sunrise), so they exist wherever the sun sets and rises even when
// it never gets that far below the horizon. Times that do not occur on a day
// (no sunset in a polar summer, no sunrise in a polar winter) are kNoTime.
#pragma once

#include <cstdint>
#include <span>

namespace tavilo {

enum class PrayerMethod { kTehran, kJafari, kMuslimWorldLeague, kIsna, kEgypt, kUmmAlQura, kKarachi };
enum class AsrShadow { kStandard, kHanafi };  // shadow factor 1 or 2
struct Place { double latitude; double longitude; };  // degrees, north and east positive
struct PrayerSettings {
  PrayerMethod method = PrayerMethod::kTehran;
  AsrShadow asr = AsrShadow::kStandard;
};
inline constexpr int64_t kNoTime = INT64_MIN;  // a time that does not occur that day

// Every field is a moment in Unix seconds (UTC). `day` is the civil date at
// the place (a day number, days since 30 December 1899). `midnight` is the
// middle of the night that follows that day.
struct PrayerTimes { int64_t fajr, sunrise, dhuhr, asr, sunset, maghrib, isha, midnight; };
PrayerTimes PrayerTimesOn(int32_t day, const Place& place, const PrayerSettings& settings);

// The times of consecutive days from `first`, as PrayerTimesOn gives them,
// for a fraction of the cost of asking for each day: a month's at once.
void PrayerTimesOfDays(int32_t first, std::span<PrayerTimes> days, const Place& place,
                       const PrayerSettings& settings);

inline constexpr int kPrayerMethodCount = 7;

// The minute a time is shown as: rounded to the nearest minute (half a
// minute goes up), never truncated, which would show a time up to a minute
// early. Unix seconds in and out; kNoTime stays kNoTime.
int64_t ShownMinute(int64_t moment);

// Unix seconds of 00:00 UTC of a day number.
int64_t UnixSecondsOfDay(int32_t day);

}  // namespace tavilo
