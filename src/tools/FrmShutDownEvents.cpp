// The scheduler's modes that wait for an event: a program closing (a wait
// on its process), the computer left idle (one timer aimed at the first
// moment the idle time can reach the threshold), and a clock time on chosen
// week days (kept in the settings, re-armed at start). Each waits with no
// deadline, then warns and acts a minute later as the other modes do.
#include <algorithm>
#include <string>

#include "platform/DataFolder.h"
#include "tools/FrmShutDown.h"
#include "tools/logic/ScheduleEvents.h"
#include "ui/PersianDigits.h"
#include "ui/ProgramMessages.h"
#include "ui/Settings.h"
#include "ui/StartWithWindows.h"

namespace tavilo {

namespace {

constexpr wchar_t kProgramGone[] = L"این برنامه دیگر باز نیست؛ فهرست را تازه کنید.";
constexpr wchar_t kProgramClosed[] =
    L"Tavilo نمی‌تواند منتظر بسته شدن این برنامه بماند (برنامه‌ای از کاربری دیگر، یا با "
    L"دسترسی مدیر).";
constexpr wchar_t kIdleMinutesMessage[] = L"دقیقه‌های بیکاری باید عددی از ۱ تا ۹۹۹ باشد";
constexpr wchar_t kHourMessage[] = L"ساعت باید عددی از ۰ تا ۲۳ باشد";
constexpr wchar_t kMinuteMessage[] = L"دقیقه باید عددی از ۰ تا ۵۹ باشد";
// The longest a window timer waits (USER_TIMER_MAXIMUM), and the least.
constexpr std::int64_t kLongestTimerMs = 0x7FFFFFFF;
constexpr std::int64_t kShortestTimerMs = 10;

UINT TimerMs(std::int64_t milliseconds) {
  return static_cast<UINT>(std::clamp(milliseconds, kShortestTimerMs, kLongestTimerMs));
}

}  // namespace

// The list keeps the chosen program when it is still running.
void FrmShutDown::FillProgramList() {
  HWND list = GetDlgItem(hwnd_, kLstPrograms);
  const LRESULT chosen = SendMessageW(list, LB_GETCURSEL, 0, 0);
  const std::uint32_t kept =
      chosen == LB_ERR ? 0 : programs_[static_cast<std::size_t>(chosen)].processId;
  programs_ = platform_.RunningPrograms();
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const RunningProgram& program : programs_) {
    const std::wstring item = program.file.empty() ? program.title
                                                   : program.title + L" — " + program.file;
    const LRESULT index = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (program.processId == kept) SendMessageW(list, LB_SETCURSEL, index, 0);
  }
  EnableWhenComplete();
}

bool FrmShutDown::ArmProgram() {
  const LRESULT chosen = SendDlgItemMessageW(hwnd_, kLstPrograms, LB_GETCURSEL, 0, 0);
  if (chosen == LB_ERR) return false;
  const RunningProgram program = programs_[static_cast<std::size_t>(chosen)];
  const ProcessWatch watch = platform_.WatchProcessEnd(program.processId, hwnd_, kProcessEnded);
  if (watch.error) {
    const std::wstring reason = platform_.ErrorText(watch.error);
    ShowStatus(watch.error == kErrorInvalidParameter ? kProgramGone
                                                     : kProgramClosed + (L"\n" + reason));
    return false;
  }
  BeginArmed();
  wallTarget_.reset();  // a clock-time target it replaces no longer counts
  processWatch_ = watch.id;
  watchedProcess_ = program.processId;
  BeginWaiting(L"تا بسته شدن " + (program.file.empty() ? program.title : program.file));
  return true;
}

// A message of a wait already stopped is ignored.
void FrmShutDown::Process_Ended(std::uint32_t processId) {
  if (!processWatch_ || processId != watchedProcess_) return;
  platform_.StopWatchingProcess(processWatch_);
  processWatch_ = 0;
  BeginWarning(NowSecond() + kWarningSeconds);
}

bool FrmShutDown::ArmIdle() {
  const auto minutes = ReadWholeNumber(Text(kTxtIdleMin), kMostIdleMinutes);
  if (!minutes || *minutes < 1) {
    ShowStatus(kIdleMinutesMessage);
    return false;
  }
  BeginArmed();
  wallTarget_.reset();
  idleThresholdMs_ = static_cast<std::uint32_t>(*minutes) * 60000;
  BeginWaiting(L"پس از " + PersianDigits(std::to_wstring(*minutes)) + L" دقیقه بیکاری");
  AimIdle();
  return true;
}

// Idleness counts from the last input, or from the last look that found a
// full-screen program in front, whichever came later.
void FrmShutDown::AimIdle() {
  const auto now = static_cast<std::uint32_t>(platform_.TickCount());
  std::uint32_t since = platform_.LastInputTick();
  if (idleFloor_ && static_cast<std::int32_t>(*idleFloor_ - since) > 0) since = *idleFloor_;
  SetTimer(hwnd_, kTimerIdle, TimerMs(IdleWaitMs(now, since, idleThresholdMs_)), nullptr);
}

void FrmShutDown::TimerIdle_Timer() {
  KillTimer(hwnd_, kTimerIdle);
  if (!idleThresholdMs_ || !ProgramSchedule().IsWaiting()) return;
  const auto now = static_cast<std::uint32_t>(platform_.TickCount());
  if (fullScreenInFront_ && fullScreenInFront_()) {
    idleFloor_ = now;  // a film is no absence
    AimIdle();
    return;
  }
  std::uint32_t since = platform_.LastInputTick();
  if (idleFloor_ && static_cast<std::int32_t>(*idleFloor_ - since) > 0) since = *idleFloor_;
  if (IdleWaitMs(now, since, idleThresholdMs_) > 0) {
    AimIdle();
    return;
  }
  inputAtWarning_ = platform_.LastInputTick();
  BeginWarning(NowSecond() + kWarningSeconds);
}

// Input while an idle schedule warns cancels the warning and the count
// starts again; the pointer on the warning itself (going for its buttons)
// does not count.
void FrmShutDown::WatchInputDuringWarning() {
  if (!idleThresholdMs_ || ProgramSchedule().phase() != ArmedSchedule::Phase::kWarning) return;
  const std::uint32_t input = platform_.LastInputTick();
  if (input == inputAtWarning_) return;
  inputAtWarning_ = input;
  POINT pointer{};
  GetCursorPos(&pointer);
  HWND under = WindowFromPoint(pointer);
  if (warning_.Handle() && under && GetAncestor(under, GA_ROOT) == warning_.Handle()) return;
  warning_.Dismiss();
  KillTimer(hwnd_, kTimer1);
  idleFloor_.reset();
  BeginWaiting(std::wstring(ProgramSchedule().WaitingFor()));
  AimIdle();
}

bool FrmShutDown::ArmNightly() {
  const auto hour = ReadBoxOrZero(Text(kTxtNightlyHour), 23);
  const auto minute = ReadBoxOrZero(Text(kTxtNightlyMin), 59);
  if (!hour || !minute) {
    ShowStatus(!hour ? kHourMessage : kMinuteMessage);
    return false;
  }
  BeginArmed();
  const auto keep = [this](Setting setting, int value) {
    if (ProgramSettings().Get(setting) != value) ChangeSetting(platform_, setting, value);
  };
  keep(Setting::kScheduleNightlyMinute, *hour * 60 + *minute);
  keep(Setting::kScheduleNightlyDays, ChosenDays());
  keep(Setting::kScheduleNightlyArmed, 1);
  nightly_ = true;
  AimNightly(platform_.UnixTimeNow());
  return true;
}

// One timer, at the warning before the next chosen moment after `afterUtc`.
void FrmShutDown::AimNightly(std::int64_t afterUtc) {
  const Settings& settings = ProgramSettings();
  const ClockTarget target =
      NextNightly(settings.scheduleNightlyMinute, settings.scheduleNightlyDays, afterUtc,
                  [this](int year) { return ZoneRule(year); });
  nightlyUtc_ = target.utc;
  wallTarget_ = target.local;
  warning_.Dismiss();
  KillTimer(hwnd_, kTimer1);
  BeginWaiting(NightlyText(settings.scheduleNightlyMinute, target.local));
  const std::int64_t untilWarning = target.utc - kWarningSeconds - platform_.UnixTimeNow();
  SetTimer(hwnd_, kTimerNightly, TimerMs(untilWarning * 1000), nullptr);
}

// Timers drift and stand still in sleep: the clock decides. A moment found
// more than a minute late waits for the next day.
void FrmShutDown::TimerNightly_Timer() {
  KillTimer(hwnd_, kTimerNightly);
  if (!nightly_) return;
  const std::int64_t now = platform_.UnixTimeNow();
  if (now - nightlyUtc_ > kNightlyGraceSeconds || nightlyUtc_ - now > kWarningSeconds + 1) {
    AimNightly(now);
    return;
  }
  BeginWarning(RunningSecondAt(platform_.TickCount(), now, nightlyUtc_));
}

void FrmShutDown::TurnNightlyOff() {
  nightly_ = false;
  if (ProgramSettings().scheduleNightlyArmed) {
    ChangeSetting(platform_, Setting::kScheduleNightlyArmed, 0);
  }
}

void FrmShutDown::ResumeNightly() {
  if (!ProgramSettings().scheduleNightlyArmed || !Load()) return;
  ShowMode(ScheduleMode::kNightly);
  if (!ArmNightly()) TurnNightlyOff();
}

void FrmShutDown::Warning_Cancel() {
  if (!NightlyGoesOn()) Disarm();
}

bool FrmShutDown::NightlyGoesOn() {
  if (!nightly_) return false;
  AimNightly(std::max(platform_.UnixTimeNow(), nightlyUtc_));
  return true;
}

int FrmShutDown::ChosenDays() const {
  int days = 0;
  for (int day = 0; day < 7; ++day) {
    if (IsSelected(static_cast<Control>(kChkDay0 + day))) days |= 1 << day;
  }
  return days;
}

void FrmShutDown::ShowEventMode(ScheduleMode mode) {
  if (mode == ScheduleMode::kProgram) FillProgramList();
  const bool hint =
      mode == ScheduleMode::kNightly && !IsPortableMode() && !StartsWithWindows(platform_);
  ShowWindow(GetDlgItem(hwnd_, kLblStartHint), hint ? SW_SHOWNA : SW_HIDE);
}

void FrmShutDown::BeginWaiting(const std::wstring& waitingFor) {
  ProgramSchedule().Wait(waitingFor);
  ProgramSchedule().SetAction(ActionText(), TextsOf(SelectedAction()).option);
  KillTimer(hwnd_, kTimer1);
  EnableWhenComplete();
  BroadcastScheduleChanged();
}

void FrmShutDown::StopWaiting() {
  KillTimer(hwnd_, kTimerIdle);
  KillTimer(hwnd_, kTimerNightly);
  if (processWatch_) platform_.StopWatchingProcess(processWatch_);
  processWatch_ = 0;
  idleThresholdMs_ = 0;
  idleFloor_.reset();
}

}  // namespace tavilo
