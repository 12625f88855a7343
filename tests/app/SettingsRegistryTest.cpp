// The settings and the start-with-Windows value in the test prefix's real
// registry. Wine's boot starts whatever the Run key names, so both are
// removed before and after every test.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/Win32Platform.h"
#include "ui/Settings.h"
#include "ui/StartWithWindows.h"

namespace tavilo {
namespace {

class SettingsRegistry : public ::testing::Test {
 protected:
  void SetUp() override { Forget(); }
  void TearDown() override { Forget(); }

  static void Forget() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValueName);
  }
  static void Seed(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name, type, data, size),
              ERROR_SUCCESS);
  }
  static std::wstring RunValue() {
    wchar_t text[1024] = {};
    DWORD size = sizeof text;
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValueName, RRF_RT_REG_SZ, nullptr, text,
                     &size) != ERROR_SUCCESS) {
      return L"<none>";
    }
    return text;
  }

  Win32Platform platform_;
};

TEST_F(SettingsRegistry, GarbageSeededInTheRegistryReadsAsTheDefaults) {
  const DWORD huge = 0xFFFFFF00;
  const BYTE bytes[] = {1, 2, 3, 4, 5, 6, 7, 8};
  const ULONGLONG wide = 128;
  Seed(L"Opacity", REG_SZ, L"", sizeof(wchar_t));
  Seed(L"PersianDigits", REG_DWORD, &huge, sizeof huge);
  Seed(L"NotificationIcon", REG_BINARY, bytes, sizeof bytes);
  Seed(L"LunarCorrection", REG_QWORD, &wide, sizeof wide);
  const Settings loaded = LoadSettings(platform_);
  EXPECT_EQ(loaded.opacity, 255);
  EXPECT_FALSE(loaded.persianDigits);
  EXPECT_TRUE(loaded.notificationIcon);
  EXPECT_EQ(loaded.lunarCorrection, 0);

  // A good value beside them is read, and written values come back.
  const DWORD half = 128;
  Seed(L"Opacity", REG_DWORD, &half, sizeof half);
  ASSERT_TRUE(StoreSetting(platform_, Setting::kLunarCorrection, -2));
  EXPECT_EQ(LoadSettings(platform_).opacity, 128);
  EXPECT_EQ(LoadSettings(platform_).lunarCorrection, -2);
}

TEST_F(SettingsRegistry, StartWithWindowsWritesTheQuotedPathAndUncheckingDeletesIt) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  EXPECT_FALSE(StartsWithWindows(platform_));
  ASSERT_TRUE(SetStartWithWindows(platform_, true));
  EXPECT_EQ(RunValue(), L"\"" + std::wstring(path) + L"\"");
  EXPECT_TRUE(StartsWithWindows(platform_));
  ASSERT_TRUE(SetStartWithWindows(platform_, false));
  EXPECT_EQ(RunValue(), L"<none>");
  EXPECT_FALSE(StartsWithWindows(platform_));
}

}  // namespace
}  // namespace tavilo
