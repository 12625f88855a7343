#include "tools/FrmShutDown.h"

#include <string>

#include "tools/logic/ShutdownSchedule.h"
#include "tools/shared/SessionEnd.h"
#include "ui/ApplicationTitle.h"
#include "ui/Globals.h"
#include "ui/ProgramMessages.h"
#include "ui/RunningTime.h"

namespace tavilo {

namespace {

constexpr wchar_t kClassName[] = L"TaviloFrmShutDown";
constexpr wchar_t kCaption[] = L"مديريت زمان روشن بودن رايانه";
constexpr wchar_t kOnlyNumbersMessage[] = L"فقط بايد عدد وارد کنيد";
constexpr wchar_t kPassedMessage[] = L"زمان انتخاب‌شده گذشته است";
constexpr wchar_t kRunningTimeNow[] = L"زمان روشن بودن رایانه: ";
constexpr wchar_t kUnreachableMessage[] = L"دقیقه و ثانیه باید بین ۰ و ۵۹ باشند";
constexpr wchar_t kLogOffAction[] = L"خروج از حساب کاربری";
constexpr wchar_t kShutdownAction[] = L"خاموش شدن رایانه";

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
// Each label keeps its right edge and leaves room for its words in Tahoma
// and in the fonts that stand in for it (two lines for the first).
constexpr ControlSpec kLayout[] = {
    {FrmShutDown::kLabel1, L"STATIC",
     L"در زير مشخص کنيد رايانه بعد از چه مدت روشن بودن خاموش يا قفل شود.", kLabelStyle,
     kRightToLeftExStyle, 120, 120, 5055, 480},
    {FrmShutDown::kLabel2, L"STATIC", L"ساعت", kLabelStyle, kRightToLeftExStyle, 720, 720, 735,
     255},
    {FrmShutDown::kLabel3, L"STATIC", L"دقيقه", kLabelStyle, kRightToLeftExStyle, 2280, 720, 615,
     255},
    {FrmShutDown::kLabel4, L"STATIC", L"ثانيه", kLabelStyle, kRightToLeftExStyle, 3480, 720, 735,
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
    // What is armed and the time left, or why a target was refused; the
    // cancel button shows only while a schedule is armed.
    {FrmShutDown::kLblStatus, L"STATIC", L"", kLabelStyle | SS_NOPREFIX, kRightToLeftExStyle, 120,
     1560, 3120, 720},
    {FrmShutDown::kCmdCancel, L"BUTTON", L"لغو", BS_PUSHBUTTON | WS_TABSTOP, kRightToLeftExStyle,
     120, 2400, 1080, 495},
};

}  // namespace

// The window opens where the system places new windows.
const ToolWindowDesign FrmShutDown::kDesign{
    kClassName, kCaption, kToolWindowStyle, kRightToLeftExStyle, Origin::kKeepPosition,
    0,          0,        kClientWidthTwips, kClientHeightTwips, kLayout,
    kTahomaPoints, FrmShutDown::kTxtSec, FrmShutDown::kCmdOk};

FrmShutDown::FrmShutDown(Platform& platform)
    : ToolWindowBase(platform),
      warning_(platform, {[this] { Disarm(); }, [this] { Postpone(); },
                          [this] { EndSessionNow(); }}) {}

FrmShutDown::~FrmShutDown() {
  if (hwnd_) DestroyWindow(hwnd_);
}

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
    case WM_POWERBROADCAST:
      Form_PowerBroadcast(wparam);
      return TRUE;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

void FrmShutDown::BuildWindow() {
  for (Control box : {kTxtSec, kTxtMin, kTxtHour}) {
    SendDlgItemMessageW(hwnd_, box, EM_SETLIMITTEXT, 0, 0);  // no length limit
  }
  CheckRadioButton(hwnd_, kOptShut, kOptLog, kOptLog);
  ShowWindow(GetDlgItem(hwnd_, kCmdCancel), SW_HIDE);
}

void FrmShutDown::OnCommand(int control, int notification) {
  if (notification == EN_CHANGE) {
    if (control == kTxtHour) TxtHour_Change();
    if (control == kTxtMin) TxtMin_Change();
    if (control == kTxtSec) TxtSec_Change();
  } else if (notification == BN_CLICKED && control == kCmdOk) {
    cmdOk_Click();
  } else if (notification == BN_CLICKED && control == kCmdCancel) {
    cmdCancel_Click();
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
  const std::int64_t now = NowSecond();
  switch (CheckTarget(*target, now)) {
    case TargetCheck::kUnreachable:
      ShowStatus(kUnreachableMessage);
      return;
    case TargetCheck::kPassed:
      // Armed, it would never fire: the boxes stay for a correction.
      ShowStatus(std::wstring(kPassedMessage) + L"\n" + kRunningTimeNow + CountdownText(now));
      return;
    case TargetCheck::kArmable:
      break;
  }
  Arm(*target);
}

void FrmShutDown::Arm(const ScheduleTarget& target) {
  KeepTarget(target);
  warning_.Dismiss();
  ProgramSchedule().Arm(TargetSecond(target));
  // A schedule is mostly set for "when the download is done": sleep would
  // defeat it.
  if (!armed_) platform_.SetExecutionState(kEsContinuous | kEsSystemRequired);
  armed_ = true;
  SetTimer(hwnd_, kTimer1, kTimer1IntervalMs, nullptr);
  ShowWindow(GetDlgItem(hwnd_, kCmdCancel), SW_SHOW);
  ShowWindow(hwnd_, SW_HIDE);
  shownSecondsLeft_ = -1;
  Timer1_Timer();  // less than a minute left: the warning comes at once
}

void FrmShutDown::Disarm() {
  warning_.Dismiss();
  ProgramSchedule().Cancel();
  if (!armed_) return;
  armed_ = false;
  platform_.SetExecutionState(kEsContinuous);
  BroadcastScheduleChanged();
  if (!hwnd_) return;
  KillTimer(hwnd_, kTimer1);
  ShowWindow(GetDlgItem(hwnd_, kCmdCancel), SW_HIDE);
  ShowStatus(L"");
}

void FrmShutDown::cmdCancel_Click() {
  Disarm();
  ShowWindow(hwnd_, SW_HIDE);
}

// The new target shows in the boxes; the warning comes again before it.
void FrmShutDown::Postpone() {
  warning_.Dismiss();
  ProgramSchedule().Postpone();
  const ScheduleTarget target = TargetOfSecond(ProgramSchedule().Deadline());
  KeepTarget(target);
  for (const auto& [box, value] : {std::pair{kTxtHour, target.hours},
                                   std::pair{kTxtMin, target.minutes},
                                   std::pair{kTxtSec, target.seconds}}) {
    SetText(box, std::to_wstring(value).c_str());
  }
}

void FrmShutDown::KeepTarget(const ScheduleTarget& target) {
  ShutSec = target.seconds;
  ShutMin = target.minutes;
  ShutHour = target.hours;
}

// The options are read each time, so changing them while armed changes
// what happens.
void FrmShutDown::EndSession() {
  if (IsSelected(kOptShut)) ShutdownSystem(platform_, true);
  if (IsSelected(kOptLog)) platform_.ExitWindowsEx(kForcedLogOffFlags, kForcedLogOffReason);
}

void FrmShutDown::EndSessionNow() {
  EndSession();
  Disarm();
}

std::wstring FrmShutDown::ActionText() const {
  return IsSelected(kOptShut) ? kShutdownAction : kLogOffAction;
}

void FrmShutDown::ShowStatus(const std::wstring& text) {
  if (text == status_) return;
  status_ = text;
  SetDlgItemTextW(hwnd_, kLblStatus, status_.c_str());
}

std::int64_t FrmShutDown::NowSecond() { return RunningSecond(platform_.TickCount()); }

void FrmShutDown::TxtHour_Change() { EnableWhenComplete(); }
void FrmShutDown::TxtMin_Change() { EnableWhenComplete(); }
void FrmShutDown::TxtSec_Change() { EnableWhenComplete(); }

void FrmShutDown::EnableWhenComplete() {
  const bool complete = !Text(kTxtHour).empty() && !Text(kTxtMin).empty() && !Text(kTxtSec).empty();
  EnableWindow(GetDlgItem(hwnd_, kCmdOk), complete);
}

void FrmShutDown::Timer1_Timer() {
  const std::int64_t now = NowSecond();
  switch (ProgramSchedule().Look(now)) {
    case ArmedSchedule::Step::kEnd:  // on each tick of the target second
      EndSession();
      return;
    case ArmedSchedule::Step::kDisarmed:
      Disarm();
      return;
    case ArmedSchedule::Step::kWarn:
      warning_.Warn(ActionText(), ProgramSchedule().SecondsLeft(now));
      break;
    case ArmedSchedule::Step::kNothing:
      break;
  }
  if (!armed_) return;
  const std::int64_t left = ProgramSchedule().SecondsLeft(now);
  if (left == shownSecondsLeft_) return;
  shownSecondsLeft_ = left;
  warning_.ShowSecondsLeft(left);
  const std::wstring action = ActionText();
  ProgramSchedule().SetAction(action);
  ShowStatus(action + L"\n" + kTimeLeftLabel + CountdownText(left));
  BroadcastScheduleChanged();
}

// Timers stand still during sleep: a target slept through is looked at as
// soon as the system is back.
void FrmShutDown::Form_PowerBroadcast(WPARAM event) {
  if (event == PBT_APMRESUMEAUTOMATIC && armed_) Timer1_Timer();
}

void FrmShutDown::Form_Unload() { SlideWindow(hwnd_, kSlideStepTwips); }

void FrmShutDown::Form_Destroyed() {
  Disarm();
  status_.clear();
}

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
