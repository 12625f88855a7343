// Month arithmetic, text forms, today, relative dates and names.
#include <gtest/gtest.h>

#include <limits>

#include "CalendarTestSupport.h"

namespace tavilo {
namespace {

using test::RecordingCalendar;

const Class1 kCalendar{[] { return DateSerial(2008, 10, 10) + 0.5; }, [](const std::wstring&) {}};

TEST(AddOneMonth, CarriesTheYearAndCutsTheDay) {
  EXPECT_EQ(kCalendar.AddOneMonth(L"13870631"), L"13870730");
  EXPECT_EQ(kCalendar.AddOneMonth(L"13861130"), L"13861229");  // 1386 is not long
  EXPECT_EQ(kCalendar.AddOneMonth(L"13871130"), L"13871230");  // 1387 is long
  EXPECT_EQ(kCalendar.AddOneMonth(L"13871215"), L"13880115");
  EXPECT_EQ(kCalendar.AddOneMonth(L"13870531"), L"13870631");
  EXPECT_EQ(kCalendar.AddOneMonth(L"13071130"), L"13071229");  // 1307 is not long
  EXPECT_EQ(kCalendar.AddOneMonth(L"13091130"), L"13091230");  // 1309 is
}

TEST(AddOneMonth, PassesOutOfRangeFieldsThrough) {
  EXPECT_EQ(kCalendar.AddOneMonth(L"13871310"), L"13871410");
  EXPECT_EQ(kCalendar.AddOneMonth(L"1e3 1210"), L"10010110");
  EXPECT_EQ(kCalendar.AddOneMonth(L"9e991210"), L"9E+990110");  // no overflow
}

TEST(AddNMonth, MovesByAnyNumberOfMonths) {
  EXPECT_EQ(kCalendar.AddNMonth(L"13870531", 2), L"13870730");
  EXPECT_EQ(kCalendar.AddNMonth(L"13871130", 13), L"13881229");
  EXPECT_EQ(kCalendar.AddNMonth(L"13871231", 12), L"13881229");
  EXPECT_EQ(kCalendar.AddNMonth(L"13870315", 0), L"13870315");
  EXPECT_EQ(kCalendar.AddNMonth(L"13861130", 1), L"13861229");
  EXPECT_EQ(kCalendar.AddNMonth(L"13861231", 36), L"13891229");  // 1389 is not long
}

TEST(AddNMonth, NegativeCountsLandInTheRightMonthOfEarlierYears) {
  EXPECT_EQ(kCalendar.AddNMonth(L"13870315", -3), L"13861215");
  EXPECT_EQ(kCalendar.AddNMonth(L"13870115", -13), L"13851215");
  EXPECT_EQ(kCalendar.AddNMonth(L"13870115", -3), L"13861015");   // sum -2
  EXPECT_EQ(kCalendar.AddNMonth(L"13870115", -15), L"13851015");  // sum -14
  EXPECT_EQ(kCalendar.AddNMonth(L"13870131", -4), L"13860930");   // sum -3, Azar has 30 days
  EXPECT_EQ(kCalendar.AddNMonth(L"13880131", -1), L"13871230");   // sum 0 in a long year
}

TEST(AddNMonth, RaisesOverflowOutsideSixteenBits) {
  EXPECT_THROW(kCalendar.AddNMonth(L"13870115", 32767), OverflowError);
  EXPECT_THROW(kCalendar.AddNMonth(L"9e990115", 1), OverflowError);
  EXPECT_THROW(kCalendar.AddNMonth(L"9e4 0115", 1), OverflowError);
}

TEST(ShowDate, JoinsTrimmedFieldsWithSlashes) {
  EXPECT_EQ(kCalendar.ShowDate(L"13870719"), L"1387/07/19");
  EXPECT_EQ(kCalendar.ShowDate(L"1387 7 1"), L"1387/7/1");
  EXPECT_EQ(kCalendar.ShowDate(L"12"), L"12/12/12");
  EXPECT_EQ(kCalendar.ShowDate(L""), L"//");
}

TEST(PackedDates, StrShamsiDateToLong) {
  EXPECT_EQ(kCalendar.StrShamsiDateToLong(L"13870719"), 13870719);
  EXPECT_EQ(kCalendar.StrShamsiDateToLong(L"13870731"), 0);
  EXPECT_EQ(kCalendar.StrShamsiDateToLong(L"1387 7 1"), 13870701);
  // Accepted through leading numbers but not whole numbers: no date.
  EXPECT_EQ(kCalendar.StrShamsiDateToLong(L"1387071a"), 0);
  EXPECT_EQ(kCalendar.StrShamsiDateToLong(L"1387.510"), 0);
}

TEST(PackedDates, LongShamsiDateToStr) {
  EXPECT_EQ(kCalendar.LongShamsiDateToStr(13870719), L"13870719");
  EXPECT_EQ(kCalendar.LongShamsiDateToStr(9999999), L"");
  EXPECT_EQ(kCalendar.LongShamsiDateToStr(0), L"");
  EXPECT_EQ(kCalendar.LongShamsiDateToStr(-13870719), L"");
  EXPECT_EQ(kCalendar.LongShamsiDateToStr(123456789), L"12345689");
  EXPECT_THROW(kCalendar.LongShamsiDateToStr(std::numeric_limits<double>::infinity()), OverflowError);
}

TEST(Today, FollowsTheClockAndChangesAtMidnight) {
  RecordingCalendar r;
  r.now = DateSerial(2008, 10, 10) + 0.7;
  EXPECT_EQ(r.calendar.today(), L"13870719");
  EXPECT_EQ(r.calendar.GetCurrentYear(), 1387);
  EXPECT_EQ(r.calendar.GetCurrentMonth(), 7);
  EXPECT_EQ(r.calendar.GetCurrentDay(), 19);
  EXPECT_EQ(r.calendar.ShowDate(r.calendar.today()), L"1387/07/19");
  r.now = DateSerial(2008, 10, 11) - 1.0 / 1440;
  EXPECT_EQ(r.calendar.today(), L"13870719");
  r.now = DateSerial(2008, 10, 11) + 1.0 / 1440;
  EXPECT_EQ(r.calendar.today(), L"13870720");
}

TEST(RelativeDates, AfterAndBeforeToday) {
  RecordingCalendar r;
  r.now = DateSerial(2009, 3, 20) + 0.9;
  EXPECT_EQ(r.calendar.AfterDate(0), r.calendar.today());
  EXPECT_EQ(r.calendar.BeforeDate(0), r.calendar.today());
  EXPECT_EQ(r.calendar.AfterDate(1), L"13880101");
  EXPECT_EQ(r.calendar.AfterDate(-1), r.calendar.BeforeDate(1));
  r.now = DateSerial(2009, 3, 21) + 0.1;
  EXPECT_EQ(r.calendar.BeforeDate(1), L"13871230");
  EXPECT_EQ(r.calendar.AfterDate(365), L"13890101");  // 1388 has 365 days
}

TEST(RelativeDates, CountWholeDaysAcrossThe1899Epoch) {
  RecordingCalendar r;
  r.now = DateSerial(1980, 1, 1) + 0.5;
  EXPECT_EQ(r.calendar.BeforeDate(32767), L"12690126");  // 15 April 1890
  r.now = DateSerial(1899, 12, 29) - 0.75;               // 29 December 1899, 18:00
  EXPECT_EQ(r.calendar.AfterDate(1), L"12781009");       // 30 December 1899
  EXPECT_EQ(r.calendar.AfterDate(3), L"12781011");       // 1 January 1900
}

TEST(DayDifferences, MiladiTruncatesTowardZero) {
  EXPECT_EQ(kCalendar.DiffMiladiInDay(10.0, 11.75), 1);
  EXPECT_EQ(kCalendar.DiffMiladiInDay(11.75, 10.0), -1);
}

TEST(DayDifferences, ShamsiCountsCalendarDays) {
  RecordingCalendar r;
  EXPECT_EQ(r.calendar.DiffShamsiInDay(L"13870101", L"13880101"), 366);
  EXPECT_EQ(r.calendar.DiffShamsiInDay(L"13860101", L"13870101"), 365);
  EXPECT_EQ(r.calendar.DiffShamsiInDay(L"13880101", L"13870101"), -366);
  EXPECT_TRUE(r.messages.empty());
  // An invalid text counts as date value 0 after its message.
  EXPECT_EQ(r.calendar.DiffShamsiInDay(L"13071230", L"13800104"), 36974);
  EXPECT_EQ(r.messages.size(), 1u);
}

TEST(WeekDays, NamesTodaysWeekDay) {
  RecordingCalendar r;
  r.now = 36974.0;
  EXPECT_EQ(r.calendar.WeekDaysName(), 0);
  EXPECT_EQ(r.calendar.WeekDaysStrName(), L"شنبه");
  r.now = DateSerial(2008, 10, 10) + 0.99;
  EXPECT_EQ(r.calendar.WeekDaysName(), 6);
  EXPECT_EQ(r.calendar.WeekDaysStrName(), L"جمعه");
  r.now = DateSerial(2008, 10, 11);
  EXPECT_EQ(r.calendar.WeekDaysName(), 0);
  EXPECT_TRUE(r.messages.empty());
}

TEST(WeekDays, TrueWeekDayForClocksBeforeTheReferenceSaturday) {
  RecordingCalendar r;
  const std::pair<double, int16_t> cases[] = {
      {36973.5, 6},                     // Friday 23 March 2001
      {36974.0 - 7 * 1000 + 0.1, 0},    // a Saturday long before
      {DateSerial(1900, 1, 1), 2},      // Monday
      {-1.25, 6},                       // Friday 29 December 1899
  };
  for (const auto& [now, expected] : cases) {
    r.now = now;
    EXPECT_EQ(r.calendar.WeekDaysName(), expected) << now;
  }
}

TEST(WeekDays, AllNamesUseArabicYehAndKaf) {
  RecordingCalendar r;
  const wchar_t* names[] = {L"شنبه", L"يك شنبه", L"دو شنبه", L"سه شنبه", L"چهارشنبه", L"پنج شنبه", L"جمعه"};
  for (int i = 0; i < 7; ++i) {
    r.now = 36974.0 + i;
    const std::wstring name = r.calendar.WeekDaysStrName();
    EXPECT_EQ(name, names[i]);
    EXPECT_EQ(name.find(L'\u06CC'), std::wstring::npos);
    EXPECT_EQ(name.find(L'\u06A9'), std::wstring::npos);
  }
  EXPECT_EQ(std::wstring(names[1]), std::wstring(L"\u064A\u0643 \u0634\u0646\u0628\u0647"));
}

TEST(MonthNames, ByNumber) {
  const wchar_t* names[] = {L"فروردين", L"ارديبهشت", L"خرداد", L"تير", L"مرداد", L"شهريور",
                            L"مهر",     L"آبان",     L"آذر",   L"دي",  L"بهمن",  L"اسفند"};
  for (int16_t month = 1; month <= 12; ++month) {
    const std::wstring name = kCalendar.GetMonthName(month);
    EXPECT_EQ(name, names[month - 1]) << month;
    EXPECT_EQ(name.find(L'\u06CC'), std::wstring::npos) << month;  // Persian yeh
  }
  EXPECT_EQ(std::wstring(names[9]), std::wstring(L"\u062F\u064A"));  // Arabic yeh
  EXPECT_EQ(kCalendar.GetMonthName(0), L"نامعتبر");
  EXPECT_EQ(kCalendar.GetMonthName(13), L"نامعتبر");
  EXPECT_EQ(kCalendar.GetMonthName(-32768), L"نامعتبر");
}

}  // namespace
}  // namespace tavilo
