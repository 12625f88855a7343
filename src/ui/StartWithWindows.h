// Starting with Windows: the value "Tavilo" under the current user's Run key
// holds the quoted path of the program. It is on only while that value names
// this very file; a copy elsewhere, or a file since moved, does not count.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace tavilo {

inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValueName[] = L"Tavilo";

// The command line the Run value holds for the program at `programPath`.
std::wstring RunCommand(const std::wstring& programPath);

bool StartsWithWindows(Platform& platform);
// Writes the running program's path, or deletes the value; false when the
// registry refused, and in portable mode, which leaves the registry alone.
bool SetStartWithWindows(Platform& platform, bool start);

}  // namespace tavilo
