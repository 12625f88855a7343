// The shutdown scheduler: the user says when, after hours and minutes from
// now, at a clock time, or when the running time (hours since the system
// started, minutes, seconds) reaches a target, and what the computer is to
// do then: sign out, shut down, restart, sleep, hibernate or lock. Confirming
// hides the window and arms its timer, which acts during the target second.
// A target already passed, or one that cannot come, is refused. A minute
// before the end a warning offers cancel, ten minutes later, and now; while
// armed (a nightly schedule aside) the system is asked not to sleep, and a
// target slept through brings the warning at resume. The window stays loaded while hidden and shows what
// is armed and the time left; its cancel button and its close box (with the
// slide-out) cancel, and Esc only hides it again. An action the system
// refuses is told in a message box with its reason, and disarms.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>
#include <optional>

#include "platform/Platform.h"
#include "tools/FrmShutDownNumericText.h"
#include "tools/FrmWarning.h"
#include "tools/logic/ScheduleTime.h"
#include "tools/logic/ShutdownSchedule.h"
#include "tools/shared/CloseBoxTip.h"
#include "tools/shared/SessionEnd.h"
#include "tools/shared/ToolWindowBase.h"

namespace tavilo {

class FrmShutDown final : public ToolWindowBase<FrmShutDown> {
 public:
  // Control identifiers, also used by tests to find the controls.
  enum Control : int {
    kLabel1 = 101,
    kLabel2,
    kLabel3,
    kLabel4,
    kTxtSec,
    kTxtMin,
    kTxtHour,
    kOptShut,
    kOptLog,
    kCmdOk,
    kLblStatus,
    kCmdCancel,
    // The modes, in ScheduleMode order, and the boxes of "after" and "at".
    kOptAfter,
    kOptAt,
    kOptRunningTime,
    kLblAfterHour,
    kLblAfterMin,
    kTxtAfterMin,
    kTxtAfterHour,
    kLblAtHour,
    kLblAtMin,
    kLblAtDay,
    kTxtAtMin,
    kTxtAtHour,
    // The actions beyond the first two, and graceful closing.
    kOptRestart,
    kOptSleep,
    kOptHibernate,
    kOptLock,
    kChkGraceful,
    // The modes that wait for an event, and their controls.
    kOptProgram,
    kOptIdle,
    kOptNightly,
    kLstPrograms,
    kCmdRefresh,
    kLblIdleMin,
    kTxtIdleMin,
    kLblNightlyHour,
    kLblNightlyMin,
    kTxtNightlyMin,
    kTxtNightlyHour,
    kChkDay0,  // Saturday; the week follows
    kLblStartHint = kChkDay0 + 7,
  };
  // kTimer1 looks at the deadline; the idle timer at the first moment the
  // idle time can reach the threshold; the nightly one at the next warning.
  enum Timer : UINT_PTR { kTimer1 = 1, kTimerIdle, kTimerNightly };
  // Posted by the wait on a program's process when it ends.
  static constexpr UINT kProcessEnded = WM_APP + 1;
  static constexpr UINT kTimer1IntervalMs = kScheduleCheckIntervalMs;
  static const ToolWindowDesign kDesign;

  // `fullScreenInFront` says whether a full-screen program is in front,
  // while which idleness does not count.
  explicit FrmShutDown(Platform& platform, std::function<bool()> fullScreenInFront = {});
  CloseBoxTip& CloseTip() { return closeTip_; }
  // Gone before the warning it owns: closing disarms, and the warning with it.
  ~FrmShutDown() override;

  // Slides `frmSlide` off the screen and unloads it (see SlideOut.h).
  void SlideWindow(HWND frmSlide, std::int16_t iSpeed);

  // The menu's quick items: the last action used (shut down before any)
  // `minutes` from now, the window staying hidden; and cancel.
  static ScheduleAction QuickAction();
  void ArmAfterMinutes(int minutes);
  // The menu's cancel and the window's: a nightly schedule goes off too.
  void CancelSchedule();
  // At start: the nightly schedule kept in the settings, armed again.
  void ResumeNightly();

 private:
  friend ToolWindowBase;
  void BuildWindow();
  void OnDpiChanged();
  int FirstFocus() const;
  LRESULT WindowMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // While a schedule is armed, Esc only hides the window; the close box
  // still cancels.
  bool EscapeHides() const { return armed_; }
  void OnCommand(int control, int notification);
  void cmdOk_Click();
  void TxtHour_Change();
  void TxtMin_Change();
  void TxtSec_Change();
  void EnableWhenComplete();
  void Timer1_Timer();
  void cmdCancel_Click();
  void Form_Unload();
  void Form_Destroyed();
  void Form_PowerBroadcast(WPARAM event);

  // --- The modes that wait for an event (FrmShutDownEvents.cpp) ---
  void FillProgramList();
  bool ArmProgram();
  void Process_Ended(std::uint32_t processId);
  bool ArmIdle();
  void AimIdle();
  void TimerIdle_Timer();
  // Input during an idle schedule's warning: the user is back.
  void WatchInputDuringWarning();
  bool ArmNightly();
  void AimNightly(std::int64_t afterUtc);
  void TimerNightly_Timer();
  void TurnNightlyOff();
  // The warning's cancel: a nightly schedule skips tonight only.
  void Warning_Cancel();
  // After the action: a nightly schedule aims at its next day.
  bool NightlyGoesOn();
  int ChosenDays() const;
  void ShowEventMode(ScheduleMode mode);
  // Armed with no deadline yet: hidden, waiting for the event.
  void BeginWaiting(const std::wstring& waitingFor);
  // The event came: the warning now, the action a minute later.
  void BeginWarning(std::int64_t deadlineSecond);
  void StopWaiting();

  // Each mode's reading of its boxes; nothing when they were refused.
  std::optional<std::int64_t> RunningTimeDeadline();
  std::optional<std::int64_t> AfterDeadline();
  std::optional<std::int64_t> AtDeadline();
  void Arm(std::int64_t deadlineSecond);
  // What every mode does when armed: the choices kept, the window hidden.
  void BeginArmed();
  void Disarm();
  // Asks the system not to sleep on its own, or no longer.
  void KeepAwake(bool awake);
  void Postpone();
  // A clock-time target follows a change of the clock or the zone.
  void Reaim();
  void RememberChoices();
  // The program-wide target: ShutHour, ShutMin, ShutSec.
  void KeepTarget(const ScheduleTarget& target);
  void EndSession();
  void EndSessionNow();
  void ShowFailure(ScheduleAction action, std::uint32_t error);
  // What the selected option will do, as the warning and the status say it.
  std::wstring ActionText() const;
  // The status line and the cancel button follow the schedule.
  void ShowStatus(const std::wstring& text);
  std::int64_t NowSecond();
  TimeZoneRule ZoneRule(int year);

  ScheduleMode Mode() const;
  static std::optional<ScheduleMode> ModeOfOption(int control);
  // The last schedule's choices in the controls, as the window opens.
  void ShowChoices();
  // Selects the mode and shows its boxes only.
  void ShowMode(ScheduleMode mode);
  // Which day an "at" time falls on, beside its boxes.
  void ShowDay();
  ScheduleAction SelectedAction() const;
  void SelectAction(ScheduleAction action);
  // Tooltips: graceful closing's trade-off, and why sleep or hibernate is
  // not offered (on the window over the button: a disabled button gets no
  // mouse messages).
  void AddToolTips();
  void PlaceToolTips();

  std::wstring Text(Control control) const;
  void SetText(Control control, const wchar_t* text);
  bool IsSelected(Control option) const;

  UserLocaleNumericText numbers_;
  bool armed_ = false;
  bool keptAwake_ = false;
  // The session end was asked for in this schedule: a later refusal is the
  // end already under way.
  bool endAsked_ = false;
  // The local wall-clock moment of an armed "at" target.
  std::optional<std::int64_t> wallTarget_;
  PowerAbilities power_;
  HWND toolTip_ = nullptr;
  // While armed, the close box says that it cancels.
  CloseBoxTip closeTip_;
  FrmWarning warning_;
  std::wstring status_;
  std::int64_t shownSecondsLeft_ = -1;
  std::function<bool()> fullScreenInFront_;
  // The armed event mode's state.
  std::uintptr_t processWatch_ = 0;
  std::uint32_t watchedProcess_ = 0;
  std::uint32_t idleThresholdMs_ = 0;
  // Idleness counts from here at the earliest: the last full-screen look.
  std::optional<std::uint32_t> idleFloor_;
  std::uint32_t inputAtWarning_ = 0;
  bool nightly_ = false;
  std::int64_t nightlyUtc_ = 0;  // the armed nightly moment
  std::vector<RunningProgram> programs_;
};

}  // namespace tavilo
