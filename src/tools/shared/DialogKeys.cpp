#include "tools/shared/DialogKeys.h"

#include <set>

#include "ui/FailureGuard.h"

namespace tavilo {

namespace {

std::set<HWND>& DialogWindows() {
  static std::set<HWND> windows;
  return windows;
}

// Ctrl+Enter in a box where Enter starts a new line presses the window's
// default button, as Enter does in the other boxes.
bool PressDefaultButton(HWND window, const MSG& message) {
  wchar_t className[8];
  if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN ||
      GetKeyState(VK_CONTROL) >= 0 || !GetClassNameW(message.hwnd, className, 8) ||
      lstrcmpiW(className, L"Edit") != 0 ||
      !(GetWindowLongPtrW(message.hwnd, GWL_STYLE) & ES_WANTRETURN)) {
    return false;
  }
  const LRESULT defaultId = SendMessageW(window, DM_GETDEFID, 0, 0);
  if (HIWORD(defaultId) != DC_HASDEFID) return false;
  const int id = LOWORD(defaultId);
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
  return true;
}

}  // namespace

void AddDialogWindow(HWND window) { DialogWindows().insert(window); }

void RemoveDialogWindow(HWND window) { DialogWindows().erase(window); }

bool HandleDialogKeys(MSG& message) {
  if (!message.hwnd) return false;
  HWND window = GetAncestor(message.hwnd, GA_ROOT);
  return DialogWindows().count(window) != 0 &&
         (PressDefaultButton(window, message) || IsDialogMessageW(window, &message));
}

void DispatchProgramMessage(MSG& message) noexcept {
  Guarded([&]() -> LRESULT {
    if (HandleDialogKeys(message)) return 0;
    TranslateMessage(&message);
    return DispatchMessageW(&message);
  });
}

}  // namespace tavilo
