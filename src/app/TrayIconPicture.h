// Draws the notification-area icon: a day number, bold and as large as fits,
// centred on a badge, as a 32-bit icon with smoothed edges.
#pragma once

#include <windows.h>

#include <string>

#include "app/logic/TrayIconFace.h"

namespace tavilo {

// A new icon of size x size pixels the caller destroys; null when GDI fails.
HICON DrawDayIcon(const std::wstring& dayText, int size, IconColours colours);

}  // namespace tavilo
