#include "ui/SettingsBroadcast.h"

namespace tavilo {

void BroadcastSettingsChanged() {
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM) -> BOOL {
        SendMessageW(window, kSettingsChanged, 0, 0);
        return TRUE;
      },
      0);
}

}  // namespace tavilo
