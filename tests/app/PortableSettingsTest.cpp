// portable.ini: garbage and missing lines, a change written into the user's file,
// and a folder that cannot be written (held for the run, told once, no registry).
#include <gtest/gtest.h>

#include <string>

#include "platform/DataFolder.h"
#include "platform/fake/FakePlatform.h"
#include "ui/PortableSettings.h"
#include "ui/Settings.h"
#include "ui/StartWithWindows.h"

namespace tavilo {
namespace {

constexpr wchar_t kFolder[] = L"D:\\Tavilo";
constexpr wchar_t kIni[] = L"D:\\Tavilo\\portable.ini";

TEST(PortableSettings, GarbageAndMissingLinesReadAsTheDefaults) {
  struct Case {
    const char* text;
    Setting setting;
    int expected;
  };
  const Case cases[] = {
      {"[Tavilo]\r\nOpacity=130\r\n", Setting::kOpacity, 130},
      {"  opacity = 40 \n", Setting::kOpacity, 40},           // any case, spaces
      {"Opacity=100\nOpacity=90\n", Setting::kOpacity, 90},   // the last one
      {"Opacity=abc\n", Setting::kOpacity, 255},
      {"Opacity=12x\n", Setting::kOpacity, 255},
      {"Opacity=29\n", Setting::kOpacity, 255},               // out of range
      {"Opacity=99999999999\n", Setting::kOpacity, 255},
      {"; Opacity=100\n# Opacity=100\n", Setting::kOpacity, 255},
      {"OpacityX=100\n", Setting::kOpacity, 255},
      {"PersianDigits=2\n", Setting::kPersianDigits, 0},
      {"LunarCorrection=-2", Setting::kLunarCorrection, -2},  // no line end
      {"LunarCorrection=+1\n", Setting::kLunarCorrection, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SettingsFromIni(c.text).Get(c.setting), c.expected) << c.text;
}

TEST(PortableSettings, AChangeRewritesItsLineAndKeepsTheRest) {
  FakePlatform fake;
  fake.folders.insert(kFolder);
  fake.PutFile(kIni, "; Tavilo portable\r\n[Tavilo]\r\nopacity=200\r\nPersianDigits=1");
  IniSettingsStore store(fake, kIni);
  EXPECT_EQ(store.Load().opacity, 200);
  ASSERT_TRUE(store.Store(Setting::kOpacity, 130));
  ASSERT_TRUE(store.Store(Setting::kLunarCorrection, -1));
  EXPECT_EQ(fake.disk[kIni].content,
            "; Tavilo portable\r\n[Tavilo]\r\nOpacity=130\r\nPersianDigits=1\r\nLunarCorrection=-1\r\n");
  const Settings again = IniSettingsStore(fake, kIni).Load();
  EXPECT_EQ(again.opacity, 130);
  EXPECT_EQ(again.lunarCorrection, -1);
  EXPECT_TRUE(again.persianDigits);
}

TEST(PortableSettings, AFolderThatCannotBeWrittenKeepsChangesForTheRunAndSaysSoOnce) {
  FakePlatform fake;
  fake.folders.insert(kFolder);
  fake.PutFile(kIni, "");
  fake.programPath = std::wstring(kFolder) + L"\\tavilo.exe";
  fake.fileFailures[PlatformCall::FileCreate] = kErrorAccessDenied;
  ASSERT_TRUE(ChoosePortableMode(fake));
  IniSettingsStore store(fake, kIni);
  ProgramSettings() = store.Load();
  UseSettingWriter([&store](Setting setting, int value) { return store.Store(setting, value); });
  ChangeSetting(fake, Setting::kOpacity, 100);
  ChangeSetting(fake, Setting::kPersianDigits, 1);
  EXPECT_FALSE(SetStartWithWindows(fake, true));
  UseSettingWriter(nullptr);
  SetPortableMode(false);

  EXPECT_EQ(ProgramSettings().opacity, 100);
  EXPECT_TRUE(ProgramSettings().persianDigits);
  EXPECT_EQ(fake.messageBoxes.size(), 1u);
  EXPECT_EQ(fake.disk[kIni].content, "");
  EXPECT_TRUE(fake.registryCreates.empty());
  EXPECT_TRUE(fake.registryWrites.empty());
  ProgramSettings() = Settings{};
}

}  // namespace
}  // namespace tavilo
