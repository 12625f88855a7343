// Ctrl+Alt+T, from anywhere, opens the month calendar: the way to Tavilo
// without a mouse. Another program may hold the key already; Tavilo then
// runs without it and the notification icon's tooltip says so.
#pragma once

#include <windows.h>

namespace tavilo {

inline constexpr int kCalendarHotKeyId = 1;
inline constexpr wchar_t kCalendarHotKeyTaken[] =
    L"کلید میان‌بر Ctrl+Alt+T در اختیار برنامهٔ دیگری است";

// Registers the key for `window`, which gets WM_HOTKEY with
// kCalendarHotKeyId; false when another program holds it.
bool RegisterCalendarHotKey(HWND window);

}  // namespace tavilo
