// The lunar calendar against the announced month starts
// (data/iran-lunar-months.txt, embedded at build time) and day by day over
// 1200..1548 AH, the estimated years on both sides included; and the
// holidays and occasions on days whose dates are known.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "CalendarTestSupport.h"
#include "calendar/Numbers.h"
#include "calendar/Occasions.h"
#include "calendar/Qamari.h"
#include "calendar/ShamsiArithmetic.h"
#include "iran-lunar-months.h"

namespace tavilo {

void PrintTo(const QamariDate& date, std::ostream* out) {
  *out << date.year << '/' << date.month << '/' << date.day
       << (date.estimated ? " (estimated)" : "");
}

namespace {

struct MonthStart {
  int year, month;
  int32_t day;
};

std::vector<MonthStart> AnnouncedMonths() {
  std::vector<MonthStart> months;
  std::istringstream lines(reference::kIranLunarMonths);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.empty() || line[0] == '#') continue;
    int year = 0, month = 0, g_year = 0, g_month = 0, g_day = 0;
    if (std::sscanf(line.c_str(), "%d/%d %d-%d-%d", &year, &month, &g_year, &g_month, &g_day) != 5)
      ADD_FAILURE() << "malformed line: " << line;
    months.push_back({year, month, static_cast<int32_t>(DateSerial(g_year, g_month, g_day))});
  }
  return months;
}

int32_t DayOf(int year, int month, int day) {
  return static_cast<int32_t>(DateSerial(year, month, day));
}

TEST(Qamari, EveryAnnouncedMonthStartsOnItsDay) {
  const std::vector<MonthStart> months = AnnouncedMonths();
  ASSERT_FALSE(months.empty());
  for (const MonthStart& start : months) {
    EXPECT_EQ(DayFromQamari(start.year, start.month, 1), start.day)
        << start.year << '/' << start.month;
    EXPECT_EQ(QamariFromDay(start.day), (QamariDate{start.year, start.month, 1, false}));
  }
}

// Each day is the day after the one before and converts back to itself; the
// days outside the announced ones, the last announced month's 30th included,
// are estimated.
TEST(Qamari, EveryDayOf1200To1548FollowsTheDayBeforeAndRoundTrips) {
  const std::vector<MonthStart> months = AnnouncedMonths();
  const int32_t first_announced = months.front().day;
  const int32_t first_estimated_after = months.back().day + 29;
  QamariDate previous = QamariFromDay(DayFromQamari(1200, 1, 1));
  ASSERT_EQ(previous, (QamariDate{1200, 1, 1, true}));
  for (int32_t day = DayFromQamari(1200, 1, 2); day <= DayFromQamari(1549, 1, 1); ++day) {
    const int length = QamariMonthLength(previous.year, previous.month);
    ASSERT_TRUE(length == 29 || length == 30) << previous.year << '/' << previous.month;
    const bool estimated = day < first_announced || day >= first_estimated_after;
    const QamariDate next =
        previous.day < length
            ? QamariDate{previous.year, previous.month, previous.day + 1, estimated}
        : previous.month < 12 ? QamariDate{previous.year, previous.month + 1, 1, estimated}
                              : QamariDate{previous.year + 1, 1, 1, estimated};
    const QamariDate date = QamariFromDay(day);
    ASSERT_EQ(date, next) << "day " << day;
    ASSERT_EQ(DayFromQamari(date.year, date.month, date.day), day);
    previous = date;
  }
  EXPECT_EQ(previous, (QamariDate{1549, 1, 1, true}));
}

// Months of unknown length on both sides of the table, the last announced
// month included, follow the 30-year tabular calendar.
TEST(Qamari, MonthsOfUnknownLengthAreTabular) {
  constexpr int kLeapYearsOfCycle[] = {2, 5, 7, 10, 13, 16, 18, 21, 24, 26, 29};
  const std::vector<MonthStart> months = AnnouncedMonths();
  const auto known_lengths = static_cast<int>(months.size()) - 1;
  for (int year = 1200; year <= 1548; ++year) {
    const bool leap =
        std::ranges::find(kLeapYearsOfCycle, year % 30) != std::end(kLeapYearsOfCycle);
    for (int month = 1; month <= 12; ++month) {
      const int index = (year - months.front().year) * 12 + month - months.front().month;
      if (index >= 0 && index < known_lengths) continue;
      EXPECT_EQ(QamariMonthLength(year, month), month % 2 == 1 || (month == 12 && leap) ? 30 : 29)
          << year << '/' << month;
    }
  }
}

TEST(Qamari, CorrectionShiftsDatesAndHolidaysTogether) {
  const std::vector<MonthStart> months = AnnouncedMonths();
  const int32_t ashura_1447 = DayOf(2025, 7, 6);
  struct Shift {
    int correction, days;
  };
  for (const Shift& shift : {Shift{-9, -2}, {-2, -2}, {-1, -1}, {0, 0}, {1, 1}, {2, 2}, {3, 2}}) {
    SCOPED_TRACE(shift.correction);
    for (const int32_t day : {months.front().day, months.back().day + 28, ashura_1447})
      EXPECT_EQ(QamariFromDay(day, shift.correction), QamariFromDay(day + shift.days)) << day;
    const int32_t shown_ashura = ashura_1447 - shift.days;
    EXPECT_EQ(DayFromQamari(1447, 1, 10, shift.correction), shown_ashura);
    // The solar days around it have occasions of their own.
    HideOccasionKinds(KindBit(OccasionKind::kNational) | KindBit(OccasionKind::kAncient));
    EXPECT_EQ(OccasionsOn(shown_ashura, shift.correction),
              (std::vector<Occasion>{{L"عاشورای حسینی", true, false, OccasionKind::kReligious}}));
    HideOccasionKinds(0);
    EXPECT_TRUE(IsDayOff(shown_ashura, shift.correction));
  }
}

TEST(Qamari, InvalidDatesHaveNoDayAndNoLength) {
  struct Date {
    int year, month, day;
  };
  // Muharram 1447 had 29 days; tabular Shawwal 1448, past the announced
  // months, has 29; 1500 is not a tabular leap year; no day number is that far.
  const Date invalid[] = {{1447, 0, 1},   {1447, 13, 1},   {1447, 1, 0},
                          {1447, 2, 31},  {1447, 1, 30},   {1448, 10, 30},
                          {1500, 12, 30}, {INT_MAX, 1, 1}, {INT_MIN, 1, 1}};
  for (const Date& date : invalid) {
    EXPECT_EQ(DayFromQamari(date.year, date.month, date.day), kInvalidDay)
        << date.year << '/' << date.month << '/' << date.day;
  }
  for (const int month : {0, 13}) {
    EXPECT_EQ(QamariMonthLength(1447, month), 0);
    EXPECT_TRUE(QamariMonthName(month).empty());
  }
  // Persian yeh and a zero-width non-joiner.
  EXPECT_EQ(QamariMonthName(3), L"\u0631\u0628\u06cc\u0639\u200c\u0627\u0644\u0627\u0648\u0644");
}

TEST(Occasions, KnownDays) {
  struct KnownDay {
    CivilDate gregorian;
    QamariDate qamari;
    ShamsiDate shamsi;
    std::vector<Occasion> occasions;
  };
  constexpr auto kNat = OccasionKind::kNational, kRel = OccasionKind::kReligious;
  constexpr auto kInt = OccasionKind::kInternational, kOld = OccasionKind::kAncient;
  const auto off = [](const wchar_t* name, OccasionKind kind) { return Occasion{name, true, false, kind}; };
  const auto on = [](const wchar_t* name, OccasionKind kind) { return Occasion{name, false, false, kind}; };
  const KnownDay days[] = {
      {{2025, 7, 5}, {1447, 1, 9, false}, {1404, 4, 14},
       {on(L"روز شهرداری و دهیاری", kNat), off(L"تاسوعای حسینی", kRel)}},
      {{2025, 7, 6}, {1447, 1, 10, false}, {1404, 4, 15}, {off(L"عاشورای حسینی", kRel)}},
      // Safar 1447 had 30 days, Safar 1448 29: Imam Reza's day is the last.
      {{2025, 8, 23}, {1447, 2, 29, false}, {1404, 6, 1}, {}},
      {{2025, 8, 24}, {1447, 2, 30, false}, {1404, 6, 2},
       {on(L"آغاز هفته دولت", kNat), off(L"شهادت امام رضا", kRel)}},
      {{2026, 8, 13}, {1448, 2, 29, false}, {1405, 5, 22}, {off(L"شهادت امام رضا", kRel)}},
      // Nowruz and Eid al-Fitr on one day: the solar occasions first.
      {{2026, 3, 21}, {1447, 10, 1, false}, {1405, 1, 1},
       {off(L"جشن نوروز", kOld), on(L"روز جهانی نوروز", kInt), off(L"عید سعید فطر", kRel)}},
      {{2026, 10, 12}, {1448, 5, 1, false}, {1405, 7, 20},
       {on(L"روز بزرگداشت حافظ", kNat),
        on(L"روز ملی ایمنی در برابر زلزله و کاهش اثرات بلایای طبیعی", kNat)}},
      // International days on their Gregorian date: 1 May is 11 Ordibehesht in 1405.
      {{2026, 5, 1}, {1447, 11, 13, false}, {1405, 2, 11}, {on(L"روز جهانی کارگر", kInt)}},
      {{2025, 12, 25}, {1447, 7, 4, false}, {1404, 10, 4}, {on(L"ولادت حضرت عیسی مسیح", kRel)}},
  };
  for (const KnownDay& known : days) {
    const int32_t day = DayOf(known.gregorian.year, known.gregorian.month, known.gregorian.day);
    SCOPED_TRACE(day);
    EXPECT_EQ(DayFromShamsi(known.shamsi), day);
    EXPECT_EQ(QamariFromDay(day), known.qamari);
    EXPECT_EQ(OccasionsOn(day), known.occasions);
  }
}

// An occasion a law brought in is absent the year before it was first kept,
// from the day's list and from its colour alike, and present from that year;
// religious and ancient ones are there in any year.
TEST(Occasions, ShownFromTheYearFirstKept) {
  struct Case {
    ShamsiDate date;
    std::wstring_view name;
    bool shown;
  };
  const Case cases[] = {
      {{1368, 3, 14}, L"رحلت حضرت امام خمینی", false},
      {{1369, 3, 14}, L"رحلت حضرت امام خمینی", true},
      {{1357, 11, 22}, L"پیروزی انقلاب اسلامی ایران", false},
      {{1358, 11, 22}, L"پیروزی انقلاب اسلامی ایران", true},
      {{1328, 12, 29}, L"روز ملی شدن صنعت نفت ایران", false},
      {{1329, 12, 29}, L"روز ملی شدن صنعت نفت ایران", true},
      {{1, 1, 1}, L"جشن نوروز", true},
      {ShamsiFromDay(DayOf(2012, 12, 3)), L"روز جهانی معلولان", false},  // Iran's from 1392
      {ShamsiFromDay(DayOf(2013, 12, 3)), L"روز جهانی معلولان", true},
      {{1250, 9, 30}, L"شب یلدا", true},
      {ShamsiFromDay(DayFromQamari(1000, 1, 10)), L"عاشورای حسینی", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.date.year << '/' << c.date.month << '/' << c.date.day);
    const int32_t day = DayFromShamsi(c.date);
    EXPECT_EQ(std::ranges::any_of(OccasionsOn(day), [&](const Occasion& o) { return o.name == c.name; }),
              c.shown);
    if (!c.shown) {
      EXPECT_EQ(IsDayOff(day), ModFloor(day, 7) == 6);
    }
  }
}

// No holiday falls in Mehr 1405: its days off are its Fridays, by Class1's
// week day.
TEST(Occasions, Mehr1405IsOffOnFridaysOnly) {
  test::RecordingCalendar clock;
  for (int32_t day = DayFromShamsi({1405, 7, 1}); day <= DayFromShamsi({1405, 7, 30}); ++day) {
    clock.now = day + 0.5;
    EXPECT_EQ(IsDayOff(day), clock.calendar.WeekDaysName() == 6) << day;
    for (const Occasion& occasion : OccasionsOn(day)) EXPECT_FALSE(occasion.dayOff) << day;
  }
}

}  // namespace
}  // namespace tavilo
