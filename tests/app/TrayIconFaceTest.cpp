#include "app/logic/TrayIconFace.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "calendar/Numbers.h"
#include "calendar/ShamsiArithmetic.h"
#include "platform/fake/FakePlatform.h"

namespace tavilo {
namespace {

// Perceived brightness, 0 to 255.
int Brightness(Colour colour) {
  return (299 * (colour & 0xFF) + 587 * (colour >> 8 & 0xFF) + 114 * (colour >> 16 & 0xFF)) / 1000;
}

TEST(TrayIconFace, ColoursFollowTheTaskbarAndHighContrast) {
  const IconColours dark = IconColoursFor({.lightTaskbar = false});
  EXPECT_GT(Brightness(dark.text), 200);
  EXPECT_GT(Brightness(dark.text) - Brightness(dark.badge), 150);
  const IconColours light = IconColoursFor({.lightTaskbar = true});
  EXPECT_LT(Brightness(light.text), 55);
  EXPECT_GT(Brightness(light.badge) - Brightness(light.text), 150);

  // High contrast wins over the taskbar's theme.
  const IconColours contrast = IconColoursFor(
      {.highContrast = true, .highContrastText = 0x00FFFF, .highContrastBackground = 0x800000,
       .lightTaskbar = true});
  EXPECT_EQ(contrast, (IconColours{0x00FFFF, 0x800000}));
  const IconColours sameColours = IconColoursFor(
      {.highContrast = true, .highContrastText = 0x123456, .highContrastBackground = 0x123456});
  EXPECT_NE(sameColours.text, sameColours.badge);
}

TEST(TrayIconFace, OnlyADwordOtherThanZeroMeansALightTaskbar) {
  struct Case {
    const char* name;
    std::optional<RegistryData> value;
    bool light;
  };
  const Case cases[] = {
      {"no value", std::nullopt, false},
      {"one", RegistryData{kRegDword, {1, 0, 0, 0}}, true},
      {"zero", RegistryData{kRegDword, {0, 0, 0, 0}}, false},
      {"text", RegistryData{kRegSz, {'1', 0, 0, 0}}, false},
      {"short", RegistryData{kRegDword, {1, 0}}, false},
      {"eight bytes", RegistryData{kRegDword, {1, 0, 0, 0, 0, 0, 0, 0}}, false},
  };
  for (const Case& c : cases) {
    FakePlatform platform;
    platform.AddRegistryKey(RegistryRoot::CurrentUser, kPersonalizeKey);
    if (c.value)
      platform.SetRegistryValue(RegistryRoot::CurrentUser, kPersonalizeKey,
                                L"SystemUsesLightTheme", *c.value);
    EXPECT_EQ(TaskbarUsesLightTheme(platform), c.light) << c.name;
    EXPECT_EQ(platform.OpenRegistryKeyCount(), 0u) << c.name;
  }
  FakePlatform noKey;  // Windows 7 and 8
  EXPECT_FALSE(TaskbarUsesLightTheme(noKey));
}

TEST(TrayIconFace, IconSizeKeepsToSixteenToThirtyTwoPixels) {
  const std::pair<int, int> cases[] = {{0, 16},  {15, 16}, {16, 16}, {20, 20},
                                       {24, 24}, {32, 32}, {33, 32}, {48, 32}};
  for (const auto& [metric, pixels] : cases) EXPECT_EQ(IconPixelSize(metric), pixels) << metric;
}

TEST(TrayIconFace, DayNumberInLatinOrPersianDigits) {
  const std::int32_t seventh = DayFromShamsi({1405, 9, 7});
  EXPECT_EQ(DayNumberText(seventh, false), L"7");
  EXPECT_EQ(DayNumberText(seventh, true), L"۷");
  EXPECT_EQ(DayNumberText(seventh + 10, false), L"17");
  EXPECT_EQ(DayNumberText(seventh + 10, true), L"۱۷");
  EXPECT_EQ(DayNumberText(DayFromShamsi({1405, 1, 1}) - 1, false), L"29");  // 29 Esfand 1404
}

TEST(TrayIconFace, DateLinesOneCalendarALine) {
  const auto sunday = DayOfDate(DateSerial(2026, 12, 6));
  EXPECT_EQ(TrayDateLines(sunday, 0, PersianGregorianMonthNames()),
            L"یک‌شنبه ۱۵ آذر ۱۴۰۵\n\u200F۶ دسامبر ۲۰۲۶\n\u200F۲۶ جمادی‌الثانی ۱۴۴۸");
  EXPECT_TRUE(TrayDateLines(sunday, 1, PersianGregorianMonthNames())
                  .ends_with(L"\n\u200F۲۷ جمادی‌الثانی ۱۴۴۸"));
}

TEST(TrayIconFace, ToolTipKeepsTheDatesAndCutsOnlyTheExtraLine) {
  const std::wstring dates = L"dates";
  const std::wstring next = L"\n\u200F";  // a line break, then right to left
  const std::size_t room = kToolTipLimit - dates.size() - next.size();
  struct Case {
    std::wstring extra;
    std::wstring tip;
  };
  const Case cases[] = {
      {L"", dates},
      {L"shutdown 0:45", dates + next + L"shutdown 0:45"},
      {std::wstring(room, L'x'), dates + next + std::wstring(room, L'x')},
      {std::wstring(room + 1, L'x'), dates + next + std::wstring(room - 1, L'x') + L"…"},
      // Half a surrogate pair would show as a box.
      {std::wstring(room - 2, L'x') + L"\xD83D\xDE00 and more",
       dates + next + std::wstring(room - 2, L'x') + L"…"},
  };
  for (const Case& c : cases) EXPECT_EQ(TrayToolTip(dates, c.extra), c.tip) << c.extra.size();

  // No room for a line at all.
  const std::wstring full(kToolTipLimit - 3, L'd');
  EXPECT_EQ(TrayToolTip(full, L"extra"), full);

  // Every day of three and a half decades, with a long extra line.
  const std::wstring longExtra(200, L'ن');
  for (std::int32_t day = DayFromShamsi({1395, 1, 1}); day < DayFromShamsi({1430, 1, 1}); ++day) {
    const std::wstring lines = TrayDateLines(day, 2, PersianGregorianMonthNames());
    const std::wstring tip = TrayToolTip(lines, longExtra);
    ASSERT_LE(tip.size(), kToolTipLimit) << day;
    ASSERT_TRUE(tip.starts_with(lines + next)) << day;
  }
}

// An armed schedule, then the next prayer time; the one that does not fit
// is cut, an empty one left out.
TEST(TrayIconFace, ScheduleThenPrayerTime) {
  const std::wstring dates = L"dates", schedule = L"schedule", prayer = L"prayer";
  EXPECT_EQ(TrayToolTip(dates, {schedule, prayer}), L"dates\n\u200Fschedule\n\u200Fprayer");
  EXPECT_EQ(TrayToolTip(dates, {L"", prayer}), L"dates\n\u200Fprayer");
  const std::wstring longSchedule(kToolTipLimit - dates.size() - 6, L's');
  EXPECT_EQ(TrayToolTip(dates, {longSchedule, prayer}),
            dates + L"\n\u200F" + longSchedule + L"\n\u200Fp…");
  EXPECT_EQ(TrayToolTip(dates, {longSchedule + L"ss", prayer}), dates + L"\n\u200F" + longSchedule + L"ss");
}

// With version-4 callbacks the button messages of a click come too: only
// the selection may act on it.
TEST(TrayIconFace, OneActionAClick) {
  constexpr unsigned kLeftUp = 0x202, kRightUp = 0x205, kContextMenu = 0x7B, kSelect = 0x400;
  const std::tuple<unsigned, TrayClick, TrayClick> cases[] = {
      {kLeftUp, TrayClick::kNone, TrayClick::kOpenCalendar},
      {kRightUp, TrayClick::kNone, TrayClick::kOpenMenu},
      {kSelect, TrayClick::kOpenCalendar, TrayClick::kNone},
      {kContextMenu, TrayClick::kOpenMenu, TrayClick::kNone},
  };
  for (const auto& [event, withVersion4, without] : cases) {
    EXPECT_EQ(TrayClickOf(event, true), withVersion4) << event;
    EXPECT_EQ(TrayClickOf(event, false), without) << event;
  }
}

}  // namespace
}  // namespace tavilo
