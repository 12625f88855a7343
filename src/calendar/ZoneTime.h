// Local time from UTC by a time-zone rule as Windows describes one
// (TIME_ZONE_INFORMATION, for one year as GetTimeZoneInformationForYear
// gives it), so the times of a day across a daylight-saving change come out
// right; a portable counterpart of SystemTimeToTzSpecificLocalTime.
#pragma once

#include <cstdint>

namespace tavilo {

// When a rule's standard or daylight time begins, in the local time then in
// force. Month 0: the zone keeps no daylight time. Year 0: every year, on
// the `day`th (1 to 5, 5 the last) `dayOfWeek` (0 Sunday) of the month;
// otherwise on that very date.
struct ZoneTransition {
  int year = 0;
  int month = 0;
  int dayOfWeek = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// UTC = local time + bias, in minutes, plus the standard or daylight bias.
struct TimeZoneRule {
  int biasMinutes = 0;
  int standardBiasMinutes = 0;
  int daylightBiasMinutes = 0;
  ZoneTransition standardDate;  // daylight time ends
  ZoneTransition daylightDate;  // daylight time begins
};

// The local wall-clock time of a UTC moment, both in Unix seconds.
int64_t LocalFromUtc(int64_t utc, const TimeZoneRule& rule);

// The Gregorian year of a Unix moment.
int YearOfUnixTime(int64_t moment);

// Iran's official time (UTC+3:30) of a UTC moment, both in Unix seconds; an
// hour later in the summers Iran kept daylight saving (1370 to 1384 and 1387
// to 1401): from 1 Farvardin 24:00 (in 1370, 12 Ordibehesht) to
// 30 Shahrivar 24:00.
int64_t IranTimeFromUtc(int64_t utc);

// The UTC moment a day (a day number) begins on Iran's clock: its 00:00,
// or 01:00 on 2 Farvardin of a daylight-saving year, when the clock skips
// from 24:00 to 01:00.
int64_t IranDayStartUtc(int32_t day);

}  // namespace tavilo
