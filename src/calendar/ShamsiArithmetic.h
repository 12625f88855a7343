// Day arithmetic of the Solar Hijri calendar as it is officially kept: the
// 33-year rule, with the astronomical corrections that move a long year one
// year later where the vernal equinox falls close to noon in Tehran.
#pragma once

#include <cstdint>

namespace tavilo {

struct ShamsiDate {
  int32_t year;
  int32_t month;
  int32_t day;
};

// True when the year has 366 days (Esfand has 30 days).
bool IsLongYear(int32_t year);

// Days of a month, 1 to 12.
int32_t MonthLength(int32_t year, int32_t month);

// The day number (days since 30 December 1899) of 1 Farvardin of a year.
int32_t FarvardinFirst(int32_t year);

// Day number of a Shamsi date (fields assumed in range) and back.
int32_t DayFromShamsi(const ShamsiDate& date);
ShamsiDate ShamsiFromDay(int32_t day);

}  // namespace tavilo
