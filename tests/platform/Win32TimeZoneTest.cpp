// The real time-zone services under Wine with TZ=Asia/Tehran (UTC+3:30, and
// +4:30 in summer through 2022): the system's conversion agrees with the
// portable one on the system's rule of the year.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "calendar/Numbers.h"
#include "calendar/PrayerTimes.h"
#include "platform/win32/Win32Platform.h"

namespace tavilo {
namespace {

int64_t Utc(int year, int month, int day, int hour) {
  return UnixSecondsOfDay(static_cast<int32_t>(DateSerial(year, month, day))) + hour * 3600;
}

TEST(Win32TimeZone, TehranTimeWithAndWithoutDaylightSaving) {
  Win32Platform platform;
  EXPECT_EQ(platform.LocalTimeOf(Utc(2024, 6, 1, 12)) - Utc(2024, 6, 1, 12), 210 * 60);
  EXPECT_EQ(platform.LocalTimeOf(Utc(2022, 6, 1, 12)) - Utc(2022, 6, 1, 12), 270 * 60);
  for (int year : {2021, 2022, 2024}) {
    const auto rule = platform.TimeZoneForYear(year);
    ASSERT_TRUE(rule) << year;
    for (int month = 1; month <= 12; ++month) {
      for (int day : {1, 21, 22, 23}) {
        const int64_t utc = Utc(year, month, day, 20);
        EXPECT_EQ(platform.LocalTimeOf(utc), LocalFromUtc(utc, *rule)) << year << "-" << month << "-" << day;
      }
    }
  }
}

TEST(Win32TimeZone, TheUtcClockIsTheRuntimesUtcClock) {
  Win32Platform platform;
  const auto runtime = std::chrono::duration_cast<std::chrono::seconds>(
      std::chrono::system_clock::now().time_since_epoch()).count();
  EXPECT_LE(std::llabs(platform.UnixTimeNow() - runtime), 2);
}

}  // namespace
}  // namespace tavilo
