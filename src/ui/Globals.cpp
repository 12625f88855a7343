#include "ui/Globals.h"

namespace tavilo {

int32_t RunHour = 0;
int16_t RunMin = 0;
int16_t RunSec = 0;
int16_t RunMSec = 0;

int16_t ShutHour = 0;
int16_t ShutMin = 0;
int16_t ShutSec = 0;

bool IsPlaying = false;
std::wstring SongFile;

}  // namespace tavilo
