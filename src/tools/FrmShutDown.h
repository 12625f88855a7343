// The shutdown scheduler: the user types a running time (hours since the
// system started, minutes, seconds) and picks a forced shutdown or a forced
// log-off; confirming hides the window and arms its timer, which ends the
// session during the one second whose running-time fields equal the target.
// A target already passed, or one the running time never shows, is refused.
// A minute before the end a warning offers cancel, ten minutes later, and
// now; while armed the system is asked not to sleep, and a target slept
// through brings the warning at resume. The window stays loaded while
// hidden and shows what is armed and the time left; its cancel button and
// its close box (with the slide-out) cancel, and Esc only hides it again.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/Platform.h"
#include "tools/FrmShutDownNumericText.h"
#include "tools/FrmWarning.h"
#include "tools/logic/ShutdownSchedule.h"
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
  };
  enum Timer : UINT_PTR { kTimer1 = 1 };
  static constexpr UINT kTimer1IntervalMs = kScheduleCheckIntervalMs;
  static const ToolWindowDesign kDesign;

  explicit FrmShutDown(Platform& platform);
  // Gone before the warning it owns: closing disarms, and the warning with it.
  ~FrmShutDown() override;

  // Slides `frmSlide` off the screen and unloads it (see SlideOut.h).
  void SlideWindow(HWND frmSlide, std::int16_t iSpeed);

 private:
  friend ToolWindowBase;
  void BuildWindow();
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

  void Arm(const ScheduleTarget& target);
  void Disarm();
  void Postpone();
  // The program-wide target: ShutHour, ShutMin, ShutSec.
  void KeepTarget(const ScheduleTarget& target);
  void EndSession();
  void EndSessionNow();
  // What the selected option will do, as the warning and the status say it.
  std::wstring ActionText() const;
  // The status line and the cancel button follow the schedule.
  void ShowStatus(const std::wstring& text);
  std::int64_t NowSecond();

  std::wstring Text(Control control) const;
  void SetText(Control control, const wchar_t* text);
  bool IsSelected(Control option) const;

  UserLocaleNumericText numbers_;
  bool armed_ = false;
  FrmWarning warning_;
  std::wstring status_;
  std::int64_t shownSecondsLeft_ = -1;
};

}  // namespace tavilo
