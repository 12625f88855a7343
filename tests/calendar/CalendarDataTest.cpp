// A user's calendar data over the compiled tables: months that extend or correct
// it, holidays that add or correct, and files refused whole for each fault.
#include <gtest/gtest.h>

#include <string>

#include "calendar/CalendarDataText.h"
#include "calendar/Numbers.h"
#include "calendar/Occasions.h"
#include "calendar/Qamari.h"
#include "calendar/ShamsiArithmetic.h"
#include "iran-lunar-months.h"

namespace tavilo {
namespace {

int32_t Day(int year, int month, int day) { return DayOfDate(DateSerial(year, month, day)); }
int32_t ShamsiDay(int year, int month, int day) { return DayFromShamsi({year, month, day}); }

class CalendarData : public ::testing::Test {
 protected:
  void TearDown() override {
    UseAnnouncedMonths({});
    UseAnnouncedOccasions({});
  }
  static bool UseMonths(const std::wstring& text) {
    const LunarMonthsData data = ReadLunarMonths(text);
    return data.check.valid && UseAnnouncedMonths(data.months);
  }
};

TEST_F(CalendarData, MonthsPastTheTableAreNoLongerEstimated) {
  EXPECT_TRUE(QamariFromDay(Day(2027, 4, 20)).estimated);
  ASSERT_TRUE(UseMonths(L"\xFEFF# 1406\r\n1448/10 2027-03-10\r\n1448/11 2027-04-08\r\n"
                        L"\r\n1448/12 2027-05-08\n1449/1 2027-06-06\n"));
  EXPECT_EQ(QamariFromDay(Day(2027, 4, 7)), (QamariDate{1448, 10, 29, false}));
  EXPECT_EQ(QamariFromDay(Day(2027, 4, 8)), (QamariDate{1448, 11, 1, false}));
  EXPECT_EQ(QamariFromDay(Day(2027, 6, 6)), (QamariDate{1449, 1, 1, false}));
  // The last month's length is not known: its 30th is estimated.
  EXPECT_EQ(QamariFromDay(Day(2027, 7, 5)), (QamariDate{1449, 1, 30, true}));
  EXPECT_EQ(DayFromQamari(1448, 12, 1), Day(2027, 5, 8));
}

TEST_F(CalendarData, AMonthStartCorrectedMovesItsDays) {
  ASSERT_TRUE(UseMonths(L"1448/1 2026-06-17\n1448/2 2026-07-16\n"));
  EXPECT_EQ(QamariFromDay(Day(2026, 6, 16)), (QamariDate{1447, 12, 30, false}));
  EXPECT_EQ(QamariFromDay(Day(2026, 6, 17)), (QamariDate{1448, 1, 1, false}));
  EXPECT_EQ(QamariFromDay(Day(2026, 7, 16)), (QamariDate{1448, 2, 1, false}));
  EXPECT_TRUE(QamariFromDay(Day(2027, 4, 20)).estimated);  // the table's end stays
}

TEST_F(CalendarData, TheCompiledDataFileGivesTheCompiledTable) {
  const std::string bytes(reference::kIranLunarMonths);
  const LunarMonthsData data = ReadLunarMonths(std::wstring(bytes.begin(), bytes.end()));
  ASSERT_TRUE(data.check.valid) << "line " << data.check.faultLine;
  std::vector<QamariDate> compiled;
  for (int32_t day = Day(1840, 1, 1); day < Day(2030, 1, 1); ++day)
    compiled.push_back(QamariFromDay(day));
  ASSERT_TRUE(UseAnnouncedMonths(data.months));
  for (int32_t day = Day(1840, 1, 1); day < Day(2030, 1, 1); ++day)
    ASSERT_EQ(QamariFromDay(day), compiled[static_cast<std::size_t>(day - Day(1840, 1, 1))]);
}

TEST_F(CalendarData, AFaultyMonthsFileIsRefusedWhole) {
  struct Case {
    const wchar_t* text;
    int faultLine;  // -1: read, but does not join the table
  };
  const Case cases[] = {
      {L"1448/11 2027-4-08\n", 1},                                     // a field malformed
      {L"1448/13 2027-04-08\n", 1},                                    // no such month
      {L"# a\n1448/11 2027-04-08\n1448/10 2027-05-08\n", 3},           // out of order
      {L"1448/11 2027-04-08\n1449/1 2027-05-08\n", 2},                 // a month left out
      {L"1448/11 2027-04-08\n1448/12 2027-05-09\n", 2},                // a month of 31 days
      {L"# nothing but comments\n\n", 0},
      {L"1449/1 2027-06-06\n", -1},                                    // a gap after the table
      {L"1448/11 2027-04-10\n", -1},                                   // 1448/10 of 31 days
      {L"1448/1 2026-06-18\n", -1},                                    // 1448/1 meets 1448/2 at 28
      {L"1200/1 1785-11-07\n", -1},                                    // before the table
  };
  for (const Case& c : cases) {
    const LunarMonthsData data = ReadLunarMonths(c.text);
    if (c.faultLine >= 0) {
      EXPECT_FALSE(data.check.valid) << testing::PrintToString(std::wstring(c.text));
      EXPECT_EQ(data.check.faultLine, c.faultLine);
      EXPECT_TRUE(data.months.empty());
    } else {
      ASSERT_TRUE(data.check.valid);
      EXPECT_FALSE(UseAnnouncedMonths(data.months)) << testing::PrintToString(std::wstring(c.text));
    }
    EXPECT_EQ(QamariFromDay(Day(2026, 6, 16)), (QamariDate{1448, 1, 1, false}));
    EXPECT_TRUE(QamariFromDay(Day(2027, 4, 20)).estimated);
  }
}

TEST_F(CalendarData, HolidaysAddAndCorrect) {
  const HolidaysData data = ReadHolidays(
      L"# comment\nshamsi\t5/5\toff\t1406\tروز آزمون\n"
      L"shamsi\t1/13\t-\t-\tروز طبیعت\r\nqamari\t7/last\t-\t-\tپایان رجب\n"
      L"shamsi\t2/25\t-\t1377\tروز بزرگداشت فردوسی\n"
      L"gregorian\t2/29\t-\t-\tروز کبیسه\n"
      L"shamsi\t5/6\t-\t-\tancient\tجشن آزمون\tنام پیشین\n");
  ASSERT_TRUE(data.check.valid);
  UseAnnouncedOccasions(data.lines);
  struct Case { int32_t day; std::vector<Occasion> occasions; };
  constexpr auto kOld = OccasionKind::kAncient;
  const Case cases[] = {
      {ShamsiDay(1406, 5, 5), {{L"روز آزمون", true}}}, {ShamsiDay(1405, 5, 5), {}},  // before it
      // A five-field line keeps the kind of the occasion it corrects, and
      // one under its former name does not show it twice.
      {ShamsiDay(1405, 1, 13), {{L"روز طبیعت", false, false, kOld}}},
      {ShamsiDay(1405, 2, 25), {{L"روز بزرگداشت فردوسی و پاسداشت زبان فارسی", false}}},
      {ShamsiDay(1405, 5, 6), {{L"جشن آزمون", false, false, kOld}}},
      {Day(2028, 2, 29), {{L"روز کبیسه", false, false, OccasionKind::kInternational}}},  // a leap year
  };
  for (const Case& c : cases) EXPECT_EQ(OccasionsOn(c.day), c.occasions) << c.day;
  for (const int32_t day : {Day(2027, 2, 28), Day(2027, 3, 1)})
    for (const Occasion& occasion : OccasionsOn(day)) EXPECT_NE(occasion.name, L"روز کبیسه");
  // 1447/7 has 30 days (2025-12-22 to 2026-01-20).
  EXPECT_EQ(OccasionsOn(Day(2026, 1, 20)).back(), (Occasion{L"پایان رجب", false, false, OccasionKind::kReligious}));
  // A hidden kind leaves the lists, but a day off always shows.
  HideOccasionKinds(KindBit(OccasionKind::kInternational) | KindBit(OccasionKind::kAncient));
  const std::size_t nowruz = OccasionsOn(ShamsiDay(1405, 1, 1)).size();  // not روز جهانی نوروز
  HideOccasionKinds(0);
  EXPECT_EQ(nowruz, 2u);
}

TEST_F(CalendarData, AFaultyHolidaysFileIsRefusedWhole) {
  const wchar_t* const faulty[] = {
      L"shamsi\t1/1\toff\t-",                  // four fields
      L"shamsi\t1/1\toff\t-\tnational\tنام\tپیشین\tاضافه",  // eight fields
      L"shamsi\t1/1\toff\t-\tmodern\tنام",      // no such kind
      L"gregorian\t2/30\toff\t-\tنام",         // February has at most 29 days
      L"lunar\t1/1\toff\t-\tنام",              // no such calendar
      L"shamsi\t13/1\toff\t-\tنام",            // no such month
      L"shamsi\t7/31\toff\t-\tنام",            // Mehr has 30 days
      L"shamsi\t1/last\toff\t-\tنام",          // "last" is for lunar months
      L"shamsi\t1/1\tyes\t-\tنام",
      L"shamsi\t1/1\toff\t-\t  ",              // no name
  };
  for (const wchar_t* line : faulty) {
    const HolidaysData data = ReadHolidays(L"shamsi\t2/2\toff\t-\tروز\n# x\n" + std::wstring(line));
    EXPECT_FALSE(data.check.valid) << testing::PrintToString(std::wstring(line));
    EXPECT_EQ(data.check.faultLine, 3);
    EXPECT_TRUE(data.lines.empty());
  }
}

}  // namespace
}  // namespace tavilo
