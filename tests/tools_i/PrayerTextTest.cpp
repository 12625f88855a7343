// The next prayer time of the tooltips: which time, at its shown minute in
// local time, and the wait as the clock beside it counts it.
#include <gtest/gtest.h>

#include <vector>

#include "platform/fake/FakePlatform.h"
#include "tools/logic/PrayerChoice.h"
#include "tools/logic/PrayerText.h"

namespace tavilo {
namespace {

constexpr int64_t kDay = 1'780'000'000 - 1'780'000'000 % 86400;  // a day's 00:00 UTC
constexpr int64_t kTehranOffset = 210 * 60;

// A moment given in Tehran's local time of that day (hours may pass 24).
int64_t Local(int hour, int minute, int second = 0) {
  return kDay + hour * 3600 + minute * 60 + second - kTehranOffset;
}

// The same times every day; `day` -1 is yesterday.
PrayerTimes Day(int day) {
  const int h = 24 * day;
  return {Local(h + 4, 56), Local(h + 6, 19), Local(h + 12, 14), Local(h + 14, 36),
          Local(h + 15, 40), Local(h + 17, 1, 31), Local(h + 19, 14), Local(h + 23, 32)};
}

TEST(PrayerText, TheNextTimeAndTheWaitAsTheClockShowsThem) {
  FakePlatform platform;
  platform.timeZone = TimeZoneRule{-210, 0, -60, {}, {}};
  const std::vector<PrayerTimes> days = {Day(-1), Day(0), Day(1)};
  struct Case {
    int64_t now;
    bool withAsrAndIsha;
    const wchar_t* text;
    const wchar_t* shortText;  // the strip title's where the line does not fit
  };
  const Case cases[] = {
      {Local(15, 50, 59), false, L"اذان مغرب ۱۷:۰۲ (۱ ساعت و ۱۲ دقیقه دیگر)",
       L"مغرب ۱۷:۰۲ · ۱:۱۲"},  // 17:01:31 shows 17:02
      {Local(14, 2), true, L"اذان عصر ۱۴:۳۶ (۳۴ دقیقه دیگر)", L"عصر ۱۴:۳۶ · ۰:۳۴"},
      {Local(13, 40), false, L"غروب آفتاب ۱۵:۴۰ (۲ ساعت دیگر)", L"غروب ۱۵:۴۰ · ۲:۰۰"},
      {Local(17, 2, 40), false, L"اذان مغرب ۱۷:۰۲ (اکنون)", L"مغرب ۱۷:۰۲ · اکنون"},  // its own minute
      {Local(17, 3), false, L"نیمه‌شب شرعی ۲۳:۳۲ (۶ ساعت و ۲۹ دقیقه دیگر)", L"نیمه‌شب ۲۳:۳۲ · ۶:۲۹"},
      {Local(23, 40), false, L"اذان صبح ۰۴:۵۶ (۵ ساعت و ۱۶ دقیقه دیگر)", L"صبح ۰۴:۵۶ · ۵:۱۶"},
  };
  for (const Case& c : cases) {
    const auto next = NextPrayerTime(c.now, days, c.withAsrAndIsha);
    ASSERT_TRUE(next);
    EXPECT_EQ(UpcomingTimeText(platform, c.now, *next), c.text) << "case " << (&c - cases);
    EXPECT_EQ(ShortUpcomingTimeText(platform, c.now, *next), c.shortText) << "case " << (&c - cases);
  }
  // Just after 00:00 yesterday's midnight, moved past it, is still ahead.
  std::vector<PrayerTimes> late = days;
  late[0].midnight = Local(0, 21);
  EXPECT_EQ(NextPrayerTime(Local(0, 5), late, false)->kind, PrayerTimeKind::kMidnight);
  // Times that do not occur are never next; nothing ahead, nothing to show.
  late[1].fajr = kNoTime;
  EXPECT_EQ(NextPrayerTime(Local(0, 30), late, false)->kind, PrayerTimeKind::kSunrise);
  EXPECT_FALSE(NextPrayerTime(Local(0, 0) + 3 * 86400, days, true));
}

// Three times a line, a time past 00:00 (or before the day) marked, one that
// does not occur said so, the zone named for a place abroad.
TEST(PrayerText, TheCalendarsDayOfTimes) {
  FakePlatform platform;
  platform.timeZone = TimeZoneRule{-210, 0, -60, {}, {}};
  const int32_t day = static_cast<int32_t>(kDay / 86400 + 25569);
  PrayerTimes times = Day(0);
  times.midnight = Local(24, 21);
  times.sunset = kNoTime;
  EXPECT_EQ(PrayerDayText(platform, day, {times, L"تهران", false, false}),
            L"\u200Fاوقات شرعی تهران\r\n"
            L"\u200Fاذان صبح ۰۴:۵۶، طلوع آفتاب ۰۶:۱۹\r\n"
            L"\u200Fاذان ظهر ۱۲:۱۴، غروب آفتاب ندارد\r\n"
            L"\u200Fاذان مغرب ۱۷:۰۲، نیمه‌شب شرعی ۰۰:۲۱ (فردا)");
  platform.timeZone = TimeZoneRule{300, 0, -60, {}, {}};  // a computer in Toronto, say
  EXPECT_TRUE(PrayerDayText(platform, day, {times, L"تهران", false, false})
                  .starts_with(L"\u200Fاوقات شرعی تهران، به وقت این رایانه\r\n"));
  platform.timeZone = TimeZoneRule{-210, 0, -60, {}, {}};
  times = Day(0);
  times.fajr = Local(-1, 30);
  EXPECT_EQ(PrayerDayText(platform, day, {times, L"تورنتو", true, true}),
            L"\u200Fاوقات شرعی تورنتو، به وقت این رایانه\r\n"
            L"\u200Fاذان صبح ۲۳:۳۰ (دیروز)، طلوع آفتاب ۰۶:۱۹\r\n"
            L"\u200Fاذان ظهر ۱۲:۱۴، اذان عصر ۱۴:۳۶\r\n"
            L"\u200Fغروب آفتاب ۱۵:۴۰، اذان مغرب ۱۷:۰۲\r\n"
            L"\u200Fاذان عشا ۱۹:۱۴، نیمه‌شب شرعی ۲۳:۳۲");
}

// The window's mark moves once the next time's minute has passed.
TEST(PrayerText, TheMarkMovesWhenTheNextTimesMinuteHasPassed) {
  const DayPrayers today{Day(0), L"تهران", false, false};
  const auto next = NextTimeOfDay(Local(17, 2, 40), today);  // Maghrib 17:01:31 shows 17:02
  ASSERT_TRUE(next);
  EXPECT_EQ(MillisecondsUntilPassed(Local(17, 2, 40), *next), 20'000u);
  EXPECT_FALSE(NextTimeOfDay(Local(23, 33), today));
}

// What the coordinate boxes take, and what they say beside a bad one.
TEST(PrayerChoice, TypedCoordinatesAndTheirMessages) {
  const struct {
    const wchar_t *latitude, *longitude, *latitudeMessage, *longitudeMessage;
  } cases[] = {
      {L"۳۵٫۶۹", L"-79.4163", L"", L""},
      {L"90.5", L"12", L"حداکثر ۹۰ درجه", L""},
      {L"12", L"181", L"", L"حداکثر ۱۸۰ درجه"},
      {L"شمال", L"", L"مانند ۳۵٫۶۹ یا ۳۵ ۴۱", L"مانند ۵۱٫۴۲ یا ۵۱ ۲۵"},
      {L"35 75", L"12", L"دقیقه و ثانیه کمتر از ۶۰", L""},
  };
  for (const auto& c : cases) {
    const TypedCoordinates typed = ReadCoordinates(c.latitude, c.longitude);
    EXPECT_EQ(typed.latitudeMessage, c.latitudeMessage) << c.latitude;
    EXPECT_EQ(typed.longitudeMessage, c.longitudeMessage) << c.longitude;
    EXPECT_EQ(typed.Valid(), !*c.latitudeMessage && !*c.longitudeMessage);
  }
  EXPECT_EQ(*ReadCoordinates(L"35.69", L"0").latitude, 35690000);
  // A box shows a stored coordinate again as it reads back.
  for (int32_t micro : {-79416300, 51421510, 0, 90000000}) {
    EXPECT_EQ(ParseCoordinate(CoordinateText(micro), CoordinateAxis::kLongitude).microDegrees, micro);
  }
}

}  // namespace
}  // namespace tavilo
