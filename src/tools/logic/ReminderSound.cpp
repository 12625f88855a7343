#include "tools/logic/ReminderSound.h"

#include "events/Utf8.h"
#include "platform/RegistryText.h"
#include "ui/PortableSettings.h"
#include "ui/Settings.h"

namespace tavilo {
namespace {

std::wstring Command(const wchar_t* verb, const std::wstring& rest = {}) {
  return std::wstring(verb) + L" " + kReminderSoundAlias + rest;
}

}  // namespace

namespace {

// portable.ini names its values in ASCII.
constexpr char kReminderSoundFileIniName[] = "ReminderSoundFile";

}  // namespace

std::wstring LoadReminderSoundFile(Platform& platform) {
  if (const std::optional<IniSettingsStore>& ini = ProgramIniSettings()) {
    const std::optional<std::string_view> text = ini->Text(kReminderSoundFileIniName);
    return text ? DecodedUtf8(*text).value_or(std::wstring()) : std::wstring();
  }
  return ReadRegistryString(platform, RegistryRoot::CurrentUser, kSettingsKey,
                            kReminderSoundFileValue)
      .value_or(std::wstring());
}

bool StoreReminderSoundFile(Platform& platform, const std::wstring& path) {
  if (std::optional<IniSettingsStore>& ini = ProgramIniSettings()) {
    std::string bytes;
    AppendUtf8(bytes, path);
    return ini->StoreText(kReminderSoundFileIniName, bytes);
  }
  RegistryKey key = 0;
  if (platform.CreateRegistryKey(RegistryRoot::CurrentUser, kSettingsKey, kKeySetValue, key) !=
      kErrorSuccess) {
    return false;
  }
  const bool stored = platform.WriteRegistryValue(key, kReminderSoundFileValue, kRegSz,
                                                  ToRegistryBytes(path)) == kErrorSuccess;
  platform.CloseRegistryKey(key);
  return stored;
}

std::optional<std::uint32_t> ReminderSoundPlayer::Play(const std::wstring& path) {
  Stop();
  if (platform_.SendMediaCommand(L"open " + QuotedSongName(path) + L" alias " +
                                 kReminderSoundAlias) != 0) {
    return std::nullopt;
  }
  if (song_.isPlaying && !song_.songFile.empty()) {
    songPaused_ = platform_.SendMediaCommand(L"pause " + song_.songFile) == 0;
  }
  platform_.SendMediaCommand(Command(L"set", L" time format milliseconds"));
  std::wstring length;
  const bool known = platform_.QueryMedia(Command(L"status", L" length"), length) == 0;
  playing_ = true;
  if (platform_.SendMediaCommand(Command(L"play")) != 0) {
    Stop();
    return std::nullopt;
  }
  try {
    return known ? static_cast<std::uint32_t>(std::stoul(length)) : 0;
  } catch (const std::exception&) {
    return 0;
  }
}

void ReminderSoundPlayer::Stop() {
  if (!playing_) return;
  playing_ = false;
  platform_.SendMediaCommand(Command(L"close"));
  if (songPaused_) platform_.SendMediaCommand(L"resume " + song_.songFile);
  songPaused_ = false;
}

}  // namespace tavilo
