// The skeleton every tool window shares: the window procedure that hands
// messages to the C++ object, and raising an open window to the front.
#pragma once

#include <windows.h>

namespace tavilo {

// The window procedure of `Window`'s class. The object arrives through
// CreateWindowExW's lpCreateParams; from WM_NCCREATE on it keeps the handle
// in hwnd_ and rides in GWLP_USERDATA, and every message goes to its
// HandleMessage. Messages before WM_NCCREATE get the default handling.
// `Window` names this instantiation a friend.
template <class Window>
LRESULT CALLBACK RoutedWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* created = reinterpret_cast<CREATESTRUCTW*>(lparam);
    auto* self = static_cast<Window*>(created->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);
  return self->HandleMessage(message, wparam, lparam);
}

// Shows the window (restored if minimized) and makes it the foreground
// window; a window that is not open is left alone.
inline void BringWindowToFront(HWND window) {
  if (!window) return;
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
}

}  // namespace tavilo
