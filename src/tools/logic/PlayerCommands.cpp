#include "tools/logic/PlayerCommands.h"

namespace tavilo {

std::wstring QuotedSongName(std::wstring_view chosenPath) {
  const auto first = chosenPath.find_first_not_of(L' ');
  std::wstring_view trimmed;
  if (first != std::wstring_view::npos) {
    const auto last = chosenPath.find_last_not_of(L' ');
    trimmed = chosenPath.substr(first, last - first + 1);
  }
  std::wstring quoted = L"\"";
  quoted += trimmed;
  quoted += L'"';
  return quoted;
}

void PlayChosenSong(Platform& platform, SongState song, std::wstring_view chosenPath) {
  platform.SendMediaCommand(L"close " + song.songFile);
  song.songFile = QuotedSongName(chosenPath);
  platform.SendMediaCommand(L"open " + song.songFile);
  platform.SendMediaCommand(L"play " + song.songFile);
  song.isPlaying = true;
}

void StopSong(Platform& platform, SongState song) {
  platform.SendMediaCommand(L"close " + song.songFile);
  song.isPlaying = false;
}

}  // namespace tavilo
