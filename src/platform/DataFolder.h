// Where Tavilo keeps its files: %APPDATA%\Tavilo, or in portable mode the
// program's own folder. Portable mode is on when a portable.ini stands beside
// tavilo.exe (the zip ships one): the settings are kept in that file, the
// events and the calendar data beside it, and nothing is written to the
// registry or %APPDATA%. The mode is chosen once, at start.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace tavilo {

inline constexpr wchar_t kPortableIniName[] = L"portable.ini";

// The folder holding a file (its path up to the last backslash); empty when
// the path has none.
std::wstring FolderOf(const std::wstring& path);

// portable.ini beside the running program; empty when the program's path is
// not known.
std::wstring PortableIniPath(Platform& platform);

// Looks for portable.ini and puts the mode it gives in force for the run.
bool ChoosePortableMode(Platform& platform);
bool IsPortableMode();
void SetPortableMode(bool portable);

// The folder of the events and the calendar data files: the program's in
// portable mode, else %APPDATA%\Tavilo; empty when unknown.
std::wstring UserDataFolder(Platform& platform);

}  // namespace tavilo
