#include "ui/ProgramMessages.h"

namespace tavilo {

void BroadcastToProgram(UINT message) {
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM news) -> BOOL {
        SendMessageW(window, static_cast<UINT>(news), 0, 0);
        return TRUE;
      },
      static_cast<LPARAM>(message));
}

}  // namespace tavilo
