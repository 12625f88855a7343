// What the user chose and Tavilo keeps between runs, under
// HKEY_CURRENT_USER\Software\Tavilo, one REG_DWORD a setting. A value that is
// missing, of another type or size, or out of range reads as its default;
// with nothing stored the program looks and behaves as it always did.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/Platform.h"

namespace tavilo {

inline constexpr wchar_t kSettingsKey[] = L"Software\\Tavilo";

enum class Setting { kOpacity, kPersianDigits, kNotificationIcon, kLunarCorrection };

struct Settings {
  int opacity = 255;  // the strip's layered alpha, 30 to 255
  bool persianDigits = false;
  bool notificationIcon = true;
  int lunarCorrection = 0;  // days added to the lunar calendar, -2 to +2

  int Get(Setting setting) const;
  void Put(Setting setting, int value);
};

struct SettingRule {
  const wchar_t* valueName;
  int minimum;
  int maximum;
};
const SettingRule& RuleOf(Setting setting);

// The value a setting's stored data stands for; the default when the data is
// missing, not a REG_DWORD of four bytes, or outside the setting's range. A
// DWORD reads as a signed 32-bit number, so 0xFFFFFFFF is -1.
int SettingFromData(Setting setting, const std::optional<RegistryData>& data);
// REG_DWORD bytes of a value (negative values in two's complement).
std::vector<std::uint8_t> SettingData(int value);

// Every setting as stored; the defaults when nothing can be read.
Settings LoadSettings(Platform& platform);
// Stores one setting with the least access the write needs; false when the
// registry cannot be written.
bool StoreSetting(Platform& platform, Setting setting, int value);

// The settings in force for this run. A change the registry refuses still
// holds until Exit.
Settings& ProgramSettings();
// Puts a value in force and stores it.
void ChangeSetting(Platform& platform, Setting setting, int value);

}  // namespace tavilo
