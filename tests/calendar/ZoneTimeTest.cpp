// Local time by a Windows time-zone rule, through the platform seam's fake,
// across the daylight-saving changes of a northern and a southern zone.
#include <gtest/gtest.h>

#include "calendar/Numbers.h"
#include "calendar/PrayerTimes.h"
#include "platform/fake/FakePlatform.h"

namespace tavilo {
namespace {

int64_t Utc(int year, int month, int day, int hour, int minute) {
  return UnixSecondsOfDay(static_cast<int32_t>(DateSerial(year, month, day))) + hour * 3600 + minute * 60;
}

TEST(ZoneTime, LocalTimeFollowsTheDaylightSavingRuleOfTheYear) {
  // Toronto (UTC-5; daylight from March's second Sunday to November's first)
  // and Sydney (UTC+10; daylight from October's first Sunday to April's first).
  const TimeZoneRule toronto{300, 0, -60, {0, 11, 0, 1, 2, 0, 0}, {0, 3, 0, 2, 2, 0, 0}};
  const TimeZoneRule sydney{-600, 0, -60, {0, 4, 0, 1, 3, 0, 0}, {0, 10, 0, 1, 2, 0, 0}};
  const TimeZoneRule lastSunday{0, 0, -60, {0, 10, 0, 5, 3, 0, 0}, {0, 3, 0, 5, 1, 0, 0}};
  struct Case {
    const TimeZoneRule& rule;
    int64_t utc;
    int64_t local;
  };
  const Case cases[] = {
      {toronto, Utc(2026, 3, 8, 6, 59), Utc(2026, 3, 8, 1, 59)},  // 8 March 2026 is the second Sunday
      {toronto, Utc(2026, 3, 8, 7, 0), Utc(2026, 3, 8, 3, 0)},
      {toronto, Utc(2026, 11, 1, 6, 0), Utc(2026, 11, 1, 1, 0)},  // 01:00 again, standard time
      {sydney, Utc(2026, 4, 4, 15, 59), Utc(2026, 4, 5, 2, 59)},  // 5 April: the first Sunday
      {sydney, Utc(2026, 4, 4, 16, 0), Utc(2026, 4, 5, 2, 0)},
      {sydney, Utc(2026, 10, 3, 16, 0), Utc(2026, 10, 4, 3, 0)},
      {lastSunday, Utc(2026, 3, 29, 1, 0), Utc(2026, 3, 29, 2, 0)},  // 29 March: the last Sunday
      {lastSunday, Utc(2026, 3, 22, 1, 0), Utc(2026, 3, 22, 1, 0)},
  };
  FakePlatform platform;
  for (const Case& c : cases) {
    platform.timeZone = c.rule;
    EXPECT_EQ(platform.LocalTimeOf(c.utc), c.local) << "case " << (&c - cases);
  }
}

}  // namespace
}  // namespace tavilo
