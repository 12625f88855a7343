// The lunar Hijri (Qamari) calendar as it is officially kept in Iran.
//
// Months begin on the days Iran's calendars announced, from 1 Muharram 1265
// (28 November 1848) on (data/iran-lunar-months.txt, compiled in through
// QamariTable.generated.h). Outside those months nothing is official, so the
// 30-year tabular calendar stands in for them, continued from the first known
// month start backwards and from the last known month start forwards, so that
// no month jumps at either edge; such dates are flagged `estimated`. The last
// known month has a known start but no known length: its tabular length is
// used and a day past its 29th is estimated.
//
// Days are day numbers (days since 30 December 1899), as ShamsiArithmetic.h
// counts them.
#pragma once

#include <cstdint>
#include <limits>
#include <span>
#include <string_view>

namespace tavilo {

struct QamariDate {
  int year;
  int month;
  int day;
  bool estimated;  // the day lies outside the officially announced months

  bool operator==(const QamariDate&) const = default;
};

// DayFromQamari's answer for a date that does not exist (a month outside
// 1..12, a day outside its month) or whose day number is not above this
// value or beyond int32_t.
inline constexpr int32_t kInvalidDay = std::numeric_limits<int32_t>::min();

// The correction moves the lunar calendar by whole days, as the Hijri
// adjustment of the system's regional settings does: +1 shows every day the
// lunar date of the day after. Values beyond this limit are clamped to it.
inline constexpr int kMaxCorrectionDays = 2;

// The lunar date shown on a day. Every int32_t day has one.
QamariDate QamariFromDay(int32_t day, int correctionDays = 0);

// The day on which a lunar date is shown, or kInvalidDay.
int32_t DayFromQamari(int year, int month, int day, int correctionDays = 0);

// Days of a month (29 or 30), or 0 for a month outside 1..12.
int QamariMonthLength(int year, int month);

// The Persian name of a month 1..12 (محرم ... ذی‌الحجه), empty for any other.
std::wstring_view QamariMonthName(int month);

// --- Months announced after the compiled table ---
// Iran's Calendar Center publishes each coming year's months; a user's
// iran-lunar-months.txt (CalendarDataText.h reads it) brings them in
// without a new build.
struct AnnouncedMonth {
  int year;
  int month;
  int32_t firstDay;  // day number of the month's first day
};

// Puts announced months (consecutive, in order) in force over the compiled
// table: they replace the months they name and extend the table past its
// end; dates in them are no longer estimated. False, and the table as it
// was, when they begin before the table or leave a gap after its last known
// month, or when a month, also where they meet the table, would not last 29
// or 30 days. An empty list brings back the compiled table alone. Call it on
// the thread that shows dates.
bool UseAnnouncedMonths(std::span<const AnnouncedMonth> months);

}  // namespace tavilo
