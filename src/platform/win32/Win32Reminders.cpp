// The reminders' calls of the real platform.
#include <windows.h>

#include <shellapi.h>

#include <cwchar>
#include <iterator>

#include "platform/win32/Win32Platform.h"

namespace tavilo {

// Windows shows it as a balloon or, from Windows 10 on, as a toast. The
// quiet hours after a new user's first logon are respected.
bool Win32Platform::ShowBalloon(WindowHandle iconOwner, std::uint32_t iconId,
                                const std::wstring& title, const std::wstring& text, bool silent) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = static_cast<HWND>(iconOwner);
  data.uID = iconId;
  data.uFlags = NIF_INFO;
  data.dwInfoFlags = NIIF_INFO | NIIF_RESPECT_QUIET_TIME | (silent ? NIIF_NOSOUND : 0);
  wcsncpy(data.szInfoTitle, title.c_str(), std::size(data.szInfoTitle) - 1);
  wcsncpy(data.szInfo, text.c_str(), std::size(data.szInfo) - 1);
  return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

}  // namespace tavilo
