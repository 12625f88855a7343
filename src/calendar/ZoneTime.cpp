#include "calendar/ZoneTime.h"

#include "calendar/Numbers.h"
#include "calendar/PrayerTimes.h"
#include "calendar/ShamsiArithmetic.h"

namespace tavilo {
namespace {

constexpr int64_t kSecondsPerDay = 86400;
constexpr int32_t kUnixEpochDay = 25569;  // 1 January 1970 as a day number

int32_t DayOfUnixTime(int64_t moment) {
  const int64_t days = moment >= 0 ? moment / kSecondsPerDay : -((-moment + kSecondsPerDay - 1) / kSecondsPerDay);
  return static_cast<int32_t>(days + kUnixEpochDay);
}

int WeekDay(int32_t day) { return (day % 7 + 13) % 7; }  // 0 Sunday; day 0 was a Saturday

// The transition's local time in `year`, in Unix seconds as if it were UTC.
int64_t TransitionTime(const ZoneTransition& at, int year) {
  int32_t day = 0;
  if (at.year != 0) {
    day = static_cast<int32_t>(DateSerial(at.year, at.month, at.day));
  } else {
    const auto first = static_cast<int32_t>(DateSerial(year, at.month, 1));
    const auto next = static_cast<int32_t>(DateSerial(year, at.month + 1, 1));
    day = first + (at.dayOfWeek - WeekDay(first) + 7) % 7 + 7 * (at.day - 1);
    while (day >= next) day -= 7;  // the fifth is the last one
  }
  return UnixSecondsOfDay(day) + at.hour * 3600 + at.minute * 60 + at.second;
}

constexpr int64_t kIranOffset = 12600;  // 3:30
constexpr int64_t kIranSummerOffset = kIranOffset + 3600;

bool IranKeptSummerTime(int32_t shamsiYear) {
  return (shamsiYear >= 1370 && shamsiYear <= 1384) || (shamsiYear >= 1387 && shamsiYear <= 1401);
}

}  // namespace

int64_t IranTimeFromUtc(int64_t utc) {
  constexpr int64_t kFirstSummerYear = 662688000;  // 1 January 1991
  constexpr int64_t kAfterLastSummer = 1672531200;  // 1 January 2023
  const int64_t standard = utc + kIranOffset;
  if (utc < kFirstSummerYear || utc >= kAfterLastSummer) return standard;
  const int32_t year = ShamsiFromDay(DayOfUnixTime(standard)).year;
  if (!IranKeptSummerTime(year)) return standard;
  const int32_t nowruz = FarvardinFirst(year);
  const int32_t firstSummerDay = nowruz + (year == 1370 ? 43 : 1);  // 13 Ordibehesht in 1370
  const int32_t firstWinterDay = nowruz + 185;                      // 31 Shahrivar
  const bool summer = utc >= UnixSecondsOfDay(firstSummerDay) - kIranOffset &&
                      utc < UnixSecondsOfDay(firstWinterDay) - kIranSummerOffset;
  return summer ? utc + kIranSummerOffset : standard;
}

int64_t IranDayStartUtc(int32_t day) {
  const int64_t midnight = UnixSecondsOfDay(day);
  const int64_t inSummer = midnight - kIranSummerOffset;
  return IranTimeFromUtc(inSummer) >= midnight ? inSummer : midnight - kIranOffset;
}

int YearOfUnixTime(int64_t moment) { return CivilFromDate(DayOfUnixTime(moment)).year; }

int64_t LocalFromUtc(int64_t utc, const TimeZoneRule& rule) {
  const int64_t standardOffset = (rule.biasMinutes + rule.standardBiasMinutes) * int64_t{60};
  const int64_t daylightOffset = (rule.biasMinutes + rule.daylightBiasMinutes) * int64_t{60};
  if (rule.standardDate.month == 0 || rule.daylightDate.month == 0) return utc - standardOffset;
  const int year = YearOfUnixTime(utc - standardOffset);
  const int64_t daylightBegins = TransitionTime(rule.daylightDate, year) + standardOffset;
  const int64_t daylightEnds = TransitionTime(rule.standardDate, year) + daylightOffset;
  const bool daylight = daylightBegins < daylightEnds
                            ? utc >= daylightBegins && utc < daylightEnds
                            : utc >= daylightBegins || utc < daylightEnds;  // southern summer
  return utc - (daylight ? daylightOffset : standardOffset);
}

}  // namespace tavilo
