#include "tools/FrmShutDown.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "tools/logic/ScheduleEvents.h"
#include "ui/ApplicationTitle.h"
#include "ui/Globals.h"
#include "ui/ProgramMessages.h"
#include "ui/RunningTime.h"
#include "ui/Settings.h"

namespace tavilo {

namespace {

constexpr wchar_t kOnlyNumbersMessage[] = L"فقط بايد عدد وارد کنيد";
constexpr wchar_t kPassedMessage[] = L"زمان انتخاب‌شده گذشته است";
constexpr wchar_t kRunningTimeNow[] = L"زمان روشن بودن رایانه: ";
constexpr wchar_t kUnreachableMessage[] = L"دقیقه و ثانیه باید بین ۰ و ۵۹ باشند";
constexpr wchar_t kAfterHoursMessage[] = L"ساعت باید عددی از ۰ تا ۹۹ باشد";
constexpr wchar_t kAfterMinutesMessage[] = L"دقیقه باید عددی از ۰ تا ۹۹۹ باشد";
constexpr wchar_t kAtLeastAMinuteMessage[] = L"زمان باید دست‌کم یک دقیقه باشد";
constexpr wchar_t kAtHourMessage[] = L"ساعت باید عددی از ۰ تا ۲۳ باشد";
constexpr wchar_t kAtMinuteMessage[] = L"دقیقه باید عددی از ۰ تا ۵۹ باشد";
constexpr wchar_t kTooLargeMessage[] = L"عدد نوشته‌شده بیش از اندازه بزرگ است.";
constexpr wchar_t kCloseCancelsTip[] = L"بستن این پنجره زمان‌بندی را لغو می‌کند.";

using F = FrmShutDown;

}  // namespace

FrmShutDown::FrmShutDown(Platform& platform, std::function<bool()> fullScreenInFront)
    : ToolWindowBase(platform),
      warning_(platform, {[this] { Warning_Cancel(); }, [this] { Postpone(); },
                          [this] { EndSessionNow(); }}),
      fullScreenInFront_(std::move(fullScreenInFront)) {}

FrmShutDown::~FrmShutDown() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void FrmShutDown::SlideWindow(HWND frmSlide, std::int16_t iSpeed) { SlideOut(frmSlide, iSpeed); }

ScheduleAction FrmShutDown::QuickAction() {
  const int last = ProgramSettings().scheduleAction;
  return last < 0 ? ScheduleAction::kShutDown : static_cast<ScheduleAction>(last);
}

// Through the boxes and the confirmation, as if typed; a window that was not
// open stays hidden.
void FrmShutDown::ArmAfterMinutes(int minutes) {
  if (!Load()) return;
  ShowMode(ScheduleMode::kAfter);
  SetText(kTxtAfterHour, L"0");
  SetText(kTxtAfterMin, std::to_wstring(minutes).c_str());
  SelectAction(QuickAction());
  CheckDlgButton(hwnd_, kChkGraceful, ProgramSettings().scheduleGraceful);
  cmdOk_Click();
}

LRESULT FrmShutDown::WindowMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND hwnd = hwnd_;
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_TIMER:
      if (wparam == kTimer1) Timer1_Timer();
      if (wparam == kTimerIdle) TimerIdle_Timer();
      if (wparam == kTimerNightly) TimerNightly_Timer();
      return 0;
    case kProcessEnded:
      Process_Ended(static_cast<std::uint32_t>(wparam));
      return 0;
    case WM_POWERBROADCAST:
      Form_PowerBroadcast(wparam);
      return TRUE;
    case WM_TIMECHANGE:
      Reaim();
      return 0;
    case WM_SHOWWINDOW:
      if (wparam) ShowDay();  // today may have become yesterday
      break;
    case WM_NCMOUSEMOVE:
    case WM_NCMOUSELEAVE:
      closeTip_.OnNonClientMouse(message, wparam);
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

void FrmShutDown::BuildWindow() {
  power_ = platform_.QueryPowerAbilities();
  EnableWindow(GetDlgItem(hwnd_, kOptSleep), power_.sleep || power_.modernStandby);
  EnableWindow(GetDlgItem(hwnd_, kOptHibernate), power_.hibernate);
  ShowChoices();
  ShowWindow(GetDlgItem(hwnd_, kCmdCancel), SW_HIDE);
  AddToolTips();
  closeTip_.Create(hwnd_, kCloseCancelsTip);
  closeTip_.SetFont(font_, dpi_);
  closeTip_.TurnOn(armed_);
}

void FrmShutDown::OnDpiChanged() {
  PlaceToolTips();
  closeTip_.SetFont(font_, dpi_);
}


void FrmShutDown::OnCommand(int control, int notification) {
  if (notification == EN_CHANGE) {
    if (control == kTxtHour) TxtHour_Change();
    if (control == kTxtMin) TxtMin_Change();
    if (control == kTxtSec) TxtSec_Change();
    if ((control >= kTxtAfterMin && control <= kTxtAtHour) || control == kTxtIdleMin ||
        control == kTxtNightlyMin || control == kTxtNightlyHour) {
      EnableWhenComplete();
    }
    if (control == kTxtAtHour || control == kTxtAtMin) ShowDay();
  } else if (control == kLstPrograms && notification == LBN_SELCHANGE) {
    EnableWhenComplete();
  } else if (notification == BN_CLICKED && control == kCmdRefresh) {
    FillProgramList();
  } else if (notification == BN_CLICKED && control == kCmdOk) {
    cmdOk_Click();
  } else if (notification == BN_CLICKED && control == kCmdCancel) {
    cmdCancel_Click();
  } else if (const auto mode = ModeOfOption(control); notification == BN_CLICKED && mode) {
    ShowMode(*mode);
  } else if (notification == BN_CLICKED) {
    EnableWhenComplete();  // an action or graceful closing: an old refusal goes
  }
}

void FrmShutDown::cmdOk_Click() {
  std::optional<std::int64_t> deadline;
  switch (Mode()) {
    case ScheduleMode::kAfter: deadline = AfterDeadline(); break;
    case ScheduleMode::kAt: deadline = AtDeadline(); break;
    case ScheduleMode::kRunningTime: deadline = RunningTimeDeadline(); break;
    // The event modes arm themselves, or say why not.
    case ScheduleMode::kProgram: ArmProgram(); return;
    case ScheduleMode::kIdle: ArmIdle(); return;
    case ScheduleMode::kNightly: ArmNightly(); return;
  }
  if (deadline) Arm(*deadline);
}

std::optional<std::int64_t> FrmShutDown::RunningTimeDeadline() {
  const auto target = ReadScheduleTarget(numbers_, Text(kTxtHour), Text(kTxtMin), Text(kTxtSec));
  if (!target) {
    // A number too large for its field is named so, the boxes kept.
    for (Control box : {kTxtHour, kTxtMin, kTxtSec}) {
      if (IsTooLargeField(numbers_, Text(box))) {
        ShowStatus(kTooLargeMessage);
        return std::nullopt;
      }
    }
    // A number that does not fit the target fields is refused like a word:
    // an armed schedule keeps its old target.
    platform_.ShowMessageBox(hwnd_, kOnlyNumbersMessage, kApplicationTitle, kMbOk | kMbIconError);
    SetText(kTxtSec, L"");
    SetText(kTxtMin, L"");
    SetText(kTxtHour, L"");
    return std::nullopt;
  }
  const std::int64_t now = NowSecond();
  switch (CheckTarget(*target, now)) {
    case TargetCheck::kUnreachable:
      ShowStatus(kUnreachableMessage);
      return std::nullopt;
    case TargetCheck::kPassed:
      // Armed, it would never fire: the boxes stay for a correction.
      ShowStatus(std::wstring(kPassedMessage) + L"\n" + kRunningTimeNow + CountdownText(now));
      return std::nullopt;
    case TargetCheck::kArmable:
      break;
  }
  wallTarget_.reset();
  return TargetSecond(*target);
}

std::optional<std::int64_t> FrmShutDown::AfterDeadline() {
  const auto hours = ReadBoxOrZero(Text(kTxtAfterHour), kMostAfterHours);
  const auto minutes = ReadBoxOrZero(Text(kTxtAfterMin), kMostAfterMinutes);
  const wchar_t* refusal = !hours                         ? kAfterHoursMessage
                           : !minutes                     ? kAfterMinutesMessage
                           : *hours == 0 && *minutes == 0 ? kAtLeastAMinuteMessage
                                                          : nullptr;
  if (refusal) {
    ShowStatus(refusal);
    return std::nullopt;
  }
  wallTarget_.reset();
  return RunningSecondAfter(platform_.TickCount(), *hours * 60 + *minutes);
}

std::optional<std::int64_t> FrmShutDown::AtDeadline() {
  const auto hour = ReadBoxOrZero(Text(kTxtAtHour), 23);
  const auto minute = ReadBoxOrZero(Text(kTxtAtMin), 59);
  if (!hour || !minute) {
    ShowStatus(!hour ? kAtHourMessage : kAtMinuteMessage);
    return std::nullopt;
  }
  const std::int64_t utcNow = platform_.UnixTimeNow();
  const ClockTarget target =
      NextClockTime(*hour, *minute, utcNow, [this](int year) { return ZoneRule(year); });
  wallTarget_ = target.local;
  return RunningSecondAt(platform_.TickCount(), utcNow, target.utc);
}

void FrmShutDown::Arm(std::int64_t deadlineSecond) {
  BeginArmed();
  KeepTarget(TargetOfSecond(deadlineSecond));
  BeginWarning(deadlineSecond);
}

// Arming any mode replaces what was armed, a nightly schedule included.
void FrmShutDown::BeginArmed() {
  RememberChoices();
  warning_.Dismiss();
  StopWaiting();
  if (Mode() != ScheduleMode::kNightly) TurnNightlyOff();
  // A schedule is mostly set for "when the download is done": sleep would
  // defeat it. A nightly one waits a day at a time: kept awake, the
  // computer would never sleep on its own.
  KeepAwake(Mode() != ScheduleMode::kNightly);
  armed_ = true;
  endAsked_ = false;
  ShowWindow(GetDlgItem(hwnd_, kCmdCancel), SW_SHOW);
  closeTip_.TurnOn(true);
  ShowWindow(hwnd_, SW_HIDE);
}

void FrmShutDown::BeginWarning(std::int64_t deadlineSecond) {
  ProgramSchedule().Arm(deadlineSecond);
  SetTimer(hwnd_, kTimer1, kTimer1IntervalMs, nullptr);
  shownSecondsLeft_ = -1;
  Timer1_Timer();  // less than a minute left: the warning comes at once
}

// The mode, the action and graceful closing of the schedule armed, for the
// window's next opening and the menu's quick items.
void FrmShutDown::RememberChoices() {
  const auto keep = [this](Setting setting, int value) {
    if (ProgramSettings().Get(setting) != value) ChangeSetting(platform_, setting, value);
  };
  keep(Setting::kScheduleMode, static_cast<int>(Mode()));
  keep(Setting::kScheduleAction, static_cast<int>(SelectedAction()));
  keep(Setting::kScheduleGraceful, IsSelected(kChkGraceful));
}

void FrmShutDown::Disarm() {
  warning_.Dismiss();
  ProgramSchedule().Cancel();
  wallTarget_.reset();
  StopWaiting();
  nightly_ = false;
  if (!armed_) return;
  armed_ = false;
  KeepAwake(false);
  BroadcastScheduleChanged();
  if (!hwnd_) return;
  KillTimer(hwnd_, kTimer1);
  ShowWindow(GetDlgItem(hwnd_, kCmdCancel), SW_HIDE);
  closeTip_.TurnOn(false);
  EnableWhenComplete();
}

void FrmShutDown::KeepAwake(bool awake) {
  if (awake == keptAwake_) return;
  keptAwake_ = awake;
  platform_.SetExecutionState(awake ? kEsContinuous | kEsSystemRequired : kEsContinuous);
}

void FrmShutDown::cmdCancel_Click() {
  CancelSchedule();
  ShowWindow(hwnd_, SW_HIDE);
}

void FrmShutDown::CancelSchedule() {
  if (nightly_) TurnNightlyOff();
  Disarm();
}

// The new target shows in the running-time boxes; the warning comes again
// before it.
void FrmShutDown::Postpone() {
  warning_.Dismiss();
  ProgramSchedule().Postpone();
  if (wallTarget_) *wallTarget_ += kPostponeSeconds;
  const ScheduleTarget target = TargetOfSecond(ProgramSchedule().Deadline());
  KeepTarget(target);
  if (Mode() != ScheduleMode::kRunningTime) return;
  for (const auto& [box, value] : {std::pair{kTxtHour, target.hours},
                                   std::pair{kTxtMin, target.minutes},
                                   std::pair{kTxtSec, target.seconds}}) {
    SetText(box, std::to_wstring(value).c_str());
  }
}

// A clock-time target is the same wall-clock moment under the clock and the
// zone now in force. The tick count and the clock tick in different phases:
// a second either way is no change.
void FrmShutDown::Reaim() {
  if (nightly_ && ProgramSchedule().IsWaiting()) {
    TimerNightly_Timer();
    return;
  }
  if (!armed_ || !wallTarget_) return;
  const std::int64_t utc = UtcFromLocal(*wallTarget_, ZoneRule(YearOfUnixTime(*wallTarget_)));
  const std::int64_t deadline =
      RunningSecondAt(platform_.TickCount(), platform_.UnixTimeNow(), utc);
  if (std::abs(deadline - ProgramSchedule().Deadline()) <= 1) return;
  if (!ProgramSchedule().Reaim(deadline)) return;
  warning_.Dismiss();
  KeepTarget(TargetOfSecond(deadline));
  shownSecondsLeft_ = -1;
  Timer1_Timer();
}

void FrmShutDown::KeepTarget(const ScheduleTarget& target) {
  ShutSec = target.seconds;
  ShutMin = target.minutes;
  ShutHour = target.hours;
}

// The options are read each time, so changing them while armed changes
// what happens. Ending the session is asked again on each look of the
// target second; sleep, hibernate and lock act once and disarm first, so
// waking up brings no warning of a target slept through.
void FrmShutDown::EndSession() {
  const ScheduleAction action = SelectedAction();
  const bool modernStandby =
      action == ScheduleAction::kSleep && platform_.QueryPowerAbilities().modernStandby;
  const ActionCall call = CallFor(action, IsSelected(kChkGraceful), modernStandby);
  if (!EndsSession(action) && !NightlyGoesOn()) Disarm();
  const std::optional<std::uint32_t> error = CarryOut(platform_, call, hwnd_);
  if (!error) {
    endAsked_ = true;
    return;
  }
  if (EndsSession(action) && endAsked_) return;
  Disarm();
  ShowFailure(action, *error);
}

void FrmShutDown::EndSessionNow() {
  EndSession();
  if (ProgramSchedule().IsWaiting()) return;  // a nightly one already aims at its next day
  if (!NightlyGoesOn()) Disarm();
}

void FrmShutDown::ShowFailure(ScheduleAction action, std::uint32_t error) {
  std::wstring text = TextsOf(action).failure;
  const std::wstring reason = error ? platform_.ErrorText(error) : std::wstring();
  if (!reason.empty()) text += L"\n" + reason;
  platform_.ShowMessageBox(hwnd_, text, kApplicationTitle,
                           kMbOk | kMbIconError | kMbRtlReading | kMbRight);
}

std::wstring FrmShutDown::ActionText() const { return TextsOf(SelectedAction()).warning; }

void FrmShutDown::ShowStatus(const std::wstring& text) {
  if (text == status_) return;
  status_ = text;
  SetDlgItemTextW(hwnd_, kLblStatus, status_.c_str());
}

std::int64_t FrmShutDown::NowSecond() { return RunningSecond(platform_.TickCount()); }

// A system that cannot tell its zone runs on UTC.
TimeZoneRule FrmShutDown::ZoneRule(int year) {
  return platform_.TimeZoneForYear(year).value_or(TimeZoneRule{});
}

void FrmShutDown::TxtHour_Change() { EnableWhenComplete(); }
void FrmShutDown::TxtMin_Change() { EnableWhenComplete(); }
void FrmShutDown::TxtSec_Change() { EnableWhenComplete(); }

void FrmShutDown::Timer1_Timer() {
  WatchInputDuringWarning();
  if (!armed_) return;
  const std::int64_t now = NowSecond();
  // A nightly moment slept through during its warning or after a postpone
  // waits for its next day, as one slept through while waiting does.
  if (nightly_ && !ProgramSchedule().IsWaiting() &&
      now - ProgramSchedule().Deadline() > kNightlyGraceSeconds) {
    NightlyGoesOn();
    return;
  }
  switch (ProgramSchedule().Look(now)) {
    case ArmedSchedule::Step::kEnd:  // on each tick of the target second
      EndSession();
      return;
    case ArmedSchedule::Step::kDisarmed:
      if (!NightlyGoesOn()) Disarm();
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
  ProgramSchedule().SetAction(action, TextsOf(SelectedAction()).option);
  ShowStatus(action + L"\n" + kTimeLeftLabel + CountdownText(left));
  BroadcastScheduleChanged();
}

// Timers stand still during sleep: a target slept through is looked at as
// soon as the system is back, after a clock-time target has followed the
// clock.
void FrmShutDown::Form_PowerBroadcast(WPARAM event) {
  if (event != PBT_APMRESUMEAUTOMATIC || !armed_) return;
  if (nightly_ && ProgramSchedule().IsWaiting()) {
    TimerNightly_Timer();
    return;
  }
  Reaim();
  Timer1_Timer();
}

// The close box cancels, a nightly schedule for good; Exit destroys the
// window without this and keeps it for the next start.
void FrmShutDown::Form_Unload() {
  if (nightly_) TurnNightlyOff();
  SlideWindow(hwnd_, kSlideStepTwips);
}

void FrmShutDown::Form_Destroyed() {
  Disarm();
  status_.clear();
  toolTip_ = nullptr;  // owned by the window, gone with it
}

}  // namespace tavilo
