// What the month calendar shows: one Solar Hijri month laid out in weeks
// from Saturday, each day with its Gregorian and lunar Hijri day, Fridays
// and holidays marked, the month's occasions, and the texts around the grid.
// Every number is written in Persian digits.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace tavilo {

class EventOccurrences;

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
  int qamariDay;   // 0 before the Hijra, which has no lunar date
  bool inMonth;    // of the month shown, not of the weeks' overlap
  bool dayOff;     // a Friday or a public holiday
  bool estimated;  // the lunar date is estimated
  int events = 0;  // the user's events on the day
};

inline constexpr int kWeekDays = 7;
inline constexpr int kGridCells = 42;  // six weeks

struct MonthView {
  ShamsiMonth month;
  // Six weeks, Saturday first: cells[row * 7 + column], column 0 Saturday.
  std::array<MonthCell, kGridCells> cells;
  std::wstring heading;        // "آذر ۱۴۰۵"
  std::wstring gregorianSpan;  // "نوامبر – دسامبر ۲۰۲۶"
  std::wstring qamariSpan;     // "جمادی‌الثانی – رجب ۱۴۴۸", empty before the Hijra
  bool estimated;              // some lunar date of the month is estimated
  // One line an occasion, in day order: "۱۴ خرداد: رحلت حضرت امام خمینی"
  // followed by " (تعطیل)" for a day off and " (تخمینی)" for one on an
  // estimated lunar date.
  std::vector<std::wstring> occasionLines;
};

// Whether the hours of the Moon in Scorpio show (after a day's occasions),
// and whether they say they are Iran's time (on a computer kept in another
// zone).
struct MoonInScorpioShown {
  bool shown = false;
  bool iranTimeNote = false;
};

// The Persian week-day names, Saturday first.
const std::array<std::wstring, kWeekDays>& WeekDayNames();

MonthView BuildMonthView(ShamsiMonth month, int correctionDays, const GregorianMonthNames& names,
                         MoonInScorpioShown moon = {});
// The same with each cell's count of the user's events.
MonthView BuildMonthView(ShamsiMonth month, int correctionDays, const GregorianMonthNames& names,
                         const EventOccurrences& events, MoonInScorpioShown moon = {});

// A day in the three calendars with its week day:
// "شنبه ۱۵ آذر ۱۴۰۵ – ۶ دسامبر ۲۰۲۶ – ۲۵ جمادی‌الثانی ۱۴۴۸", the lunar date
// marked " (تخمینی)" when estimated and left out before the Hijra.
std::wstring FullDateLine(int32_t day, int correctionDays, const GregorianMonthNames& names);

// The day's occasions for one line, separated by "، ", each as the occasion
// list writes it; empty when it has none.
std::wstring DayOccasionsText(int32_t day, int correctionDays);

// A day as Ctrl+C copies it: FullDateLine, then its occasions on a second
// line when it has any.
std::wstring CopiedDayText(int32_t day, int correctionDays, const GregorianMonthNames& names);

// How far a day is from today: "امروز", "۳ روز دیگر", "۱۲ روز پیش", and
// from a whole Shamsi month on, in Shamsi years and months: "۲ سال و ۳ ماه پیش".
std::wstring DistanceFromToday(int32_t day, int32_t today);

// The selected-day line: FullDateLine, then on a second line its distance
// from today, the day's occasions and the Moon in Scorpio, separated by "، ".
std::wstring SelectedDayText(int32_t day, int32_t today, int correctionDays,
                             const GregorianMonthNames& names, MoonInScorpioShown moon = {});

// The lunar date of a day and its occasions, for a tooltip:
// "۲۷ جمادی‌الثانی ۱۴۴۸", then each occasion on a line of its own.
std::wstring QamariDayText(int32_t day, int correctionDays);

// QamariDayText with a right-to-left mark opening each line: a tooltip reads
// left to right and would put a line's leading number at its wrong end.
std::wstring QamariDayToolTip(int32_t day, int correctionDays);

// The days the calendar shows, which every way into it keeps to: from
// 1 Farvardin of year 1 to the end of the last month whose six weeks of days
// (the neighbour months' days with their Gregorian dates included) a date
// value still holds.
struct DayRange {
  int32_t first;
  int32_t last;
};
DayRange CalendarDays();

// The day, or the edge of CalendarDays() it lies beyond.
int32_t WithinCalendar(int32_t day);

// Moves of the selection by the keys, the buttons and the mouse wheel.
enum class CalendarMove {
  kDayBefore,
  kDayAfter,
  kWeekBefore,
  kWeekAfter,
  kMonthBefore,
  kMonthAfter,
  kYearBefore,
  kYearAfter,
  kToday,
};

// The day a move selects: by months it keeps the day of the month
// (SameDayMonthsLater); a move past an edge of CalendarDays() stops at it.
int32_t MoveSelection(int32_t selected, CalendarMove move, int32_t today);

ShamsiMonth MonthOfDay(int32_t day);

// The month `months` after (or before) `month`, held within the months of
// CalendarDays().
ShamsiMonth AddMonths(ShamsiMonth month, int months);

// The same day of the month `months` after (or before) the day's own month,
// the month's last day when it is shorter.
int32_t SameDayMonthsLater(int32_t day, int months);

// A date typed into the go-to box: a Shamsi one (1370/5/12) or a Gregorian
// one (2026-12-07), in Latin or Persian digits, with '/' or '-' between the
// fields; a year above 1700 is Gregorian. Nothing when it is no date.
std::optional<int32_t> ParseGoToDate(const std::wstring& text);

// What the go-to box makes of a typed text: the day to show, or the short
// message under the box for a text that is no date or a date outside
// CalendarDays().
struct GoToAnswer {
  std::optional<int32_t> day;
  std::wstring_view message;
};
GoToAnswer GoToDay(const std::wstring& text);

}  // namespace tavilo
