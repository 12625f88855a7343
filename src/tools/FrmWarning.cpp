#include "tools/FrmWarning.h"

#include <string>

#include "ui/ApplicationTitle.h"
#include "ui/PersianDigits.h"

namespace tavilo {

namespace {

constexpr wchar_t kClassName[] = L"TaviloFrmWarning";

constexpr float kClientWidth = 5310;
constexpr float kClientHeight = 2280;
constexpr DWORD kLabelStyle = SS_CENTER | SS_NOPREFIX;
constexpr DWORD kButtonStyle = BS_PUSHBUTTON | WS_TABSTOP;

// Right to left: cancel first, at the right, and first in tab order. A text
// that opens with a number starts with a right-to-left mark, or a control
// that reads it left to right puts the number first.
constexpr ControlSpec kControls[] = {
    {FrmWarning::kLblAction, L"STATIC", L"", kLabelStyle, WS_EX_RTLREADING, 120, 180, 5070, 360},
    {FrmWarning::kLblCountdown, L"STATIC", L"", kLabelStyle, WS_EX_RTLREADING, 120, 720, 5070,
     360},
    {FrmWarning::kCmdCancel, L"BUTTON", L"لغو", kButtonStyle | WS_GROUP, WS_EX_RTLREADING, 3720,
     1500, 1470, 495},
    {FrmWarning::kCmdLater, L"BUTTON", L"\u200F۱۰ دقیقه بعد", kButtonStyle, WS_EX_RTLREADING, 1920, 1500,
     1470, 495},
    {FrmWarning::kCmdNow, L"BUTTON", L"همین حالا", kButtonStyle, WS_EX_RTLREADING, 120, 1500,
     1470, 495},
};

}  // namespace

const ToolWindowDesign FrmWarning::kDesign{
    kClassName, kApplicationTitle, kToolWindowStyle, kRightToLeftExStyle | WS_EX_TOPMOST,
    Origin::kKeepPosition, 0, 0, kClientWidth, kClientHeight, kControls, kTahomaPoints,
    FrmWarning::kCmdCancel, FrmWarning::kCmdCancel};

FrmWarning::FrmWarning(Platform& platform, Answers answers)
    : ToolWindowBase(platform), answers_(std::move(answers)) {}

// In the middle of the screen's work area, where it cannot be missed.
void FrmWarning::BuildWindow() {
  RECT frame;
  GetWindowRect(hwnd_, &frame);
  const ScreenRect work = platform_.MonitorOf(hwnd_).work;
  SetWindowPos(hwnd_, HWND_TOPMOST, (work.left + work.right - (frame.right - frame.left)) / 2,
               (work.top + work.bottom - (frame.bottom - frame.top)) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE);
  closeTip_.Create(hwnd_, L"بستن این پنجره زمان‌بندی را لغو می‌کند.");
  closeTip_.SetFont(font_, dpi_);
  closeTip_.TurnOn(true);
}

void FrmWarning::Warn(const std::wstring& action, std::int64_t secondsLeft) {
  const bool appears = !hwnd_;
  Open();
  if (!hwnd_) return;
  SetDlgItemTextW(hwnd_, kLblAction, action.c_str());
  ShowSecondsLeft(secondsLeft);
  if (!appears) return;
  platform_.AlertSound(kMbIconExclamation);
  // Windows may keep the foreground for the program the user is in: then
  // the window flashes on the taskbar until it is looked at.
  SetForegroundWindow(hwnd_);
  if (GetForegroundWindow() != hwnd_) {
    FLASHWINFO flash{sizeof flash, hwnd_, FLASHW_ALL | FLASHW_TIMERNOFG, 0, 0};
    FlashWindowEx(&flash);
  }
}

void FrmWarning::ShowSecondsLeft(std::int64_t secondsLeft) {
  if (!hwnd_ || secondsLeft == shownSeconds_) return;
  shownSeconds_ = secondsLeft;
  const std::wstring text =
      L"\u200F" + PersianDigits(std::to_wstring(secondsLeft)) + L" ثانیه دیگر";
  SetDlgItemTextW(hwnd_, kLblCountdown, text.c_str());
}

void FrmWarning::Dismiss() {
  shownSeconds_ = -1;
  if (hwnd_) DestroyWindow(hwnd_);
}

// Esc and the close box cancel the schedule.
void FrmWarning::Form_Unload() { answers_.cancel(); }

LRESULT FrmWarning::WindowMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCMOUSEMOVE || message == WM_NCMOUSELEAVE) {
    closeTip_.OnNonClientMouse(message, wparam);
  }
  if (message == WM_COMMAND && HIWORD(wparam) == BN_CLICKED) {
    switch (LOWORD(wparam)) {
      case kCmdCancel: answers_.cancel(); return 0;
      case kCmdLater: answers_.later(); return 0;
      case kCmdNow: answers_.now(); return 0;
    }
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

}  // namespace tavilo
