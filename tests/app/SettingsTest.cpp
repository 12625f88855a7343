// The stored settings and the start-with-Windows value, on the recording
// registry: what bad data reads as, the access each call asks for, and what
// holds when the registry refuses a write.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/RegistryText.h"
#include "platform/fake/FakePlatform.h"
#include "ui/Settings.h"
#include "ui/StartWithWindows.h"

namespace tavilo {
namespace {

RegistryData Dword(std::uint32_t value) {
  return {kRegDword, SettingData(static_cast<int>(value))};
}

TEST(Settings, StoredDataOutsideEachRuleReadsAsTheDefault) {
  struct Case {
    Setting setting;
    std::optional<RegistryData> data;
    int expected;
  };
  const Case cases[] = {
      {Setting::kOpacity, std::nullopt, 255},
      {Setting::kOpacity, Dword(128), 128},
      {Setting::kOpacity, Dword(30), 30},
      {Setting::kOpacity, Dword(29), 255},
      {Setting::kOpacity, Dword(0), 255},
      {Setting::kOpacity, Dword(0xFFFFFFFF), 255},
      {Setting::kOpacity, RegistryData{kRegSz, ToRegistryBytes(L"128")}, 255},
      {Setting::kOpacity, RegistryData{kRegSz, {}}, 255},
      {Setting::kOpacity, RegistryData{kRegDword, {128, 0}}, 255},  // too short
      {Setting::kOpacity, RegistryData{kRegDword, {128, 0, 0, 0, 0, 0, 0, 0}}, 255},
      {Setting::kPersianDigits, Dword(1), 1},
      {Setting::kPersianDigits, Dword(2), 0},
      {Setting::kNotificationIcon, Dword(0), 0},
      {Setting::kNotificationIcon, Dword(0x80000000), 1},
      {Setting::kLunarCorrection, Dword(0xFFFFFFFE), -2},
      {Setting::kLunarCorrection, Dword(2), 2},
      {Setting::kLunarCorrection, Dword(3), 0},
      {Setting::kLunarCorrection, Dword(0xFFFFFFFD), 0},
      {Setting::kPrayerPlace, std::nullopt, kNoPrayerPlace},
      {Setting::kPrayerPlace, Dword(0xFFFFFFFF), kNoPrayerPlace},
      {Setting::kPrayerLatitude, Dword(static_cast<std::uint32_t>(-90000000)), -90000000},
      {Setting::kPrayerLatitude, Dword(90000001), kNoCoordinate},
      {Setting::kPrayerLongitude, Dword(static_cast<std::uint32_t>(-180000001)), kNoCoordinate},
      {Setting::kPrayerMethod, Dword(7), 0},
      {Setting::kAsrShadow, Dword(2), 0},
      {Setting::kScheduleMode, Dword(6), 2},
      {Setting::kScheduleNightlyDays, Dword(0), 127},
      {Setting::kScheduleNightlyMinute, Dword(1440), 1380},
      {Setting::kScheduleAction, Dword(0xFFFFFFFE), -1},
      {Setting::kScheduleAction, Dword(5), 5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SettingFromData(c.setting, c.data), c.expected)
        << RuleOf(c.setting).valueName << " case " << (&c - cases);
  }
}

TEST(Settings, StoredValuesComeBackWithTheLeastAccessEachWayNeeds) {
  FakePlatform platform;
  EXPECT_EQ(LoadSettings(platform).opacity, 255);  // no key yet
  ASSERT_TRUE(StoreSetting(platform, Setting::kOpacity, 128));
  ASSERT_TRUE(StoreSetting(platform, Setting::kLunarCorrection, -1));
  ASSERT_TRUE(StoreSetting(platform, Setting::kNotificationIcon, 0));
  platform.SetRegistryString(RegistryRoot::CurrentUser, kSettingsKey, L"PersianDigits", L"1");

  const Settings loaded = LoadSettings(platform);
  EXPECT_EQ(loaded.opacity, 128);
  EXPECT_EQ(loaded.lunarCorrection, -1);
  EXPECT_FALSE(loaded.notificationIcon);
  EXPECT_FALSE(loaded.persianDigits);  // text where a number belongs
  EXPECT_EQ(platform.OpenRegistryKeyCount(), 0u);
  for (const RegistryOpenRequest& create : platform.registryCreates) {
    EXPECT_EQ(create.root, RegistryRoot::CurrentUser);
    EXPECT_EQ(create.access, kKeySetValue);
  }
  EXPECT_EQ(platform.registryOpens.back().access, kKeyQueryValue);
}

TEST(Settings, APrayerPlaceIsATablePlaceOrTypedCoordinatesElseNone) {
  FakePlatform platform;
  EXPECT_FALSE(ChosenPrayerPlace(LoadSettings(platform)));  // nothing chosen yet
  ASSERT_TRUE(StoreSetting(platform, Setting::kPrayerLatitude, 59329380));
  ASSERT_TRUE(StoreSetting(platform, Setting::kPrayerLongitude, 18068710));
  EXPECT_FALSE(ChosenPrayerPlace(LoadSettings(platform)));  // no PrayerPlace 0 stored with them

  ASSERT_TRUE(StoreSetting(platform, Setting::kPrayerPlace, 0));
  auto typed = ChosenPrayerPlace(LoadSettings(platform));
  ASSERT_TRUE(typed);
  EXPECT_EQ(typed->known, nullptr);
  EXPECT_DOUBLE_EQ(typed->coordinates.longitude, 18.06871);

  ASSERT_TRUE(StoreSetting(platform, Setting::kPrayerPlace, 112931));
  ASSERT_TRUE(StoreSetting(platform, Setting::kPrayerMethod, 5));
  const Settings loaded = LoadSettings(platform);
  auto tehran = ChosenPrayerPlace(loaded);
  ASSERT_TRUE(tehran && tehran->known);
  EXPECT_EQ(tehran->known->persianName, L"تهران");
  EXPECT_EQ(ChosenPrayerSettings(loaded).method, PrayerMethod::kUmmAlQura);

  ASSERT_TRUE(StoreSetting(platform, Setting::kPrayerPlace, 12345));  // not in the table
  EXPECT_FALSE(ChosenPrayerPlace(LoadSettings(platform)));
  platform.SetRegistryString(RegistryRoot::CurrentUser, kSettingsKey, L"PrayerPlace", L"112931");
  EXPECT_FALSE(ChosenPrayerPlace(LoadSettings(platform)));  // text, not the coordinates
}

TEST(Settings, ARefusedWriteStillHoldsForThisRun) {
  FakePlatform platform;
  platform.registryWritesFail = true;
  ProgramSettings() = Settings{};
  ChangeSetting(platform, Setting::kPersianDigits, 1);
  ChangeSetting(platform, Setting::kOpacity, 1000);  // held within the range
  EXPECT_TRUE(ProgramSettings().persianDigits);
  EXPECT_EQ(ProgramSettings().opacity, 255);
  EXPECT_FALSE(LoadSettings(platform).persianDigits);
  ProgramSettings() = Settings{};
}

TEST(StartWithWindows, OnOnlyWhileTheRunValueNamesThisVeryProgram) {
  FakePlatform platform;
  platform.programPath = L"C:\\Program Files\\Tavilo\\tavilo.exe";
  EXPECT_FALSE(StartsWithWindows(platform));
  EXPECT_TRUE(SetStartWithWindows(platform, false));  // nothing to delete

  ASSERT_TRUE(SetStartWithWindows(platform, true));
  const std::optional<RegistryData> stored =
      platform.RegistryValue(RegistryRoot::CurrentUser, kRunKey, kRunValueName);
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, kRegSz);
  EXPECT_EQ(FromRegistryBytes(stored->bytes), L"\"C:\\Program Files\\Tavilo\\tavilo.exe\"");
  EXPECT_EQ(platform.registryCreates.back().access, kKeySetValue);
  EXPECT_TRUE(StartsWithWindows(platform));

  platform.programPath = L"c:\\program files\\TAVILO\\Tavilo.EXE";  // same file
  EXPECT_TRUE(StartsWithWindows(platform));
  platform.programPath = L"D:\\Tools\\tavilo.exe";  // moved: checking rewrites
  EXPECT_FALSE(StartsWithWindows(platform));
  ASSERT_TRUE(SetStartWithWindows(platform, true));
  EXPECT_TRUE(StartsWithWindows(platform));

  ASSERT_TRUE(SetStartWithWindows(platform, false));
  EXPECT_FALSE(platform.RegistryValue(RegistryRoot::CurrentUser, kRunKey, kRunValueName));
  EXPECT_FALSE(StartsWithWindows(platform));

  platform.registryWritesFail = true;
  EXPECT_FALSE(SetStartWithWindows(platform, true));
  EXPECT_EQ(platform.OpenRegistryKeyCount(), 0u);
}

}  // namespace
}  // namespace tavilo
