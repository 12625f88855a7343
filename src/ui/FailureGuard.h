// What becomes of an exception that reaches a window procedure or a message
// loop: it stops there, so the strip, the icon and an armed schedule live on;
// the user is told once a run what failed, and the message gets the default
// handling.
#pragma once

#include <windows.h>

#include <optional>

#include "calendar/Class1.h"

namespace tavilo {

// Where the notice goes: the program's message box, set at start-up. Setting
// it starts a new run, whose first failure is told again.
void SetFailureNotice(MessageFn notice);

// Inside a catch block: tells the user what failed (the first time a run).
void NoticeCaughtFailure() noexcept;

// What `handle` returns, or nothing when it threw (and the failure was told).
template <class Handle>
std::optional<LRESULT> Guarded(Handle&& handle) noexcept {
  try {
    return handle();
  } catch (...) {
    NoticeCaughtFailure();
  }
  return std::nullopt;
}

// A window procedure's answer from `handle`; the default one when it threw.
template <class Handle>
LRESULT GuardedMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                       Handle&& handle) noexcept {
  if (const std::optional<LRESULT> result = Guarded(handle)) return *result;
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace tavilo
