// The month's prayer timetable: its rows against the calendar's day view,
// across a month in which the computer's zone (Toronto) leaves daylight
// time, Ramadan on its days, and the CSV's cells for a time after midnight.
#include <gtest/gtest.h>

#include "calendar/Qamari.h"
#include "calendar/ShamsiArithmetic.h"
#include "platform/fake/FakePlatform.h"
#include "tools/logic/Timetable.h"

namespace tavilo {
namespace {

const TimeZoneRule kToronto{300, 0, -60, {0, 11, 0, 1, 2, 0, 0}, {0, 3, 0, 2, 2, 0, 0}};
const Place kTorontoPlace{43.65, -79.38};

Timetable TableOf(FakePlatform& platform, ShamsiMonth month, const PrayerSource& source) {
  const int32_t first = DayFromShamsi({month.year, month.month, 1});
  const DayPrayers prayers{PrayerTimesOn(first, source.place, source.method), L"تورنتو",
                           source.withAsrAndIsha, true};
  return BuildTimetable(platform, month, source, prayers, 0, first + 3,
                        PersianGregorianMonthNames());
}

// Aban 1405 runs from 23 October to 21 November 2026; Toronto's clocks go
// back an hour on 1 November.
TEST(Timetable, RowsAreTheDayViewsTimesAcrossADaylightTimeChange) {
  FakePlatform platform;
  platform.timeZone = kToronto;
  PrayerSettings method;
  method.method = PrayerMethod::kMuslimWorldLeague;
  const PrayerSource source{kTorontoPlace, method, true};
  const Timetable table = TableOf(platform, {1405, 8}, source);
  ASSERT_EQ(table.rows.size(), 30u);
  EXPECT_EQ(table.columns.size(), 8u);
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
    if (row.weekDay == L"جمعه") {
      EXPECT_TRUE(row.dayOff) << row.shamsi;
    }
  }
  EXPECT_EQ(table.rows[0].gregorian, L"۲۳ اکتبر");
  EXPECT_EQ(table.rows[0].weekDay, L"جمعه");
  EXPECT_TRUE(table.rows[0].dayOff);
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
      if (row.day == firstOfRamadan) {
        EXPECT_EQ(row.qamari.rfind(L"۱ رمضان", 0), 0u);
      }
      marked += row.ramadan;
    }
  }
  EXPECT_EQ(marked, QamariMonthLength(1448, 9));
}

// A time past midnight keeps its HH:MM in the CSV and is named in the last
// column; Latin digits throughout, a byte-order mark first.
TEST(Timetable, CsvKeepsTheNextDaysTimesOutOfTheCells) {
  FakePlatform platform;
  platform.timeZone = TimeZoneRule{-210, 0, 0, {}, {}};
  const PrayerSource source{{35.69, 51.42}, PrayerSettings{}, false};
  Timetable table = TableOf(platform, {1405, 9}, source);
  ASSERT_EQ(table.columns.back(), PrayerTimeKind::kMidnight);
  table.rows[0].times.back().dayShift = 1;
  const std::string csv = TimetableCsv(table);
  ASSERT_EQ(csv.rfind("\xEF\xBB\xBF", 0), 0u);
  const std::size_t secondLine = csv.find("\r\n") + 2;
  const std::string firstRow = csv.substr(secondLine, csv.find("\r\n", secondLine) - secondLine);
  EXPECT_NE(firstRow.find("نیمه‌شب شرعی: فردا"), std::string::npos) << firstRow;
  EXPECT_EQ(firstRow.find("(فردا)"), std::string::npos);
  EXPECT_EQ(csv.find("۱"), std::string::npos);  // no Persian digit anywhere
}

}  // namespace
}  // namespace tavilo
