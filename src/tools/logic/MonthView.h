// What the month calendar shows: one Solar Hijri month laid out in weeks
// from Saturday, each day with its Gregorian and lunar Hijri day, Fridays
// and holidays marked, the month's occasions, and the texts around the grid.
// Every number is written in Persian digits.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace tavilo {

// The twelve Gregorian month names, January first.
using GregorianMonthNames = std::array<std::wstring, 12>;

// The Persian names built in, for a system that has none.
const GregorianMonthNames& PersianGregorianMonthNames();

// The names the calendars show: the system's own for fa-IR, the built-in
// ones for a month the system cannot name.
GregorianMonthNames PersianGregorianMonthNames(Platform& platform);

struct ShamsiMonth {
  int year;
  int month;  // 1..12
  bool operator==(const ShamsiMonth&) const = default;
};

struct MonthCell {
  int32_t day;  // day number (days since 30 December 1899)
  int shamsiDay;
  int gregorianDay;
  int qamariDay;
  bool inMonth;    // of the month shown, not of the weeks' overlap
  bool dayOff;     // a Friday or a public holiday
  bool estimated;  // the lunar date is estimated
};

inline constexpr int kWeekDays = 7;
inline constexpr int kGridCells = 42;  // six weeks

struct MonthView {
  ShamsiMonth month;
  // Six weeks, Saturday first: cells[row * 7 + column], column 0 Saturday.
  std::array<MonthCell, kGridCells> cells;
  std::wstring heading;        // "آذر ۱۴۰۵"
  std::wstring gregorianSpan;  // "نوامبر – دسامبر ۲۰۲۶"
  std::wstring qamariSpan;     // "جمادی‌الثانی – رجب ۱۴۴۸"
  bool estimated;              // some lunar date of the month is estimated
  // One line an occasion, in day order: "۱۴ خرداد: رحلت حضرت امام خمینی"
  // followed by " (تعطیل)" for a day off.
  std::vector<std::wstring> occasionLines;
};

// The Persian week-day names, Saturday first.
const std::array<std::wstring, kWeekDays>& WeekDayNames();

MonthView BuildMonthView(ShamsiMonth month, int correctionDays, const GregorianMonthNames& names);

// A day in the three calendars with its week day:
// "شنبه ۱۵ آذر ۱۴۰۵ – ۶ دسامبر ۲۰۲۶ – ۲۵ جمادی‌الثانی ۱۴۴۸".
std::wstring FullDateLine(int32_t day, int correctionDays, const GregorianMonthNames& names);

// The lunar date of a day and its occasions, for a tooltip:
// "۲۷ جمادی‌الثانی ۱۴۴۸", then each occasion on a line of its own.
std::wstring QamariDayText(int32_t day, int correctionDays);

ShamsiMonth MonthOfDay(int32_t day);

// The month `months` after (or before) `month`, held within the years the
// calendar shows (1 to 9000).
ShamsiMonth AddMonths(ShamsiMonth month, int months);

// The same day of the month `months` after (or before) the day's own month,
// the month's last day when it is shorter.
int32_t SameDayMonthsLater(int32_t day, int months);

// A date typed into the go-to box: a Shamsi one (1370/5/12) or a Gregorian
// one (2026-12-07), in Latin or Persian digits, with '/' or '-' between the
// fields; a year above 1700 is Gregorian. Nothing when it is no date.
std::optional<int32_t> ParseGoToDate(const std::wstring& text);

}  // namespace tavilo
