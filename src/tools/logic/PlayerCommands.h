// The song player's media commands. The device is named by the quoted file
// name itself ("open \"C:\\Music\\a b.mp3\""): no alias and no device type, so
// the media service picks the device from the file, and `play` returns at
// once while the sound goes on.
#pragma once

#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace tavilo {

// The program-wide song state: whether Play was the last command given (not
// whether sound is actually coming out) and the name the song was opened
// under. Both outlive the player window.
struct SongState {
  bool& isPlaying;
  std::wstring& songFile;
};

// The chosen path with its leading and trailing spaces removed, in double
// quotes.
std::wstring QuotedSongName(std::wstring_view chosenPath);

// Closes the previous song (a close of a name never opened fails harmlessly),
// then opens and plays the chosen file.
void PlayChosenSong(Platform& platform, SongState song, std::wstring_view chosenPath);

// Closes the current song; with none ever chosen this is "close " alone.
void StopSong(Platform& platform, SongState song);

}  // namespace tavilo
