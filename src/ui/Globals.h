// Program-wide values shared between the windows. All of them are touched only
// on the user-interface thread.
#pragma once

#include <cstdint>
#include <string>

namespace tavilo {

// The shutdown scheduler's target running time, set when a schedule is
// confirmed.
extern int16_t ShutHour;
extern int16_t ShutMin;
extern int16_t ShutSec;

// The song player's state: whether a song is open, and the media-command
// name it was opened under (the quoted file name). The strip's unload and the
// Exit command send "close " + SongFile while IsPlaying is set.
extern bool IsPlaying;
extern std::wstring SongFile;

}  // namespace tavilo
