// A month's prayer timetable (جدول اوقات شرعی): one row a day of the shown
// Shamsi month with its week day, Gregorian and lunar dates and the day's
// times as the calendar shows them, and the same table as an HTML page to
// print from a browser and as CSV for a spreadsheet.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "tools/logic/MonthView.h"
#include "tools/logic/PrayerText.h"

namespace tavilo {

struct TimetableRow {
  int32_t day;
  std::wstring weekDay;    // "شنبه"
  std::wstring shamsi;     // "۱۵"
  std::wstring gregorian;  // "۶ دسامبر"
  std::wstring qamari;     // "۲۵ جمادی‌الثانی", " (تخمینی)" when estimated
  std::vector<DayTime> times;  // one a column
  bool ramadan = false;
  bool dayOff = false;  // a Friday or a holiday
  bool today = false;
};

struct Timetable {
  ShamsiMonth month;
  std::wstring heading;     // "اوقات شرعی تهران – آذر ۱۴۰۵"
  std::wstring subheading;  // the Gregorian and lunar months
  std::wstring method;      // "روش محاسبه: مؤسسه ژئوفیزیک دانشگاه تهران"
  std::vector<PrayerTimeKind> columns;
  std::vector<TimetableRow> rows;
};

// The column of a day's note: «رمضان» on the days of Ramadan.
inline constexpr wchar_t kRamadanNote[] = L"رمضان";

// The table of `month` for `source` (the chosen place, PrayerSource), named
// as `prayers` (ChosenDayPrayers) names it; the lunar dates with the user's
// correction; `today` marked.
Timetable BuildTimetable(Platform& platform, ShamsiMonth month, const PrayerSource& source,
                         const DayPrayers& prayers, int correctionDays, int32_t today,
                         const GregorianMonthNames& names);

// The texts of a row as the window, the page and the printout show them:
// the dates, each time ("۰۰:۱۲ (فردا)"), then the note; Persian digits or,
// with `persianDigits` off, Latin ones.
std::vector<std::wstring> TimetableHeaderCells(const Timetable& table);
std::vector<std::wstring> TimetableRowCells(const TimetableRow& row, bool persianDigits);

// A UTF-8 HTML page, right to left, with a print style sheet that keeps the
// month on one A4 page.
std::string TimetableHtml(const Timetable& table, bool persianDigits);

// UTF-8 CSV with a byte-order mark: one header row, Latin digits, times as
// HH:MM. A time on the local day after (or before) the row's keeps its
// HH:MM and is named in the last column, «روز دیگر»: "نیمه‌شب شرعی: فردا".
std::string TimetableCsv(const Timetable& table);

}  // namespace tavilo
