#include "tools/FrmReminder.h"

#include <utility>

#include "ui/ApplicationTitle.h"

namespace tavilo {

namespace {

constexpr wchar_t kClassName[] = L"TaviloFrmReminder";

constexpr float kClientWidth = 4800;
constexpr float kClientHeight = 1920;
constexpr DWORD kLabelStyle = SS_RIGHT | SS_NOPREFIX;
constexpr DWORD kButtonStyle = BS_PUSHBUTTON | WS_TABSTOP;

constexpr ControlSpec kControls[] = {
    {FrmReminder::kLblTitle, L"STATIC", L"", kLabelStyle, kRightToLeftExStyle, 120, 90, 4560, 390},
    {FrmReminder::kLblText, L"STATIC", L"", kLabelStyle, kRightToLeftExStyle, 120, 510, 4560, 720},
    {FrmReminder::kCmdClose, L"BUTTON", L"بستن", kButtonStyle | WS_GROUP, WS_EX_RTLREADING, 3330,
     1320, 1350, 450},
    {FrmReminder::kCmdOpen, L"BUTTON", L"نمایش در تقویم", kButtonStyle, WS_EX_RTLREADING, 1620,
     1320, 1590, 450},
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
    }
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

}  // namespace tavilo
