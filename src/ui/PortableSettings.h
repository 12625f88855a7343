// The settings in portable mode (DataFolder.h): portable.ini beside the
// program, one "Name=value" line a setting, with the registry values' names
// and ranges (Settings.h). Names are matched without regard to case,
// sections and lines starting with ';' or '#' are skipped; a value that is
// missing, not a whole decimal number or out of range reads as its default.
// A change rewrites the file as it was with that one line changed (added at
// the end when missing), in the safe steps of SafeReplace.h, so the user's
// comments stay.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Platform.h"
#include "ui/Settings.h"

namespace tavilo {

// The value of the last "name=value" line, spaces around both dropped.
std::optional<std::string_view> IniValue(std::string_view text, std::string_view name);
// The text with the line of `name` set to `value`, or the line added.
std::string WithIniValue(std::string_view text, std::string_view name, std::string_view value);
// Every setting as an ini text gives it.
Settings SettingsFromIni(std::string_view text);

class IniSettingsStore {
 public:
  IniSettingsStore(Platform& platform, std::wstring path);

  // Reads the file; the defaults where it cannot be read.
  Settings Load();
  // Writes one setting's line; false when the file cannot be written. The
  // first time that fails the user is told, once, that changes hold only
  // until Tavilo ends.
  bool Store(Setting setting, int value);
  // A value that is not a number (a path, in UTF-8), read and written alike.
  std::optional<std::string_view> Text(std::string_view name) const;
  bool StoreText(std::string_view name, std::string_view value);

 private:
  Platform& platform_;
  std::wstring path_;
  std::string text_;  // the file as read and changed since
  bool told_ = false;
};

// At start: chooses portable mode (DataFolder.h) and reads the settings in
// force from portable.ini, where ChangeSetting then stores them, or from the
// registry.
void LoadProgramSettings(Platform& platform);
// portable.ini in portable mode; nothing when the settings are the registry's.
std::optional<IniSettingsStore>& ProgramIniSettings();

}  // namespace tavilo
