#include "app/CalendarHotKey.h"

namespace tavilo {

bool RegisterCalendarHotKey(HWND window) {
  constexpr UINT kModifiers = MOD_CONTROL | MOD_ALT;
  // Held down, the key opens the calendar once (Windows 7 and later know
  // MOD_NOREPEAT; before, it is refused as a bad parameter).
  if (RegisterHotKey(window, kCalendarHotKeyId, kModifiers | MOD_NOREPEAT, 'T')) return true;
  if (GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED) return false;
  return RegisterHotKey(window, kCalendarHotKeyId, kModifiers, 'T');
}

}  // namespace tavilo
