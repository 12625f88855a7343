// The prayer-time window (اوقات شرعی): where the times are for, a place of
// the built-in list found by typing a few letters of its name, or a latitude
// and longitude typed in; the method of computing them and Asr's shadow; and
// whether Asr and Isha show for the methods that call them with Dhuhr and
// Maghrib. A choice is stored at once and every window showing the times
// follows it (kSettingsChanged). Until a place is chosen, Tehran, the
// suggestion, is selected in the list: Enter chooses it.
#pragma once

#include <windows.h>

#include "platform/Platform.h"
#include "tools/shared/ToolWindowBase.h"
#include "ui/Settings.h"

namespace tavilo {

class FrmPrayer final : public ToolWindowBase<FrmPrayer> {
 public:
  // Control identifiers; the tab order follows the controls' table, each
  // label before the box it names.
  enum Control : int {
    kLblSearch = 101,
    kTxtSearch,
    kLstPlaces,
    kLblSearchMessage,
    kCmdChoose,
    kLblCoordinates,
    kLblLatitude,
    kTxtLatitude,
    kLblLatitudeMessage,
    kLblLongitude,
    kTxtLongitude,
    kLblLongitudeMessage,
    kCmdUseCoordinates,
    kLblMethod,
    kCboMethod,
    kLblAsr,
    kCboAsr,
    kChkAsrIsha,
    kLblChosen,
    // --- reminders ---: a label and a lead box for each time, in
    // PrayerTimeKind order.
    kLblReminders,
    kCmdStarterReminders,
    kLblRemindFirst,
    kCboRemindFirst,
    kLblRemindLast = kLblRemindFirst + 14,
    kCboRemindLast,
    kLblSound,
    kCboSound,
    kCmdSoundFile,
    kLblSoundFile,
  };
  static const ToolWindowDesign kDesign;

  explicit FrmPrayer(Platform& platform);

 private:
  friend ToolWindowBase;
  void BuildWindow();
  LRESULT WindowMessage(UINT message, WPARAM wparam, LPARAM lparam);

  void OnCommand(int control, int notification);
  // The places whose names hold the search box's text, the chosen one (or
  // the first) selected; a message when none does.
  void FillPlaces();
  void ChooseListedPlace();
  void UseCoordinates();
  void ShowChosenPlace();
  void ChangePrayerSetting(Setting setting, int value);
  // --- reminders (FrmPrayerReminders.cpp) ---
  void BuildReminders();
  // True when the command was one of the reminders' controls.
  bool OnReminderCommand(int control, int notification);
  // The boxes from the settings; Asr's and Isha's only where they show.
  void ShowReminders();
  void ChooseSoundFile();

  int32_t listedFor_ = 0;  // the GeoNames id the list last selected
};

}  // namespace tavilo
