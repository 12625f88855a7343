#include "tools/FrmReminder.h"

#include <utility>

#include "ui/ApplicationTitle.h"

namespace tavilo {

namespace {

constexpr wchar_t kClassName[] = L"TaviloFrmReminder";

constexpr float kClientWidth = 5400;
constexpr float kClientHeight = 2280;
constexpr DWORD kLabelStyle = SS_RIGHT | SS_NOPREFIX;
constexpr DWORD kButtonStyle = BS_PUSHBUTTON | WS_TABSTOP;

// The text has room for its line and three of a note.
constexpr ControlSpec kControls[] = {
    {FrmReminder::kLblTitle, L"STATIC", L"", kLabelStyle, kRightToLeftExStyle, 120, 90, 5160, 390},
    {FrmReminder::kLblText, L"STATIC", L"", kLabelStyle | SS_EDITCONTROL, kRightToLeftExStyle,
     120, 510, 5160, 1140},
    {FrmReminder::kCmdClose, L"BUTTON", L"بستن", kButtonStyle | WS_GROUP, WS_EX_RTLREADING, 4320,
     1710, 960, 450},
    {FrmReminder::kCmdOpen, L"BUTTON", L"نمایش در تقویم", kButtonStyle, WS_EX_RTLREADING, 2700,
     1710, 1500, 450},
    {FrmReminder::kCmdSnooze, L"BUTTON", L"\u200F۵ دقیقه دیگر یادآوری کن", kButtonStyle,
     WS_EX_RTLREADING, 120, 1710, 2460, 450},
};

}  // namespace

const ToolWindowDesign FrmReminder::kDesign{
    kClassName, kApplicationTitle, kToolWindowStyle, kRightToLeftExStyle | WS_EX_TOPMOST,
    Origin::kKeepPosition, 0, 0, kClientWidth, kClientHeight, kControls, kTahomaPoints,
    FrmReminder::kCmdClose, FrmReminder::kCmdClose};

FrmReminder::FrmReminder(Platform& platform, Answers answers)
    : ToolWindowBase(platform), answers_(std::move(answers)) {}

void FrmReminder::BuildWindow() {
  RECT frame;
  GetWindowRect(hwnd_, &frame);
  const ScreenRect work = platform_.MonitorOf(hwnd_).work;
  SetWindowPos(hwnd_, HWND_TOPMOST, work.right - (frame.right - frame.left),
               work.bottom - (frame.bottom - frame.top), 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  OnDpiChanged();
}

void FrmReminder::OnDpiChanged() {
  Form_Destroyed();
  titleFont_ = CreateTahoma(dpi_, ARABIC_CHARSET, false, kTahomaPoints * 1.25f);
  SendDlgItemMessageW(hwnd_, kLblTitle, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_), TRUE);
}

void FrmReminder::Form_Destroyed() {
  if (titleFont_) DeleteObject(titleFont_);
  titleFont_ = nullptr;
}

void FrmReminder::Remind(const std::wstring& title, const std::wstring& text, bool canOpen) {
  Open();
  if (!hwnd_) return;
  SetDlgItemTextW(hwnd_, kLblTitle, title.c_str());
  SetDlgItemTextW(hwnd_, kLblText, text.c_str());
  ShowWindow(GetDlgItem(hwnd_, kCmdOpen), canOpen ? SW_SHOWNA : SW_HIDE);
  SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

void FrmReminder::Dismiss() {
  if (hwnd_) DestroyWindow(hwnd_);
}

// Esc and the close box.
void FrmReminder::Form_Unload() {
  Dismiss();
  answers_.closed();
}

LRESULT FrmReminder::WindowMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COMMAND && HIWORD(wparam) == BN_CLICKED) {
    switch (LOWORD(wparam)) {
      case kCmdClose: Form_Unload(); return 0;
      case kCmdOpen:
        Form_Unload();
        answers_.open();
        return 0;
      case kCmdSnooze:
        Form_Unload();
        if (answers_.snooze) answers_.snooze();
        return 0;
    }
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

}  // namespace tavilo
