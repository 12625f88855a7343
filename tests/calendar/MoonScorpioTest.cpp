// The Moon's longitude, Iran's clock and the Moon-in-Scorpio hours of a day.
#include <gtest/gtest.h>

#include "calendar/MoonScorpio.h"
#include "calendar/ShamsiArithmetic.h"
#include "calendar/ZoneTime.h"

namespace tavilo {
namespace {

TEST(MoonScorpio, LongitudeDeltaTAndIranClock) {
  // Meeus' example 47.a: 1992 April 12, 0h TT, apparent longitude 133.167265°.
  EXPECT_NEAR(MoonApparentLongitudeDegrees(2448724.5 - DeltaTSeconds(2448724.5) / 86400), 133.167265, 0.0002);
  // ΔT as observed (IERS), one year from each polynomial up to 2005.
  for (const auto& [y, dt] : {std::pair{1910, 10.46}, {1930, 24.02}, {1950, 29.15}, {1970, 40.18}, {1995, 60.78}})
    EXPECT_NEAR(DeltaTSeconds(2451545.0 + (y - 2000) * 365.25), dt, 1.0) << y;
  // 30 Shahrivar 1400, 23:59 in summer time, then 23:00 again; 1402 kept none.
  for (const auto& [utc, offset] : {std::pair{1632252540, 16200}, {1632252600, 12600}, {1688212800, 12600}})
    EXPECT_EQ(IranTimeFromUtc(utc), utc + offset) << utc;
  EXPECT_EQ(IranDayStartUtc(DayFromShamsi({1400, 1, 2})), 1616358600);  // the clock skips to 01:00
}

TEST(MoonScorpio, PeriodsStartAt210AndEndAt240) {
  const auto periods = MoonInScorpioPeriods(1600000000, 1800000000);  // 2020 to 2027
  ASSERT_EQ(periods.size(), 85u);  // none missed, none twice
  for (size_t i = 0; i < periods.size(); ++i) {
    EXPECT_NEAR(MoonApparentLongitudeDegrees(2440587.5 + periods[i].enterUnixSeconds / 86400.0), 210, 0.006) << i;
    EXPECT_NEAR(MoonApparentLongitudeDegrees(2440587.5 + periods[i].leaveUnixSeconds / 86400.0), 240, 0.006) << i;
  }
  // A window inside a period finds it; one that ends at its entering does not.
  EXPECT_EQ(MoonInScorpioPeriods(periods[3].enterUnixSeconds + 60, periods[3].enterUnixSeconds + 120),
            std::vector{periods[3]});
  EXPECT_TRUE(MoonInScorpioPeriods(periods[3].leaveUnixSeconds, periods[4].enterUnixSeconds).empty());
  EXPECT_TRUE(MoonInScorpioPeriods(INT64_MAX - 1, INT64_MAX).empty());
}

TEST(MoonScorpio, DayText) {
  const struct {
    int year, month, day;
    bool persianDigits, note;
    const wchar_t* text;
  } cases[] = {
      // The hours an astronomical almanac (تقویم نجومی) printed for 1398.
      {1398, 1, 3, false, false, L"قمر در عقرب از 06:46 تا پایان روز"},
      {1398, 1, 5, false, false, L"قمر در عقرب از آغاز روز تا 10:36"},
      {1398, 1, 30, false, false, L"قمر در عقرب از 17:10 تا پایان روز"},
      {1400, 4, 26, false, false, L"قمر در عقرب از 23:08 تا پایان روز"},  // 22:08 without summer time
      {1400, 4, 28, false, false, L"قمر در عقرب از آغاز تا پایان روز"},
      {1404, 1, 24, true, true, L"قمر در عقرب از ۱۷:۲۴ تا پایان روز به وقت ایران"},
      {1404, 1, 1, false, true, L""},
      {1404, 7, 31, false, false, L""},  // Mehr has 30 days
      {2000000000, 1, 1, false, false, L""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MoonInScorpioDayText(c.year, c.month, c.day, c.persianDigits, c.note), c.text) << &c - cases;
}

}  // namespace
}  // namespace tavilo
