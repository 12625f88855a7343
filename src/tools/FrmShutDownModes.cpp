// The scheduler's controls by mode: which show for the chosen mode, which
// must hold text before confirming, and reading and setting them.
#include <algorithm>
#include <string>

#include "tools/FrmShutDown.h"
#include "ui/Settings.h"

namespace tavilo {

namespace {

using F = FrmShutDown;

constexpr wchar_t kReplacesNightlyMessage[] =
    L"با تأیید، زمان‌بندی «هر روز در ساعت» برداشته می‌شود.";
constexpr wchar_t kNoDayMessage[] = L"دست‌کم یک روز هفته را انتخاب کنید.";
// The mode options in ScheduleMode order.
constexpr F::Control kModeOptions[kScheduleModeCount] = {
    F::kOptAfter, F::kOptAt, F::kOptRunningTime, F::kOptProgram, F::kOptIdle, F::kOptNightly};
// Each mode's controls, in ScheduleMode order; only the chosen mode's show
// (the start-with-Windows hint only while it is off).
constexpr F::Control kModeControls[kScheduleModeCount][16] = {
    {F::kLblAfterHour, F::kLblAfterMin, F::kTxtAfterMin, F::kTxtAfterHour},
    {F::kLblAtHour, F::kLblAtMin, F::kLblAtDay, F::kTxtAtMin, F::kTxtAtHour},
    {F::kLabel2, F::kLabel3, F::kLabel4, F::kTxtSec, F::kTxtMin, F::kTxtHour},
    {F::kLstPrograms, F::kCmdRefresh},
    {F::kLblIdleMin, F::kTxtIdleMin},
    {F::kLblNightlyHour, F::kLblNightlyMin, F::kTxtNightlyMin, F::kTxtNightlyHour, F::kChkDay0,
     static_cast<F::Control>(F::kChkDay0 + 1), static_cast<F::Control>(F::kChkDay0 + 2),
     static_cast<F::Control>(F::kChkDay0 + 3), static_cast<F::Control>(F::kChkDay0 + 4),
     static_cast<F::Control>(F::kChkDay0 + 5), static_cast<F::Control>(F::kChkDay0 + 6),
     F::kLblStartHint},
};
// The boxes that must hold text, the first focused (the program list for
// its mode).
constexpr F::Control kModeBoxes[kScheduleModeCount][3] = {
    {F::kTxtAfterMin, F::kTxtAfterHour},
    {F::kTxtAtMin, F::kTxtAtHour},
    {F::kTxtSec, F::kTxtMin, F::kTxtHour},
    {F::kLstPrograms},
    {F::kTxtIdleMin},
    {F::kTxtNightlyMin, F::kTxtNightlyHour},
};
// The options in ScheduleAction order.
constexpr F::Control kActionOptions[kScheduleActionCount] = {
    F::kOptLog, F::kOptShut, F::kOptRestart, F::kOptSleep, F::kOptHibernate, F::kOptLock};

}  // namespace

// The choices kept from the last schedule armed, a greyed action aside.
void FrmShutDown::ShowChoices() {
  for (const auto& boxes : kModeBoxes) {
    for (Control box : boxes) {
      if (box && box != kLstPrograms) SendDlgItemMessageW(hwnd_, box, EM_SETLIMITTEXT, 0, 0);
    }
  }
  const Settings& settings = ProgramSettings();
  const ScheduleAction last = static_cast<ScheduleAction>(settings.scheduleAction);
  const bool lastOffered =
      settings.scheduleAction >= 0 &&
      IsWindowEnabled(GetDlgItem(hwnd_, kActionOptions[settings.scheduleAction]));
  SelectAction(lastOffered ? last : ScheduleAction::kSignOut);
  CheckDlgButton(hwnd_, kChkGraceful, settings.scheduleGraceful);
  SetText(kTxtNightlyHour, std::to_wstring(settings.scheduleNightlyMinute / 60).c_str());
  SetText(kTxtNightlyMin, std::to_wstring(settings.scheduleNightlyMinute % 60).c_str());
  for (int day = 0; day < 7; ++day) {
    CheckDlgButton(hwnd_, kChkDay0 + day, (settings.scheduleNightlyDays >> day) & 1);
  }
  ShowMode(static_cast<ScheduleMode>(settings.scheduleMode));
}

std::optional<ScheduleMode> FrmShutDown::ModeOfOption(int control) {
  const auto* option = std::find(std::begin(kModeOptions), std::end(kModeOptions), control);
  if (option == std::end(kModeOptions)) return std::nullopt;
  return static_cast<ScheduleMode>(option - std::begin(kModeOptions));
}

// Every change of the input: confirmation is greyed, with the reason on the
// status line, until the chosen mode's boxes say enough; an old refusal goes.
void FrmShutDown::EnableWhenComplete() {
  int filled = 0;
  int boxes = 0;
  for (Control box : kModeBoxes[static_cast<int>(Mode())]) {
    if (!box) continue;
    ++boxes;
    const bool chosen = box == kLstPrograms
                            ? SendDlgItemMessageW(hwnd_, box, LB_GETCURSEL, 0, 0) != LB_ERR
                            : !Text(box).empty();
    if (chosen) ++filled;
  }
  const wchar_t* greyed = WhyConfirmGreyed(Mode(), filled, boxes);
  if (!greyed && Mode() == ScheduleMode::kNightly && ChosenDays() == 0) greyed = kNoDayMessage;
  EnableWindow(GetDlgItem(hwnd_, kCmdOk), greyed == nullptr);
  if (!armed_) {
    ShowStatus(greyed ? greyed : L"");
    return;
  }
  shownSecondsLeft_ = -1;  // the time left comes back on the next look
  if (!ProgramSchedule().IsWaiting()) return;
  std::wstring text = ProgramSchedule().Action() + L"\n" + ProgramSchedule().WaitingFor();
  // Said before another mode is armed in its place.
  if (nightly_ && Mode() != ScheduleMode::kNightly && !greyed) {
    text += L"\n" + std::wstring(kReplacesNightlyMessage);
  }
  ShowStatus(text);
}

ScheduleMode FrmShutDown::Mode() const {
  for (int mode = 0; mode < kScheduleModeCount; ++mode) {
    if (IsSelected(kModeOptions[mode])) return static_cast<ScheduleMode>(mode);
  }
  return ScheduleMode::kRunningTime;
}

void FrmShutDown::ShowMode(ScheduleMode mode) {
  for (int each = 0; each < kScheduleModeCount; ++each) {
    CheckDlgButton(hwnd_, kModeOptions[each], each == static_cast<int>(mode));
  }
  for (int each = 0; each < kScheduleModeCount; ++each) {
    for (Control control : kModeControls[each]) {
      const bool shown = each == static_cast<int>(mode);
      if (control) ShowWindow(GetDlgItem(hwnd_, control), shown ? SW_SHOWNA : SW_HIDE);
    }
  }
  ShowEventMode(mode);
  EnableWhenComplete();
  ShowDay();
}

void FrmShutDown::ShowDay() {
  const std::wstring hourText = Text(kTxtAtHour);
  const std::wstring minuteText = Text(kTxtAtMin);
  const auto hour = ReadBoxOrZero(hourText, 23);
  const auto minute = ReadBoxOrZero(minuteText, 59);
  const wchar_t* day = L"";
  if (hour && minute && !(hourText.empty() && minuteText.empty())) {
    const bool tomorrow = NextClockTime(*hour, *minute, platform_.UnixTimeNow(),
                                        [this](int year) { return ZoneRule(year); })
                              .tomorrow;
    day = tomorrow ? L"فردا" : L"امروز";
  }
  SetText(kLblAtDay, day);
}

ScheduleAction FrmShutDown::SelectedAction() const {
  for (int action = 0; action < kScheduleActionCount; ++action) {
    if (IsSelected(kActionOptions[action])) return static_cast<ScheduleAction>(action);
  }
  return ScheduleAction::kSignOut;
}

void FrmShutDown::SelectAction(ScheduleAction action) {
  for (int each = 0; each < kScheduleActionCount; ++each) {
    CheckDlgButton(hwnd_, kActionOptions[each], each == static_cast<int>(action));
  }
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

int FrmShutDown::FirstFocus() const { return kModeBoxes[static_cast<int>(Mode())][0]; }

}  // namespace tavilo
