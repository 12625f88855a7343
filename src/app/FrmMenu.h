// The hidden window that owns the program's popup menu MnuFile. It is
// created on first use, never shown, and routes each menu command to its
// click handler: the tool windows open through the registry, Exit ends the
// program.
#pragma once

#include <windows.h>

#include <functional>

#include "calendar/OccasionKind.h"
#include "platform/Platform.h"
#include "ui/ToolWindows.h"
#include "ui/WindowProc.h"

namespace tavilo {

class Form1;

class FrmMenu {
 public:
  // Each command's own identifier, kept when items are added or moved.
  enum Command : UINT {
    kMnuPlay = 1001,
    kMnuWarning = 1002,
    kMnuDate = 1003,
    kMnuTrans = 1004,
    kMnuAbout = 1005,
    kMnuExit = 1006,
    kMnuCalendar = 1007,
    kMnuStartWithWindows = 1008,
    kMnuPersianDigits = 1009,
    kMnuNotificationIcon = 1010,
    kMnuPrayer = 1011,
    // One item a lunar correction, -2 to +2 days, around the one for none.
    kMnuLunarCorrection0 = 1020,
    // The scheduler's quick items: after 15, 30, 60 and 90 minutes, and
    // cancel (shown only while a schedule is armed).
    kMnuScheduleIn15 = 1031,
    kMnuCancelSchedule = 1035,
    // One item an occasion kind (OccasionKind's order), then the Moon in
    // Scorpio: shown when checked.
    kMnuOccasionKind0 = 1040,
    kMnuMoonInScorpio = kMnuOccasionKind0 + kOccasionKindCount,
  };

  // `endProgram` ends the message loop (PostQuitMessage in the program).
  FrmMenu(HINSTANCE instance, Platform& platform, ToolWindowRegistry& tools,
          std::function<void()> endProgram);
  ~FrmMenu();
  FrmMenu(const FrmMenu&) = delete;
  FrmMenu& operator=(const FrmMenu&) = delete;

  // The window that Exit unloads.
  void AttachMainWindow(Form1& form) { mainWindow_ = &form; }

  // Pops MnuFile up at the mouse, its check marks showing the settings in
  // force. A chosen command runs before this returns.
  void PopupMnuFile();
  // The popup menu; the hidden host is created on first use.
  HMENU MnuFile();
  HWND Handle() const { return hwnd_; }
  void Unload();

  // Command handlers.
  void mnuCalendar_Click();
  void mnuPlay_Click();
  void mnuWarning_Click();
  void mnuDate_Click();
  void mnuTrans_Click();
  void MnuAbout_Click();
  // Asks first when something would be lost (an armed schedule, the events not saved), then
  // ExitProgram.
  void mnuExit_Click();
  // Ends the program with no question: WM_CLOSE and the installer's
  // request. Unsaved events wait in their side file for the next start.
  void ExitProgram();
  void mnuStartWithWindows_Click();
  void mnuPersianDigits_Click();
  void mnuNotificationIcon_Click();
  void mnuLunarCorrection_Click(int days);
  // Shows or hides the occasions of a setting bit (kHiddenOccasions).
  void mnuOccasions_Click(int hiddenBit);
  void mnuPrayer_Click();
  void mnuScheduleIn_Click(int minutes);
  void mnuCancelSchedule_Click();

 private:
  friend LRESULT CALLBACK RoutedWindowProc<FrmMenu>(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  bool Load();
  void Form_Command(UINT id);
  // Check marks and the schedule's time left. The popup is tracked with
  // TPM_NONOTIFY: no WM_INITMENUPOPUP comes to do this.
  void RefreshItems();
  // The quick items name the action they will take; cancel is there only
  // while a schedule is armed.
  void RefreshScheduleItems();
  // Exit's question about the events that could not be saved.
  bool EventsAllowExit();
  // True when no schedule is armed, or the user agrees to drop it.
  bool ScheduleAllowsExit();

  HINSTANCE instance_;
  Platform& platform_;
  ToolWindowRegistry& tools_;
  std::function<void()> endProgram_;
  Form1* mainWindow_ = nullptr;
  HWND hwnd_ = nullptr;
  HMENU mnuFile_ = nullptr;
};

}  // namespace tavilo
