#include "tools/FrmShutDown.h"

#include <string>

#include "tools/logic/ShutdownSchedule.h"
#include "tools/shared/SessionEnd.h"
#include "ui/ApplicationTitle.h"
#include "ui/Globals.h"
#include "ui/RunningTime.h"

namespace tavilo {

namespace {

constexpr wchar_t kClassName[] = L"TaviloFrmShutDown";
constexpr wchar_t kCaption[] = L"مديريت زمان روشن بودن رايانه";
constexpr wchar_t kOnlyNumbersMessage[] = L"فقط بايد عدد وارد کنيد";

constexpr float kClientWidthTwips = 5310;
constexpr float kClientHeightTwips = 3345;

// Every control reads right to left and is right-aligned.
constexpr DWORD kLabelStyle = SS_RIGHT;
constexpr DWORD kBoxStyle = ES_RIGHT | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kBoxExStyle = kRightToLeftExStyle | WS_EX_CLIENTEDGE;
// The round button is drawn on the right of its caption.
constexpr DWORD kOptionStyle = BS_AUTORADIOBUTTON | BS_LEFTTEXT | BS_RIGHT;

// In tab order (creation order is tab order): the labels take no focus, then
// seconds, minutes, hours, the two options as one group, and the button.
constexpr ControlSpec kLayout[] = {
    {FrmShutDown::kLabel1, L"STATIC",
     L"در زير مشخص کنيد رايانه بعد از چه مدت روشن بودن خاموش يا قفل شود.", kLabelStyle,
     kRightToLeftExStyle, 120, 120, 5055, 375},
    {FrmShutDown::kLabel2, L"STATIC", L"ساعت", kLabelStyle, kRightToLeftExStyle, 960, 720, 495,
     255},
    {FrmShutDown::kLabel3, L"STATIC", L"دقيقه", kLabelStyle, kRightToLeftExStyle, 2280, 720, 615,
     255},
    {FrmShutDown::kLabel4, L"STATIC", L"ثانيه", kLabelStyle, kRightToLeftExStyle, 3840, 720, 375,
     255},
    {FrmShutDown::kTxtSec, L"EDIT", L"", kBoxStyle, kBoxExStyle, 3600, 1080, 855, 375},
    {FrmShutDown::kTxtMin, L"EDIT", L"", kBoxStyle, kBoxExStyle, 2160, 1080, 975, 375},
    {FrmShutDown::kTxtHour, L"EDIT", L"", kBoxStyle, kBoxExStyle, 840, 1080, 855, 375},
    {FrmShutDown::kOptShut, L"BUTTON", L"خاموش", kOptionStyle | WS_GROUP | WS_TABSTOP,
     kRightToLeftExStyle, 3360, 1560, 1215, 495},
    {FrmShutDown::kOptLog, L"BUTTON", L"قفل", kOptionStyle, kRightToLeftExStyle, 3840, 2280, 735,
     495},
    {FrmShutDown::kCmdOk, L"BUTTON", L"تاييد", BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP | WS_DISABLED,
     kRightToLeftExStyle, 1320, 2400, 1215, 495},
};

}  // namespace

// The window opens where the system places new windows.
const ToolWindowDesign FrmShutDown::kDesign{
    kClassName, kCaption, kToolWindowStyle, kRightToLeftExStyle, Origin::kKeepPosition,
    0,          0,        kClientWidthTwips, kClientHeightTwips, kLayout,
    kTahomaPoints, FrmShutDown::kTxtSec, FrmShutDown::kCmdOk};

FrmShutDown::FrmShutDown(Platform& platform) : ToolWindowBase(platform) {}

void FrmShutDown::SlideWindow(HWND frmSlide, std::int16_t iSpeed) { SlideOut(frmSlide, iSpeed); }

LRESULT FrmShutDown::WindowMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND hwnd = hwnd_;
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_TIMER:
      if (wparam == kTimer1) Timer1_Timer();
      return 0;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

void FrmShutDown::BuildWindow() {
  for (Control box : {kTxtSec, kTxtMin, kTxtHour}) {
    SendDlgItemMessageW(hwnd_, box, EM_SETLIMITTEXT, 0, 0);  // no length limit
  }
  CheckRadioButton(hwnd_, kOptShut, kOptLog, kOptLog);
}

void FrmShutDown::OnCommand(int control, int notification) {
  if (notification == EN_CHANGE) {
    if (control == kTxtHour) TxtHour_Change();
    if (control == kTxtMin) TxtMin_Change();
    if (control == kTxtSec) TxtSec_Change();
  } else if (notification == BN_CLICKED && control == kCmdOk) {
    cmdOk_Click();
  }
}

void FrmShutDown::cmdOk_Click() {
  const auto target = ReadScheduleTarget(numbers_, Text(kTxtHour), Text(kTxtMin), Text(kTxtSec));
  if (!target) {
    // A number that does not fit the target fields is refused like a word:
    // an armed schedule keeps its old target.
    platform_.ShowMessageBox(hwnd_, kOnlyNumbersMessage, kApplicationTitle, kMbOk | kMbIconError);
    SetText(kTxtSec, L"");
    SetText(kTxtMin, L"");
    SetText(kTxtHour, L"");
    return;
  }
  ShutSec = target->seconds;
  ShutMin = target->minutes;
  ShutHour = target->hours;
  SetTimer(hwnd_, kTimer1, kTimer1IntervalMs, nullptr);
  armed_ = true;
  ShowWindow(hwnd_, SW_HIDE);
}

void FrmShutDown::TxtHour_Change() { EnableWhenComplete(); }
void FrmShutDown::TxtMin_Change() { EnableWhenComplete(); }
void FrmShutDown::TxtSec_Change() { EnableWhenComplete(); }

void FrmShutDown::EnableWhenComplete() {
  const bool complete = !Text(kTxtHour).empty() && !Text(kTxtMin).empty() && !Text(kTxtSec).empty();
  EnableWindow(GetDlgItem(hwnd_, kCmdOk), complete);
}

void FrmShutDown::Timer1_Timer() {
  // The options are read on every tick, so changing them while armed
  // changes what happens; the call repeats on each tick of the target second.
  const RunningTime now = RunningTimeNow(platform_);
  const bool due = TargetReached({ShutHour, ShutMin, ShutSec}, now.hours, now.minutes, now.seconds);
  if (due && IsSelected(kOptShut)) ShutdownSystem(platform_, true);
  if (due && IsSelected(kOptLog)) platform_.ExitWindowsEx(kForcedLogOffFlags, kForcedLogOffReason);
}

void FrmShutDown::Form_Unload() { SlideWindow(hwnd_, kSlideStepTwips); }

void FrmShutDown::Form_Destroyed() { armed_ = false; }

std::wstring FrmShutDown::Text(Control control) const {
  HWND box = GetDlgItem(hwnd_, control);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
  return text;
}

void FrmShutDown::SetText(Control control, const wchar_t* text) {
  SetDlgItemTextW(hwnd_, control, text);
}

bool FrmShutDown::IsSelected(Control option) const {
  return IsDlgButtonChecked(hwnd_, option) == BST_CHECKED;
}

}  // namespace tavilo
