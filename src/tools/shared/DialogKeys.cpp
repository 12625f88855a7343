#include "tools/shared/DialogKeys.h"

#include <set>

#include "ui/FailureGuard.h"

namespace tavilo {

namespace {

std::set<HWND>& DialogWindows() {
  static std::set<HWND> windows;
  return windows;
}

}  // namespace

void AddDialogWindow(HWND window) { DialogWindows().insert(window); }

void RemoveDialogWindow(HWND window) { DialogWindows().erase(window); }

bool HandleDialogKeys(MSG& message) {
  if (!message.hwnd) return false;
  HWND window = GetAncestor(message.hwnd, GA_ROOT);
  return DialogWindows().count(window) != 0 && IsDialogMessageW(window, &message);
}

void DispatchProgramMessage(MSG& message) noexcept {
  Guarded([&]() -> LRESULT {
    if (HandleDialogKeys(message)) return 0;
    TranslateMessage(&message);
    return DispatchMessageW(&message);
  });
}

}  // namespace tavilo
