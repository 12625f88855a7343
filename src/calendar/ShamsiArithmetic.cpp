#include "calendar/ShamsiArithmetic.h"

namespace tavilo {
namespace {

constexpr int32_t kDaysPer33Years = 33 * 365 + 8;

}  // namespace

bool IsLongYear(int32_t year) {
  for (int32_t shifted : shamsi_detail::kShiftedLongYears) {
    if (year == shifted) return false;
    if (year == shifted + 1) return true;
  }
  const int64_t residue = (25 * int64_t{year} + 11) % 33;
  return (residue < 0 ? residue + 33 : residue) < 8;
}

ShamsiDate ShamsiFromDay(int32_t day) {
  using shamsi_detail::kAnchorDay;
  using shamsi_detail::kAnchorYear;
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
