#include "tools/logic/MonthView.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "calendar/Numbers.h"
#include "calendar/ShamsiArithmetic.h"
#include "events/Event.h"
#include "ui/PersianDigits.h"

namespace tavilo {
namespace {

// Expected days are written as Gregorian dates, so that they do not lean on
// the Shamsi arithmetic under test.
int32_t Gregorian(int year, int month, int day) { return DayOfDate(DateSerial(year, month, day)); }

MonthView View(int year, int month, int correctionDays = 0) {
  return BuildMonthView({year, month}, correctionDays, PersianGregorianMonthNames());
}

TEST(MonthViewTest, DayOneSitsInItsWeekDayColumnAndTheGridRunsOnForSixWeeks) {
  struct Case {
    ShamsiMonth month;
    int32_t firstDay;
    int column;  // Saturday 0
    int length;
  };
  const Case cases[] = {
      {{1405, 1}, Gregorian(2026, 3, 21), 0, 31},   // a Saturday: nothing before it
      {{1405, 3}, Gregorian(2026, 5, 22), 6, 31},   // a Friday: the month reaches row 5
      {{1405, 9}, Gregorian(2026, 11, 22), 1, 30},  // a Sunday
      {{1405, 12}, Gregorian(2027, 2, 20), 0, 29},  // short Esfand
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.month.year << "/" << c.month.month);
    const MonthView view = View(c.month.year, c.month.month);
    EXPECT_EQ(view.month, c.month);
    EXPECT_EQ(view.cells[c.column].day, c.firstDay);
    EXPECT_EQ(view.cells[c.column].gregorianDay,
              CivilFromDate(static_cast<double>(c.firstDay)).day);
    for (int i = 0; i < kGridCells; ++i) {
      const MonthCell& cell = view.cells[i];
      EXPECT_EQ(cell.day, view.cells[0].day + i) << "cell " << i;
      const bool inMonth = i >= c.column && i < c.column + c.length;
      EXPECT_EQ(cell.inMonth, inMonth) << "cell " << i;
      if (inMonth) {
        EXPECT_EQ(cell.shamsiDay, i - c.column + 1) << "cell " << i;
      }
    }
    EXPECT_EQ(view.cells[c.column + c.length].shamsiDay, 1);  // the next month's first
  }
}

TEST(MonthViewTest, FarvardinListsNowruzAndTheLunarHolidaysInDayOrder) {
  const MonthView view = View(1405, 1);
  const std::vector<std::wstring> expected = {
      L"۱ فروردین: جشن نوروز (تعطیل)",
      L"۱ فروردین: عید سعید فطر (تعطیل)",
      L"۲ فروردین: عید نوروز (تعطیل)",
      L"۲ فروردین: تعطیل به مناسبت عید سعید فطر (تعطیل)",
      L"۳ فروردین: عید نوروز (تعطیل)",
      L"۴ فروردین: عید نوروز (تعطیل)",
      L"۱۲ فروردین: روز جمهوری اسلامی ایران (تعطیل)",
      L"۱۳ فروردین: روز طبیعت (تعطیل)",
      L"۲۵ فروردین: شهادت امام جعفر صادق (تعطیل)",
  };
  std::vector<std::wstring> holidays = view.occasionLines;  // among every occasion of the month
  std::erase_if(holidays, [](const std::wstring& line) { return !line.ends_with(L" (تعطیل)"); });
  EXPECT_EQ(holidays, expected);
  EXPECT_EQ(view.cells[0].qamariDay, 1);  // 1 Shawwal

  // The correction moves the lunar days and their holidays, not the solar ones.
  const MonthView shifted = View(1405, 1, 1);
  EXPECT_EQ(shifted.cells[0].qamariDay, 2);
  const auto& lines = shifted.occasionLines;
  EXPECT_NE(std::find(lines.begin(), lines.end(), L"۲۴ فروردین: شهادت امام جعفر صادق (تعطیل)"),
            lines.end());
  EXPECT_EQ(std::find(lines.begin(), lines.end(), L"۲۵ فروردین: شهادت امام جعفر صادق (تعطیل)"),
            lines.end());
  EXPECT_TRUE(shifted.cells[23].dayOff);  // 24 Farvardin, a Monday
  EXPECT_FALSE(view.cells[23].dayOff);
}

TEST(MonthViewTest, MehrHasOnlyFridaysOffAndHafezDayAsAWorkingDay) {
  const MonthView view = View(1405, 7);
  for (int i = 0; i < kGridCells; ++i) {
    if (view.cells[i].inMonth) {
      EXPECT_EQ(view.cells[i].dayOff, i % kWeekDays == 6) << "cell " << i;
    }
  }
  EXPECT_NE(std::ranges::find(view.occasionLines, L"۲۰ مهر: روز بزرگداشت حافظ"), view.occasionLines.end());
  for (const std::wstring& line : view.occasionLines) EXPECT_EQ(line.find(L"(تعطیل)"), std::wstring::npos) << line.size();
}

TEST(MonthViewTest, SpansNameEveryMonthTouchedWithTheirYears) {
  struct Case {
    ShamsiMonth month;
    const wchar_t* heading;
    const wchar_t* gregorianSpan;
    const wchar_t* qamariSpan;
    bool estimated;
  };
  const Case cases[] = {
      {{1405, 9}, L"آذر ۱۴۰۵", L"نوامبر – دسامبر ۲۰۲۶", L"جمادی‌الثانی – رجب ۱۴۴۸", false},
      {{1405, 10}, L"دی ۱۴۰۵", L"دسامبر ۲۰۲۶ – ژانویه ۲۰۲۷", L"رجب – شعبان ۱۴۴۸", false},
      {{1405, 3}, L"خرداد ۱۴۰۵", L"مه – ژوئن ۲۰۲۶", L"ذی‌الحجه ۱۴۴۷ – محرم ۱۴۴۸", false},
      // Starts on 29 Dhu al-Qa'da and ends on 1 Muharram.
      {{1280, 1}, L"فروردین ۱۲۸۰", L"مارس – آوریل ۱۹۰۱",
       L"ذی‌القعده ۱۳۱۸ – ذی‌الحجه ۱۳۱۸ – محرم ۱۳۱۹", false},
      // The last announced month starts on 10 March 2027; a month later
      // the lunar dates are estimated.
      {{1405, 12}, L"اسفند ۱۴۰۵", L"فوریه – مارس ۲۰۲۷", L"رمضان – شوال ۱۴۴۸", false},
      {{1406, 1}, L"فروردین ۱۴۰۶", L"مارس – آوریل ۲۰۲۷", L"شوال – ذی‌القعده ۱۴۴۸ (تخمینی)",
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.month.year << "/" << c.month.month);
    const MonthView view = View(c.month.year, c.month.month);
    EXPECT_EQ(view.heading, c.heading);
    EXPECT_EQ(view.gregorianSpan, c.gregorianSpan);
    EXPECT_EQ(view.qamariSpan, c.qamariSpan);
    EXPECT_EQ(view.estimated, c.estimated);
  }

  // The Gregorian names are the ones the window passes in.
  const GregorianMonthNames english = {L"January",   L"February", L"March",    L"April",
                                       L"May",       L"June",     L"July",     L"August",
                                       L"September", L"October",  L"November", L"December"};
  EXPECT_EQ(BuildMonthView({1405, 10}, 0, english).gregorianSpan,
            L"December ۲۰۲۶ – January ۲۰۲۷");
}

TEST(MonthViewTest, DayTextsInTheThreeCalendars) {
  EXPECT_EQ(FullDateLine(Gregorian(2026, 12, 6), 0, PersianGregorianMonthNames()),
            L"یک‌شنبه ۱۵ آذر ۱۴۰۵ – ۶ دسامبر ۲۰۲۶ – ۲۶ جمادی‌الثانی ۱۴۴۸");
  EXPECT_EQ(FullDateLine(Gregorian(2026, 3, 20), 0, PersianGregorianMonthNames()),
            L"جمعه ۲۹ اسفند ۱۴۰۴ – ۲۰ مارس ۲۰۲۶ – ۳۰ رمضان ۱۴۴۷");
  EXPECT_EQ(QamariDayText(Gregorian(2026, 12, 6), 0), L"۲۶ جمادی‌الثانی ۱۴۴۸");
  // Shown a day early, Eid al-Fitr joins 29 Esfand's own holiday.
  EXPECT_EQ(QamariDayText(Gregorian(2026, 3, 20), 1),
            L"۱ شوال ۱۴۴۷\nروز ملی شدن صنعت نفت ایران (تعطیل)\nعید سعید فطر (تعطیل)");
}

TEST(MonthViewTest, MovingByMonthsCarriesYearsAndStaysInRange) {
  struct MonthCase {
    ShamsiMonth from;
    int months;
    ShamsiMonth to;
  };
  const MonthCase monthCases[] = {
      {{1405, 12}, 1, {1406, 1}},   {{1405, 1}, -1, {1404, 12}},
      {{1405, 3}, 25, {1407, 4}},   {{1405, 3}, -27, {1402, 12}},
      {{1, 1}, -1, {1, 1}},         {{9000, 12}, 1, {9001, 1}},
      {{1405, 1}, -100000, {1, 1}},
  };
  for (const MonthCase& c : monthCases) {
    EXPECT_EQ(AddMonths(c.from, c.months), c.to)
        << c.from.year << "/" << c.from.month << " + " << c.months;
  }

  struct DayCase {
    int32_t from;
    int months;
    int32_t to;
  };
  const DayCase dayCases[] = {
      {Gregorian(2026, 9, 22), 1, Gregorian(2026, 10, 22)},  // 31 Shahrivar -> 30 Mehr
      {Gregorian(2025, 3, 20), 12, Gregorian(2026, 3, 20)},  // 30 Esfand 1403 -> 29 Esfand 1404
      {Gregorian(2026, 4, 20), -1, Gregorian(2026, 3, 20)},  // 31 Farvardin -> 29 Esfand
      {Gregorian(2026, 12, 6), -2, Gregorian(2026, 10, 7)},  // 15 Azar -> 15 Mehr
  };
  for (const DayCase& c : dayCases)
    EXPECT_EQ(SameDayMonthsLater(c.from, c.months), c.to) << c.from << " + " << c.months;

  EXPECT_EQ(MonthOfDay(Gregorian(2026, 3, 20)), (ShamsiMonth{1404, 12}));
  EXPECT_EQ(MonthOfDay(Gregorian(2026, 3, 21)), (ShamsiMonth{1405, 1}));
}

TEST(MonthViewTest, GoToDateReadsShamsiAndGregorianDates) {
  struct Case {
    const wchar_t* text;
    std::optional<int32_t> day;
  };
  const Case cases[] = {
      {L"1370/5/12", Gregorian(1991, 8, 3)},
      {L"2026-12-07", Gregorian(2026, 12, 7)},
      {L"۱۴۰۵/۹/۱۶", Gregorian(2026, 12, 7)},
      {L" \t١٤٠٣/١٢/٣٠ ", Gregorian(2025, 3, 20)},  // Esfand of a long year
      {L"1405-01-01", Gregorian(2026, 3, 21)},
      {L"2024/2/29", Gregorian(2024, 2, 29)},
      {L"1701-1-1", Gregorian(1701, 1, 1)},  // the first year read as Gregorian
      {L"9999-12-31", Gregorian(9999, 12, 31)},
      {L"abc", std::nullopt},
      {L"", std::nullopt},
      {L"  ", std::nullopt},
      {L"1405/1", std::nullopt},
      {L"1405/1/1/1", std::nullopt},
      {L"1405//1", std::nullopt},
      {L"1405/1/", std::nullopt},
      {L"1405/13/1", std::nullopt},
      {L"1405/0/1", std::nullopt},
      {L"1405/1/0", std::nullopt},
      {L"1405/7/31", std::nullopt},
      {L"1404/12/30", std::nullopt},  // Esfand of a short year
      {L"0/1/1", std::nullopt},
      {L"2026-02-30", std::nullopt},
      {L"2025-02-29", std::nullopt},
      {L"10000-1-1", std::nullopt},
      {L"1405/1/1x", std::nullopt},
      {L"-1405/1/1", std::nullopt},
      {L"1405 / 1 / 1", std::nullopt},
      {L"14050000000/1/1", std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ParseGoToDate(c.text), c.day) << ::testing::PrintToString(std::wstring(c.text));

  // The last year read as Shamsi: 1700 began in March 2321.
  const auto shamsi1700 = ParseGoToDate(L"1700/1/1");
  ASSERT_TRUE(shamsi1700);
  const CivilDate civil = CivilFromDate(static_cast<double>(*shamsi1700));
  EXPECT_EQ(civil.year, 2321);
  EXPECT_EQ(civil.month, 3);
}

// One range, 1 Farvardin 1 to 30 Azar 9378 (21 December 9999), for every way
// in: moves stop at its edges, and every month they reach is built.
TEST(MonthViewTest, EveryWayIntoTheCalendarKeepsToItsDays) {
  const int32_t first = Gregorian(622, 3, 21), last = Gregorian(9999, 12, 21);
  using M = CalendarMove;
  const struct { int32_t from; CalendarMove move; int32_t to; } moves[] = {
      {last, M::kDayAfter, last},     {last - 3, M::kWeekAfter, last},
      {last, M::kMonthAfter, last},   {last, M::kYearAfter, last},
      {last - 40, M::kYearAfter, last - 10},  // 20 Aban -> 20 Azar 9378
      {last, M::kDayBefore, last - 1}, {first, M::kDayBefore, first},
      {first, M::kWeekBefore, first}, {first, M::kMonthBefore, first},
      {first + 40, M::kYearBefore, first + 9},  // 10 Ordibehesht -> 10 Farvardin 1
      {first, M::kToday, last},          // today (30 December 9999) beyond the range
  };
  for (const auto& c : moves) {
    EXPECT_EQ(MoveSelection(c.from, c.move, last + 9), c.to) << c.from << " " << int(c.move);
    EXPECT_NO_THROW(BuildMonthView(MonthOfDay(c.to), 2, PersianGregorianMonthNames()));
    EXPECT_NO_THROW(SelectedDayText(c.to, c.from, -2, PersianGregorianMonthNames()));
  }
  EXPECT_EQ(GoToDay(L"9999-12-21").day, last);
  EXPECT_EQ(GoToDay(L"1/1/1").day, first);
  EXPECT_EQ(GoToDay(L"9999/12/29").message, L"خارج از محدوده");
  EXPECT_EQ(GoToDay(L"0/12/29").message, L"تاریخ نامعتبر است");
}

// No lunar date before the Hijra (1 Muharram 1 fell on 29 Tir 1); estimated
// ones are marked wherever a lunar date or a lunar occasion is shown.
TEST(MonthViewTest, LunarDatesBeginWithTheHijraAndEstimatedOnesAreMarked) {
  EXPECT_EQ(View(1, 1).qamariSpan, L"");
  EXPECT_EQ(View(1, 4).cells[27].qamariDay, 0);
  EXPECT_EQ(View(1, 4).cells[28].qamariDay, 1);
  const GregorianMonthNames& names = PersianGregorianMonthNames();
  EXPECT_EQ(FullDateLine(Gregorian(622, 3, 21), 0, names), L"پنج‌شنبه ۱ فروردین ۱ – ۲۱ مارس ۶۲۲");
  EXPECT_EQ(FullDateLine(Gregorian(9999, 12, 21), 0, names),
            L"سه‌شنبه ۳۰ آذر ۹۳۷۸ – ۲۱ دسامبر ۹۹۹۹ – ۲۲ ربیع‌الاول ۹۶۶۶ (تخمینی)");
  const auto& lines = View(1406, 2).occasionLines;
  EXPECT_NE(std::find(lines.begin(), lines.end(), L"۲۷ اردیبهشت: عید سعید قربان (تعطیل) (تخمینی)"),
            lines.end());
  EXPECT_EQ(SelectedDayText(Gregorian(2026, 3, 21), Gregorian(2026, 3, 24), 0, names),
            L"شنبه ۱ فروردین ۱۴۰۵ – ۲۱ مارس ۲۰۲۶ – ۱ شوال ۱۴۴۷\n"
            L"\u200F۳ روز پیش، جشن نوروز (تعطیل)، روز جهانی نوروز، عید سعید فطر (تعطیل)");
  EXPECT_EQ(QamariDayToolTip(Gregorian(2026, 3, 20), 1),
            L"\u200F۱ شوال ۱۴۴۷\n\u200Fروز ملی شدن صنعت نفت ایران (تعطیل)\n"
            L"\u200Fعید سعید فطر (تعطیل)");
}

// Days, then from a whole Shamsi month on years and months, either way.
TEST(MonthViewTest, DistanceFromTodayInDaysThenShamsiMonths) {
  const auto shamsi = [](int year, int month, int day) { return DayFromShamsi({year, month, day}); };
  const int32_t today = shamsi(1405, 9, 17);
  const struct { int32_t day, today; std::wstring_view text; } cases[] = {
      {today, today, L"امروز"}, {today + 3, today, L"۳ روز دیگر"}, {today - 12, today, L"۱۲ روز پیش"},
      {shamsi(1405, 10, 16), today, L"۲۹ روز دیگر"}, {shamsi(1405, 10, 17), today, L"۱ ماه دیگر"},
      {shamsi(1403, 6, 17), today, L"۲ سال و ۳ ماه پیش"}, {shamsi(1403, 6, 18), today, L"۲ سال و ۲ ماه پیش"},
      {shamsi(1406, 9, 17), today, L"۱ سال دیگر"}, {shamsi(1405, 6, 31), shamsi(1405, 7, 30), L"۱ ماه پیش"},
  };
  for (const auto& c : cases) EXPECT_EQ(DistanceFromToday(c.day, c.today), c.text) << c.day;
}

// The Moon in Scorpio (two days or so a month) follows a day's occasions in
// the list and the selected-day line, only when shown.
TEST(MonthViewTest, MoonInScorpioShowsOnlyWhenChosen) {
  const GregorianMonthNames& names = PersianGregorianMonthNames();
  const auto moonLines = [&](MoonInScorpioShown moon) {
    std::vector<std::wstring> lines = BuildMonthView({1405, 9}, 0, names, moon).occasionLines;
    std::erase_if(lines, [](const std::wstring& line) { return line.find(L"قمر در عقرب") == std::wstring::npos; });
    return lines;
  };
  const std::vector<std::wstring> lines = moonLines({.shown = true, .iranTimeNote = true});
  ASSERT_TRUE(moonLines({}).empty() && lines.size() >= 2 && lines[0].ends_with(L" به وقت ایران"));
  int day = 0;  // "۱۲ آذر: قمر در عقرب از …": the selected day's line ends with the same hours
  for (wchar_t digit : lines[0].substr(0, lines[0].find(L' '))) day = day * 10 + (digit - L'۰');
  EXPECT_TRUE(SelectedDayText(DayFromShamsi({1405, 9, day}), 0, 0, names, {true, true})
                  .ends_with(L"، " + lines[0].substr(lines[0].find(L": ") + 2)));
}

// Each cell counts the events of its own day, lunar ones moved by the
// correction.
TEST(MonthViewTest, CellsCountTheEventsOfTheirDays) {
  const std::vector<Event> events = {
      {EventCalendar::Shamsi, {1405, 1, 13}, EventRepeat::None, {}, {}, L"a", {}},
      {EventCalendar::Qamari, {1447, 10, 1}, EventRepeat::None, {}, {}, L"b", {}}};
  for (int correction : {0, -1}) {
    const MonthView view = BuildMonthView({1405, 1}, correction, PersianGregorianMonthNames(),
                                          EventOccurrences(events));
    std::vector<int32_t> marked;
    for (const MonthCell& cell : view.cells)
      if (cell.events) marked.push_back(cell.day);
    const int32_t fitr = DayOfEventDate(EventCalendar::Qamari, {1447, 10, 1}, correction);
    EXPECT_EQ(marked, (std::vector<int32_t>{fitr, Gregorian(2026, 4, 2)})) << correction;
  }
}

TEST(PersianDigitsTest, SwapsLatinDigitsOnly) {
  EXPECT_EQ(PersianDigits(L"0123456789"), L"۰۱۲۳۴۵۶۷۸۹");
  EXPECT_EQ(PersianDigits(L"1405/09 – ab ۱٢"), L"۱۴۰۵/۰۹ – ab ۱٢");
}

}  // namespace
}  // namespace tavilo
