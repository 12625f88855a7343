// The month's prayer timetable: its rows against the calendar's day view,
// across a month in which the computer's zone (Toronto) leaves daylight
// time, and Ramadan on its days (the CSV: timetable-pages.py).
#include <gtest/gtest.h>

#include "calendar/Qamari.h"
#include "calendar/ShamsiArithmetic.h"
#include "platform/fake/FakePlatform.h"
#include "tools/logic/Timetable.h"

namespace tavilo {
namespace {

const TimeZoneRule kToronto{300, 0, -60, {0, 11, 0, 1, 2, 0, 0}, {0, 3, 0, 2, 2, 0, 0}};

Timetable TableOf(FakePlatform& platform, ShamsiMonth month, const PrayerSource& source) {
  const int32_t first = DayFromShamsi({month.year, month.month, 1});
  const DayPrayers prayers{PrayerTimesOn(first, source.place, source.method), L"تورنتو",
                           source.withAsrAndIsha, true};
  return BuildTimetable(platform, month, source, prayers, 0, first + 3,
                        PersianGregorianMonthNames());
}

// Aban 1405: 23 October to 21 November 2026; Toronto's clocks go back on 1 November.
TEST(Timetable, RowsAreTheDayViewsTimesAcrossADaylightTimeChange) {
  FakePlatform platform;
  platform.timeZone = kToronto;
  const PrayerSource source{{43.65, -79.38}, {PrayerMethod::kMuslimWorldLeague}, true};
  const Timetable table = TableOf(platform, {1405, 8}, source);
  ASSERT_EQ(table.rows.size(), 30u);
  int dhuhrMinuteBefore = 0;
  for (const TimetableRow& row : table.rows) {
    const DayPrayers prayers{PrayerTimesOn(row.day, source.place, source.method), L"تورنتو",
                             true, true};
    const std::wstring dayView = PrayerDayText(platform, row.day, prayers);
    const std::vector<std::wstring> cells = TimetableRowCells(row, true);
    for (std::size_t column = 0; column < table.columns.size(); ++column) {
      const std::wstring named =
          std::wstring(PrayerTimeName(table.columns[column])) + L" " + cells[4 + column];
      EXPECT_NE(dayView.find(named), std::wstring::npos) << named;
    }
    // Dhuhr moves by a minute or so a day, and back an hour at the change.
    const int dhuhrMinute = static_cast<int>(*row.times[2].local / 60 % 1440);
    if (dhuhrMinuteBefore != 0) {
      const bool change = row.day == DayFromShamsi({1405, 8, 10});  // 1 November
      EXPECT_NEAR(dhuhrMinute - dhuhrMinuteBefore, change ? -60 : 0, 1) << row.shamsi;
    }
    dhuhrMinuteBefore = dhuhrMinute;
    EXPECT_EQ(row.today, row.day == table.rows[3].day);
  }
}

// Ramadan 1448 begins in Bahman 1405 and runs into Esfand.
TEST(Timetable, RamadanIsMarkedOnItsDaysOnly) {
  FakePlatform platform;
  platform.timeZone = TimeZoneRule{-210, 0, 0, {}, {}};
  const PrayerSource source{{35.69, 51.42}, PrayerSettings{}, false};
  const int32_t firstOfRamadan = DayFromQamari(1448, 9, 1);
  const int32_t lastOfRamadan = firstOfRamadan + QamariMonthLength(1448, 9) - 1;
  int marked = 0;
  for (ShamsiMonth month : {ShamsiMonth{1405, 11}, ShamsiMonth{1405, 12}}) {
    for (const TimetableRow& row : TableOf(platform, month, source).rows) {
      const bool inRamadan = row.day >= firstOfRamadan && row.day <= lastOfRamadan;
      EXPECT_EQ(row.ramadan, inRamadan) << row.shamsi;
      EXPECT_EQ(TimetableRowCells(row, false).back(), inRamadan ? kRamadanNote : L"");
      marked += row.ramadan;
    }
  }
  EXPECT_EQ(marked, QamariMonthLength(1448, 9));
}

}  // namespace
}  // namespace tavilo
