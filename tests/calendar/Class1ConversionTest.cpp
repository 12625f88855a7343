// Conversions, validation and correction of Shamsi date texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CalendarTestSupport.h"
#include "calendar/ShamsiArithmetic.h"

namespace tavilo {
namespace {

using test::RecordingCalendar;

TEST(MiladiToShamsi, WorkedConversions) {
  const Class1 c{[] { return 0.0; }, [](const std::wstring&) {}};
  EXPECT_EQ(c.MiladiToShamsi(7751), L"13000101");
  EXPECT_EQ(c.MiladiToShamsi(7752), L"13000102");
  EXPECT_EQ(c.MiladiToShamsi(DateSerial(2008, 3, 20)), L"13870101");
  EXPECT_EQ(c.MiladiToShamsi(DateSerial(2008, 3, 19)), L"13861229");
  EXPECT_EQ(c.MiladiToShamsi(DateSerial(2009, 3, 20)), L"13871230");
  EXPECT_EQ(c.MiladiToShamsi(DateSerial(2009, 3, 21)), L"13880101");
  EXPECT_EQ(c.MiladiToShamsi(36974), L"13800104");
  EXPECT_EQ(c.MiladiToShamsi(DateSerial(2026, 12, 5)), L"14050914");
}

TEST(MiladiToShamsi, TimeOfDayIsDropped) {
  const Class1 c{[] { return 0.0; }, [](const std::wstring&) {}};
  const double day = DateSerial(2008, 10, 10);
  EXPECT_EQ(c.MiladiToShamsi(day + 0.99999), c.MiladiToShamsi(day));
  EXPECT_EQ(c.MiladiToShamsi(day + 0.99999), L"13870719");
}

TEST(MiladiToShamsi, FollowsTheOfficialLongYearsOutside1993To2029) {
  const Class1 c{[] { return 0.0; }, [](const std::wstring&) {}};
  // The old four-year cycle would give 1407/12/30 here.
  EXPECT_EQ(c.MiladiToShamsi(DateSerial(2029, 3, 20)), L"14080101");
  EXPECT_EQ(c.MiladiToShamsi(DateSerial(2029, 3, 19)), L"14071229");
  // 1370 was long (1 Farvardin 1371 = 21 March 1992).
  EXPECT_EQ(c.MiladiToShamsi(DateSerial(1992, 3, 20)), L"13701230");
  EXPECT_EQ(c.MiladiToShamsi(DateSerial(1992, 3, 21)), L"13710101");
}

TEST(MiladiToShamsi, DatesBeforeTheAnchorHaveProperFields) {
  const Class1 c{[] { return 0.0; }, [](const std::wstring&) {}};
  EXPECT_EQ(c.MiladiToShamsi(DateSerial(1921, 3, 20)), L"12991229");
  EXPECT_EQ(c.MiladiToShamsi(DateSerial(1900, 1, 1)), L"12781011");
  EXPECT_EQ(c.MiladiToShamsi(0), L"12781009");
  EXPECT_EQ(c.MiladiToShamsi(-1.25), L"12781008");
}

TEST(ShamsiArithmetic, DaysFollowOneAnotherOverTheWholeDateRange) {
  ShamsiDate previous = ShamsiFromDay(static_cast<int32_t>(kMinDateValue));
  for (int32_t day = static_cast<int32_t>(kMinDateValue) + 1; day <= kMaxDateValue; ++day) {
    const ShamsiDate d = ShamsiFromDay(day);
    const bool next_day = d.year == previous.year && d.month == previous.month && d.day == previous.day + 1;
    const bool next_month = d.year == previous.year && d.month == previous.month + 1 && d.day == 1 &&
                            previous.day == MonthLength(previous.year, previous.month);
    const bool next_year = d.year == previous.year + 1 && d.month == 1 && d.day == 1 && previous.month == 12 &&
                           previous.day == MonthLength(previous.year, 12);
    ASSERT_TRUE(next_day || next_month || next_year) << "day " << day;
    ASSERT_EQ(DayFromShamsi(d), day);
    previous = d;
  }
}

TEST(MiladiToShamsi, OutsideTheDateRangeRaisesOverflow) {
  const Class1 c{[] { return 0.0; }, [](const std::wstring&) {}};
  EXPECT_THROW(c.MiladiToShamsi(kMaxDateValue + 1), OverflowError);
  EXPECT_THROW(c.MiladiToShamsi(kMinDateValue - 1), OverflowError);
}

TEST(ShamsiToMiladi, ConvertsValidTextsToMidnight) {
  RecordingCalendar r;
  EXPECT_EQ(r.calendar.ShamsiToMiladi(L"13800104"), 36974);
  EXPECT_EQ(r.calendar.ShamsiToMiladi(L"13870719"), DateSerial(2008, 10, 10));
  EXPECT_EQ(r.calendar.ShamsiToMiladi(L"13091230"), DateSerial(1931, 3, 21));  // 1309 is long
  EXPECT_EQ(r.calendar.ShamsiToMiladi(L"13050101"), DateSerial(1926, 3, 22));
  EXPECT_TRUE(r.messages.empty());
}

TEST(ShamsiToMiladi, EveryValidTextConvertsIncludingPast1573) {
  RecordingCalendar r;
  for (const wchar_t* text : {L"15731011", L"15731012", L"15971230", L"16001229"}) {
    const double date = r.calendar.ShamsiToMiladi(text);
    EXPECT_EQ(r.calendar.MiladiToShamsi(date), text);
  }
  EXPECT_TRUE(r.messages.empty());
}

TEST(ShamsiToMiladi, InvalidTextShowsTheInvalidMessageAndGivesZero) {
  for (const wchar_t* text : {L"13071230", L"13051230", L"13041229", L"16011229", L"1387071", L"abc", L""}) {
    RecordingCalendar r;
    EXPECT_EQ(r.calendar.ShamsiToMiladi(text), 0);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0], L"تاريخ وارد شده نامعتبر است");
  }
}

TEST(ShamsiToMiladi, TextOfNoDayShowsTheCalculationErrorAndGivesNow) {
  for (const wchar_t* text : {L"1387 531", L"138705 1", L"1387+5+1", L"1387 5 1"}) {
    RecordingCalendar r;
    r.now = DateSerial(2026, 12, 7) + 0.25;
    ASSERT_TRUE(r.calendar.checkDate(text));
    EXPECT_EQ(r.calendar.ShamsiToMiladi(text), r.now);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0], L"خطا در محاسبه تاريخ. لطفا موضوع را به مسئول سيستم كزارش دهيد");
  }
}

TEST(ShamsiToMiladi, AnErrorOnTheWayIsReportedAndGivesZero) {
  // The calculation-error path reads the clock; a clock that fails must not
  // reach the caller.
  std::vector<std::wstring> messages;
  const Class1 c{[]() -> double { throw OverflowError(); },
                 [&messages](const std::wstring& m) { messages.push_back(m); }};
  EXPECT_EQ(c.ShamsiToMiladi(L"1387 531"), 0);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], L"خطا در محاسبه تاريخ. لطفا موضوع را به مسئول سيستم كزارش دهيد");
  EXPECT_EQ(messages[1], L"خطا در محاسبه تاريخ");
}

TEST(CheckDate, AcceptsOnlyDaysOfTheCalendarInYears1305To1600) {
  const Class1 c{[] { return 0.0; }, [](const std::wstring&) {}};
  for (const wchar_t* text : {L"13870631", L"13871230", L"13050101", L"16001229", L"13091230", L"14031230",
                              L"1387 531", L"15031230", L"15971230"})
    EXPECT_TRUE(c.checkDate(text)) << "rejected " << testing::PrintToString(std::wstring(text));
  for (const wchar_t* text : {L"13870731", L"13861230", L"13870001", L"13041229", L"16011229", L"13071230",
                              L"14041230", L"15021230", L"16011230", L"13871300", L"13870132", L"1387063",
                              L"138706311", L"", L"abcdefgh"})
    EXPECT_FALSE(c.checkDate(text)) << "accepted " << testing::PrintToString(std::wstring(text));
}

// The extremes must not overflow on the way (the sanitizers watch this).
TEST(ShamsiArithmetic, LongYearRuleHoldsForAnyYear) {
  EXPECT_TRUE(IsLongYear(1403));
  EXPECT_FALSE(IsLongYear(1404));
  EXPECT_FALSE(IsLongYear(-2147483647 - 1));  // (25y + 11) mod 33 = 27
  EXPECT_TRUE(IsLongYear(2147483647));        // (25y + 11) mod 33 = 3
}

TEST(CheckDate, NeverRaisesForHugeFields) {
  const Class1 c{[] { return 0.0; }, [](const std::wstring&) {}};
  EXPECT_FALSE(c.checkDate(L"9e991230"));
  EXPECT_FALSE(c.checkDate(L"&HFF1230"));
}

TEST(GetDays, MonthLengthsWithOfficialLongYears) {
  const Class1 c{[] { return 0.0; }, [](const std::wstring&) {}};
  EXPECT_EQ(c.GetDays(12, 1387), 30);
  EXPECT_EQ(c.GetDays(12, 1386), 29);
  EXPECT_EQ(c.GetDays(12, 1309), 30);
  EXPECT_EQ(c.GetDays(12, 1307), 29);
  EXPECT_EQ(c.GetDays(12, 1502), 29);
  EXPECT_EQ(c.GetDays(12, 1503), 30);
  EXPECT_EQ(c.GetDays(7, 1387), 30);
  EXPECT_EQ(c.GetDays(6, 1387), 31);
  EXPECT_EQ(c.GetDays(6.5, 1387), 30);
  EXPECT_EQ(c.GetDays(13, 1387), 29);
  EXPECT_EQ(c.GetDays(0, 1387), 31);
}

TEST(CorrectDate, ForcesTextsIntoTheValidRange) {
  const Class1 c{[] { return 0.0; }, [](const std::wstring&) {}};
  EXPECT_EQ(c.CorrectDate(L"13861230"), L"13861229");
  EXPECT_EQ(c.CorrectDate(L"13861231"), L"13861229");
  EXPECT_EQ(c.CorrectDate(L"13870731"), L"13870730");
  EXPECT_EQ(c.CorrectDate(L"13870000"), L"13871230");
  EXPECT_EQ(c.CorrectDate(L"00001340"), L"13551229");  // 1355 is not long
  EXPECT_EQ(c.CorrectDate(L"13870"), L"13871230");
  EXPECT_EQ(c.CorrectDate(L"13870719"), L"13870719");
  EXPECT_EQ(c.CorrectDate(L"1387 7 1"), L"13870701");
}

TEST(CorrectDate, ResultAlwaysPassesCheckDate) {
  const Class1 c{[] { return 0.0; }, [](const std::wstring&) {}};
  // A month read with a fraction is out of range like any other.
  EXPECT_EQ(c.CorrectDate(L"1387.510"), L"13871210");
  for (const wchar_t* text : {L"", L"x", L"12", L"1387.510", L"13.51230", L"9e9912.5", L"-1-1-1-1", L"&HFF&H1F",
                              L"15021230", L"1602 .99", L"1387123", L"1e3 1e1 "})
    EXPECT_TRUE(c.checkDate(c.CorrectDate(text))) << testing::PrintToString(std::wstring(text));
}

}  // namespace
}  // namespace tavilo
