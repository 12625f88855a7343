// The Moon's longitude, Iran's clock and the Moon-in-Scorpio hours of a day.
#include <gtest/gtest.h>

#include "calendar/MoonScorpio.h"
#include "calendar/ShamsiArithmetic.h"
#include "calendar/ZoneTime.h"

namespace tavilo {
namespace {

constexpr double kUnixEpoch = 2440587.5;

TEST(MoonScorpio, LongitudeAndDeltaT) {
  // Meeus' example 47.a: 1992 April 12, 0h TT, apparent longitude 133.167265°.
  const double tt = 2448724.5;
  EXPECT_NEAR(MoonApparentLongitudeDegrees(tt - DeltaTSeconds(tt) / 86400), 133.167265, 0.0002);
  // ΔT as observed (IERS), one year from each polynomial up to 2005.
  const double observed[][2] = {{1910, 10.46}, {1930, 24.02}, {1950, 29.15}, {1970, 40.18}, {1995, 60.78}};
  for (const auto& [year, seconds] : observed) {
    EXPECT_NEAR(DeltaTSeconds(2451545.0 + (year - 2000) * 365.25), seconds, 1.0) << year;
  }
}

TEST(MoonScorpio, PeriodsStartAt210AndEndAt240OnceASiderealMonth) {
  const auto periods = MoonInScorpioPeriods(1600000000, 1800000000);  // 2020 to 2027
  ASSERT_EQ(periods.size(), 85u);
  for (size_t i = 0; i < periods.size(); ++i) {
    EXPECT_NEAR(MoonApparentLongitudeDegrees(kUnixEpoch + periods[i].enterUnixSeconds / 86400.0), 210, 0.006) << i;
    EXPECT_NEAR(MoonApparentLongitudeDegrees(kUnixEpoch + periods[i].leaveUnixSeconds / 86400.0), 240, 0.006) << i;
    if (i > 0) {
      EXPECT_NEAR(periods[i].enterUnixSeconds - periods[i - 1].enterUnixSeconds, 27.32 * 86400, 43200) << i;
    }
  }
  // A window inside a period finds it; one that ends at its entering does not.
  EXPECT_EQ(MoonInScorpioPeriods(periods[3].enterUnixSeconds + 60, periods[3].enterUnixSeconds + 120),
            std::vector{periods[3]});
  EXPECT_TRUE(MoonInScorpioPeriods(periods[3].leaveUnixSeconds, periods[4].enterUnixSeconds).empty());
  EXPECT_TRUE(MoonInScorpioPeriods(INT64_MAX - 1, INT64_MAX).empty());
}

TEST(MoonScorpio, IranClockKeptSummerTimeUntil1401) {
  const int64_t cases[][2] = {
      {1616358540, 1616371140},  // 1 Farvardin 1400, 23:59
      {1616358600, 1616374800},  // then 01:00, an hour ahead
      {1632252540, 1632268740},  // 30 Shahrivar 1400, 23:59 in summer time
      {1632252600, 1632265200},  // 23:00 again
      {1688212800, 1688225400},  // 10 Tir 1402: no summer time
  };
  for (const auto& [utc, local] : cases) EXPECT_EQ(IranTimeFromUtc(utc), local) << utc;
  EXPECT_EQ(IranDayStartUtc(DayFromShamsi({1400, 1, 2})), 1616358600);  // begins at 01:00
  EXPECT_EQ(IranDayStartUtc(DayFromShamsi({1400, 6, 31})), 1632256200);
}

TEST(MoonScorpio, DayText) {
  struct Case {
    int year, month, day;
    bool persianDigits, note;
    const wchar_t* text;
  };
  const Case cases[] = {
      // 1400 kept summer time: in Scorpio from 26 Tir, 23:08 to 29 Tir, 01:38.
      {1400, 4, 26, false, false, L"قمر در عقرب از 23:08 تا پایان روز"},
      {1400, 4, 28, false, false, L"قمر در عقرب از آغاز تا پایان روز"},
      {1400, 4, 29, false, false, L"قمر در عقرب از آغاز روز تا 01:38"},
      {1404, 1, 24, true, true, L"قمر در عقرب از ۱۷:۲۴ تا پایان روز به وقت ایران"},
      {1404, 1, 1, false, true, L""},
      {1404, 7, 31, false, false, L""},  // Mehr has 30 days
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MoonInScorpioDayText(c.year, c.month, c.day, c.persianDigits, c.note), c.text) << c.month << "/" << c.day;
  }
}

}  // namespace
}  // namespace tavilo
