// Helpers for driving this process's real windows in the tool-window tests.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tavilo::tools_i {

// Runs the message loop until `done` holds or `timeout` has passed.
inline bool PumpUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

inline std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

inline std::wstring ItemText(HWND window, int id) { return WindowText(GetDlgItem(window, id)); }

// A child's rectangle in its parent's client coordinates.
inline RECT ChildRect(HWND window, int id) {
  RECT rect;
  GetWindowRect(GetDlgItem(window, id), &rect);
  MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// Screen position of the client area's top-left corner, and its size.
inline RECT ClientOnScreen(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

// Control identifiers of a window's children with WS_TABSTOP in z-order,
// the order Tab follows.
inline std::vector<int> TabStops(HWND window) {
  std::vector<int> ids;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) ids.push_back(GetDlgCtrlID(child));
  }
  return ids;
}

inline LOGFONTW FontOf(HWND control) {
  auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  LOGFONTW description{};
  if (font) GetObjectW(font, sizeof description, &description);
  return description;
}

inline LONG_PTR StyleOf(HWND window, int id) {
  return GetWindowLongPtrW(GetDlgItem(window, id), GWL_STYLE);
}
inline LONG_PTR ExStyleOf(HWND window, int id) {
  return GetWindowLongPtrW(GetDlgItem(window, id), GWL_EXSTYLE);
}

// Every position a window moves to until it is destroyed: what the user saw
// of its way off the screen.
class WindowTrail {
 public:
  explicit WindowTrail(HWND window) : window_(window) {
    active_ = this;
    hook_ = SetWindowsHookExW(WH_CALLWNDPROCRET, &WindowTrail::Hook, nullptr, GetCurrentThreadId());
  }
  ~WindowTrail() {
    UnhookWindowsHookEx(hook_);
    active_ = nullptr;
  }
  WindowTrail(const WindowTrail&) = delete;
  WindowTrail& operator=(const WindowTrail&) = delete;

  const std::vector<RECT>& Frames() const { return frames_; }
  bool Destroyed() const { return destroyed_; }
  // The frame the window had when it was destroyed.
  RECT LastFrame() const { return lastFrame_; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wparam, LPARAM lparam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lparam);
    if (code == HC_ACTION && active_ && call->hwnd == active_->window_) {
      if (call->message == WM_WINDOWPOSCHANGED &&
          !(reinterpret_cast<const WINDOWPOS*>(call->lParam)->flags & SWP_NOMOVE)) {
        RECT frame;
        GetWindowRect(call->hwnd, &frame);
        active_->frames_.push_back(frame);
      }
      // The window still exists while its WM_DESTROY is handled.
      if (call->message == WM_DESTROY) {
        active_->destroyed_ = true;
        GetWindowRect(call->hwnd, &active_->lastFrame_);
      }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }

  static inline WindowTrail* active_ = nullptr;
  HWND window_;
  HHOOK hook_ = nullptr;
  std::vector<RECT> frames_;
  bool destroyed_ = false;
  RECT lastFrame_{};
};

// Runs `action` when the message loop comes to it: as one of the events a
// slide-out processes between its steps, for example.
inline void PostAction(std::function<void()> action) {
  static const HWND runner = [] {
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    description.hInstance = GetModuleHandleW(nullptr);
    description.lpszClassName = L"TaviloTestActions";
    description.lpfnWndProc = [](HWND window, UINT message, WPARAM wparam,
                                 LPARAM lparam) -> LRESULT {
      if (message != WM_APP) return DefWindowProcW(window, message, wparam, lparam);
      std::unique_ptr<std::function<void()>> run(reinterpret_cast<std::function<void()>*>(lparam));
      (*run)();
      return 0;
    };
    RegisterClassExW(&description);
    return CreateWindowExW(0, description.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                           nullptr, description.hInstance, nullptr);
  }();
  PostMessageW(runner, WM_APP, 0,
               reinterpret_cast<LPARAM>(new std::function<void()>(std::move(action))));
}

}  // namespace tavilo::tools_i
