// The program's own window messages, numbered in one place so that no two
// meet in one window procedure; and the news every window may show: a changed
// setting (the strip, the month calendar and the notification icon redraw on
// kSettingsChanged), and the shutdown schedule armed, counting down or
// disarmed (kScheduleChanged, for the notification icon's tooltip).
#pragma once

#include <windows.h>

namespace tavilo {

inline constexpr UINT kSettingsChanged = WM_APP + 1;
// Another start of the program asks the running strip to come down; the
// strip answers kSlideDownAccepted unless the program is on its way out.
inline constexpr UINT kSlideDownRequest = WM_APP + 2;
inline constexpr LRESULT kSlideDownAccepted = 1;
inline constexpr UINT kScheduleChanged = WM_APP + 3;
// The notification icon's clicks.
inline constexpr UINT kTrayIconCallback = WM_APP + 4;

// Sends `message` to every top-level window of this thread.
void BroadcastToProgram(UINT message);

inline void BroadcastSettingsChanged() { BroadcastToProgram(kSettingsChanged); }
inline void BroadcastScheduleChanged() { BroadcastToProgram(kScheduleChanged); }
// The user's events changed: what shows them (the calendar, the tooltips'
// count of today's events) is drawn again as for a changed setting.
inline void BroadcastEventsChanged() { BroadcastToProgram(kSettingsChanged); }

}  // namespace tavilo
