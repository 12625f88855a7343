// Day arithmetic of the Solar Hijri calendar as it is officially kept: the
// 33-year rule, with the astronomical corrections that move a long year one
// year later where the vernal equinox falls close to noon in Tehran.
#pragma once

#include <cstdint>

#include "calendar/Numbers.h"

namespace tavilo {

struct ShamsiDate {
  int32_t year;
  int32_t month;
  int32_t day;
};

namespace shamsi_detail {

// Long years of the 33-year rule: (25y + 11) mod 33 < 8, which is the same
// test as (8y - 4) mod 33 < 8. Written that way, the number of long years up
// to and including y telescopes to floor((8y - 4) / 33) (for the years of
// the date range, where 8y stays far inside 32 bits).
constexpr int32_t ArithmeticLongYearsThrough(int32_t year) { return DivFloor(8 * year - 4, 33); }

// Where the equinox falls so close to Tehran noon that the astronomical
// calendar puts the long year one year after the 33-year rule does.
inline constexpr int32_t kShiftedLongYears[] = {1502, 1601};

inline constexpr int32_t kAnchorYear = 1300;
inline constexpr int32_t kAnchorDay = 7751;  // 1 Farvardin 1300 = 21 March 1921

}  // namespace shamsi_detail

// True when the year has 366 days (Esfand has 30 days).
bool IsLongYear(int32_t year);

// Days of a month, 1 to 12.
inline int32_t MonthLength(int32_t year, int32_t month) {
  if (month <= 6) return 31;
  if (month <= 11) return 30;
  return IsLongYear(year) ? 30 : 29;
}

// The day number (days since 30 December 1899) of 1 Farvardin of a year.
// Inline, with DayFromShamsi, because reading a date text comes down to
// these few operations and a call would cost as much as the arithmetic.
constexpr int32_t FarvardinFirst(int32_t year) {
  using namespace shamsi_detail;
  int32_t day = kAnchorDay + 365 * (year - kAnchorYear) + ArithmeticLongYearsThrough(year - 1) -
                ArithmeticLongYearsThrough(kAnchorYear - 1);
  // The year after a shifted short year starts a day earlier than the rule
  // says; the long year that follows brings the count back in step.
  for (int32_t shifted : kShiftedLongYears)
    if (year == shifted + 1) --day;
  return day;
}

// Day number of a Shamsi date (fields assumed in range) and back.
constexpr int32_t DayFromShamsi(const ShamsiDate& date) {
  const int32_t month_start =
      date.month <= 7 ? 31 * (date.month - 1) : 186 + 30 * (date.month - 7);
  return FarvardinFirst(date.year) + month_start + date.day - 1;
}
ShamsiDate ShamsiFromDay(int32_t day);

}  // namespace tavilo
