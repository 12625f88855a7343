#include "tools/shared/CloseBoxTip.h"

#include <commctrl.h>

namespace tavilo {

namespace {

TTTOOLINFOW ToolOf(HWND window, wchar_t* text) {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_RTLREADING;
  tool.hwnd = window;
  tool.uId = 0;
  tool.lpszText = text;
  return tool;
}

}  // namespace

void CloseBoxTip::Create(HWND window, const wchar_t* text) {
  window_ = window;
  shown_ = false;
  tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window,
                         nullptr, GetModuleHandleW(nullptr), nullptr);
  TTTOOLINFOW tool = ToolOf(window, const_cast<wchar_t*>(text));
  SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CloseBoxTip::SetFont(HFONT font, unsigned dpi) {
  if (!tip_) return;
  SendMessageW(tip_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, MulDiv(320, static_cast<int>(dpi), 96));
}

void CloseBoxTip::TurnOn(bool on) {
  on_ = on;
  if (!on) Show(false);
}

void CloseBoxTip::OnNonClientMouse(UINT message, WPARAM hitTest) {
  if (message == WM_NCMOUSELEAVE) {
    Show(false);
  } else if (message == WM_NCMOUSEMOVE) {
    Show(on_ && hitTest == HTCLOSE);
  }
}

void CloseBoxTip::Show(bool show) {
  if (!tip_ || !IsWindow(tip_) || show == shown_) return;
  shown_ = show;
  TTTOOLINFOW tool = ToolOf(window_, nullptr);
  if (show) {
    // The leave message comes once the pointer is off the non-client area.
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE | TME_NONCLIENT, window_, 0};
    TrackMouseEvent(&track);
    POINT at;
    GetCursorPos(&at);
    const int below = GetSystemMetrics(SM_CYCURSOR) / 2 + 4;
    SendMessageW(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y + below));
  }
  SendMessageW(tip_, TTM_TRACKACTIVATE, show, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace tavilo
