#include "calendar/ShamsiArithmetic.h"

#include "calendar/Numbers.h"

namespace tavilo {
namespace {

// Long years of the 33-year rule: (25y + 11) mod 33 < 8, which is the same
// test as (8y - 4) mod 33 < 8. Written that way, the number of long years up
// to and including y telescopes to floor((8y - 4) / 33) (for the years of
// the date range, where 8y stays far inside 32 bits).
constexpr int32_t ArithmeticLongYearsThrough(int32_t year) { return DivFloor(8 * year - 4, 33); }

// Where the equinox falls so close to Tehran noon that the astronomical
// calendar puts the long year one year after the 33-year rule does.
constexpr int32_t kShiftedLongYears[] = {1502, 1601};

constexpr int32_t kAnchorYear = 1300;
constexpr int32_t kAnchorDay = 7751;  // 1 Farvardin 1300 = 21 March 1921
constexpr int32_t kDaysPer33Years = 33 * 365 + 8;

}  // namespace

bool IsLongYear(int32_t year) {
  for (int32_t shifted : kShiftedLongYears) {
    if (year == shifted) return false;
    if (year == shifted + 1) return true;
  }
  const int64_t residue = (25 * int64_t{year} + 11) % 33;
  return (residue < 0 ? residue + 33 : residue) < 8;
}

int32_t MonthLength(int32_t year, int32_t month) {
  if (month <= 6) return 31;
  if (month <= 11) return 30;
  return IsLongYear(year) ? 30 : 29;
}

int32_t FarvardinFirst(int32_t year) {
  int32_t day = kAnchorDay + 365 * (year - kAnchorYear) + ArithmeticLongYearsThrough(year - 1) -
                ArithmeticLongYearsThrough(kAnchorYear - 1);
  // The year after a shifted short year starts a day earlier than the rule
  // says; the long year that follows brings the count back in step.
  for (int32_t shifted : kShiftedLongYears)
    if (year == shifted + 1) --day;
  return day;
}

int32_t DayFromShamsi(const ShamsiDate& date) {
  const int32_t month_start =
      date.month <= 7 ? 31 * (date.month - 1) : 186 + 30 * (date.month - 7);
  return FarvardinFirst(date.year) + month_start + date.day - 1;
}

ShamsiDate ShamsiFromDay(int32_t day) {
  // The mean-year estimate is the year itself or the one before, over the
  // whole range of date values, where every intermediate stays inside 32 bits.
  int32_t year = kAnchorYear + DivFloor((day - kAnchorDay) * 33, kDaysPer33Years);
  int32_t year_start = FarvardinFirst(year + 1);
  if (year_start <= day) ++year;
  else year_start = FarvardinFirst(year);
  const int32_t day_of_year = day - year_start;
  if (day_of_year < 186) return {year, day_of_year / 31 + 1, day_of_year % 31 + 1};
  return {year, (day_of_year - 186) / 30 + 7, (day_of_year - 186) % 30 + 1};
}

}  // namespace tavilo
