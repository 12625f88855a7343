// The reminders' sound: none, the system's notification sound, or an audio
// file the user chose (an Athan recording) for the prayer times, kept as
// the REG_SZ value ReminderSoundFile beside the settings. The file plays
// through the media control interface under an alias of its own, so it
// never meets the song player's device; a song that is playing pauses for
// it and resumes after.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Platform.h"
#include "tools/logic/PlayerCommands.h"

namespace tavilo {

enum class ReminderSound { kNone, kSystem, kFile };
inline constexpr wchar_t kReminderSoundFileValue[] = L"ReminderSoundFile";
inline constexpr wchar_t kReminderSoundAlias[] = L"TaviloReminderSound";

// Empty when none was chosen.
std::wstring LoadReminderSoundFile(Platform& platform);
bool StoreReminderSoundFile(Platform& platform, const std::wstring& path);

class ReminderSoundPlayer {
 public:
  ReminderSoundPlayer(Platform& platform, SongState song) : platform_(platform), song_(song) {}

  // Plays the file, pausing a playing song; how long it lasts in
  // milliseconds (0 when the media service cannot tell), or nothing when it
  // would not open or play (the song then plays on).
  std::optional<std::uint32_t> Play(const std::wstring& path);
  // Stops the file and resumes the song it paused; nothing when none plays.
  void Stop();
  bool Playing() const { return playing_; }

 private:
  Platform& platform_;
  SongState song_;
  bool playing_ = false;
  bool songPaused_ = false;
};

}  // namespace tavilo
