#include "ui/Globals.h"

namespace tavilo {

int16_t ShutHour = 0;
int16_t ShutMin = 0;
int16_t ShutSec = 0;

bool IsPlaying = false;
std::wstring SongFile;

}  // namespace tavilo
