// A changed setting reaches every window of the program that shows it: the
// strip, the month calendar and the notification icon each redraw on
// kSettingsChanged.
#pragma once

#include <windows.h>

namespace tavilo {

inline constexpr UINT kSettingsChanged = WM_APP + 1;

// Sends kSettingsChanged to every top-level window of this thread.
void BroadcastSettingsChanged();

}  // namespace tavilo
