// The window procedure every window of the program shares: it hands each
// message to the C++ object that owns the window.
#pragma once

#include <windows.h>

#include "ui/FailureGuard.h"

namespace tavilo {

// The window procedure of `Window`'s class. The object arrives through
// CreateWindowExW's lpCreateParams; from WM_NCCREATE on it keeps the handle
// in hwnd_ and rides in GWLP_USERDATA, and every message goes to its
// HandleMessage. Messages before WM_NCCREATE get the default handling. After
// the window's last message (WM_NCDESTROY, which HandleMessage sees to let go
// of what it holds) the object forgets the window. No exception leaves it
// (FailureGuard.h). `Window` names this instantiation a friend.
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
  const auto handle = [&] { return self->HandleMessage(message, wparam, lparam); };
  if (message != WM_NCDESTROY) return GuardedMessage(hwnd, message, wparam, lparam, handle);
  Guarded(handle);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  self->hwnd_ = nullptr;
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

// Registers a window class of the program: its icon (resource `iconId`), the
// arrow cursor and `background` (none: the window paints it). True when the
// class is registered, also when it already was.
inline bool RegisterWindowClass(HINSTANCE instance, const wchar_t* className, WNDPROC procedure,
                                int iconId, HBRUSH background) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(iconId));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = className;
  return RegisterClassExW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace tavilo
