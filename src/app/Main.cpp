// Start-up: one program a session, the settings read, the drop-down strip as
// the main window and the notification-area icon beside it; the hidden menu
// host and the tool windows come on first use. Exit ends the message loop.
#include <windows.h>

#include <memory>

#include "app/CalendarHotKey.h"
#include "app/Form1.h"
#include "app/FrmMenu.h"
#include "app/ReminderScheduler.h"
#include "app/logic/FullScreen.h"
#include "app/SingleInstance.h"
#include "app/TrayIcon.h"
#include "calendar/Occasions.h"
#include "platform/win32/Win32Platform.h"
#include "tools/DateConvert.h"
#include "tools/FrmCalendar.h"
#include "tools/FrmPlay.h"
#include "tools/FrmPrayer.h"
#include "tools/FrmShutDown.h"
#include "tools/FrmTrans.h"
#include "tools/frmAbout.h"
#include "tools/logic/CalendarDataFiles.h"
#include "tools/logic/UserEvents.h"
#include "tools/shared/DialogKeys.h"
#include "ui/FailureGuard.h"
#include "ui/Messages.h"
#include "ui/PortableSettings.h"
#include "ui/ProgramMessages.h"
#include "ui/Settings.h"
#include "ui/ToolWindows.h"

namespace tavilo {
namespace {

void RegisterToolWindows(ToolWindowRegistry& tools, Platform& platform, Form1& form1) {
  tools.Register(ToolWindowKind::kFrmCalendar,
                 std::make_unique<FrmCalendar>(platform, form1, [&tools] {
                   tools.Show(ToolWindowKind::kFrmPrayer);
                 }));
  tools.Register(ToolWindowKind::kFrmPlay, std::make_unique<FrmPlay>(platform));
  // Idleness does not count while a full-screen program is in front.
  tools.Register(ToolWindowKind::kFrmShutDown,
                 std::make_unique<FrmShutDown>(platform, [&platform, &form1] {
                   return FullScreenInFront(platform.Foreground(form1.Handle()));
                 }));
  tools.Register(ToolWindowKind::kDateConvert, std::make_unique<DateConvert>(platform));
  tools.Register(ToolWindowKind::kFrmTrans, std::make_unique<FrmTrans>(platform, form1));
  tools.Register(ToolWindowKind::kFrmAbout, std::make_unique<frmAbout>(platform));
  tools.Register(ToolWindowKind::kFrmPrayer, std::make_unique<FrmPrayer>(platform));
}

}  // namespace
}  // namespace tavilo

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Let go last, once the strip and the icon are gone.
  const tavilo::SingleInstance single;
  if (!single.First()) return 0;
  tavilo::Win32Platform platform;
  tavilo::LoadProgramSettings(platform);  // portable.ini in portable mode, else the registry
  tavilo::SetDefaultMessageSink(tavilo::TaviloMessageBox(platform));
  tavilo::SetFailureNotice(tavilo::TaviloMessageBox(platform));

  tavilo::ToolWindowRegistry tools;
  tavilo::FrmMenu menu(instance, platform, tools, [] { PostQuitMessage(0); });
  tavilo::Form1 form1(instance, platform, menu);
  menu.AttachMainWindow(form1);
  tavilo::RegisterToolWindows(tools, platform, form1);
  if (!form1.Create()) return 1;
  // The strip is on the screen before the shell is loaded for the icon.
  UpdateWindow(form1.Handle());
  // Destroyed before the menu it calls on; its icon goes with it at Exit.
  tavilo::TrayIcon trayIcon(
      instance, platform, [&menu] { menu.mnuCalendar_Click(); }, [&menu] { menu.PopupMnuFile(); });
  trayIcon.Show(tavilo::ProgramSettings().notificationIcon);
  // --- the calendar's hot key ---
  if (!tavilo::RegisterCalendarHotKey(form1.Handle()))
    trayIcon.SetNotice(tavilo::kCalendarHotKeyTaken);
  // The user's calendar data (its lunar months move lunar events) and events,
  // once the strip is on the screen; the tooltips count today's.
  tavilo::HideOccasionKinds(tavilo::HiddenOccasionKinds(tavilo::ProgramSettings()));
  tavilo::LoadCalendarDataFiles(platform);
  tavilo::ProgramEvents().Load(platform);
  tavilo::BroadcastEventsChanged();
  // --- reminders ---: what was missed while Tavilo was not running comes now.
  tavilo::ReminderScheduler reminders(instance, platform, trayIcon, [&tools](std::int32_t day) {
    tools.Show(tavilo::ToolWindowKind::kFrmCalendar);
    if (auto* calendar = dynamic_cast<tavilo::FrmCalendar*>(
            tools.Find(tavilo::ToolWindowKind::kFrmCalendar))) {
      calendar->SelectDay(day);
    }
  });
  reminders.Check();
  // A nightly schedule kept from the last run is armed again.
  if (auto* scheduler = dynamic_cast<tavilo::FrmShutDown*>(
          tools.Find(tavilo::ToolWindowKind::kFrmShutDown))) {
    scheduler->ResumeNightly();
  }

  MSG message;
  // Tab, Enter and Esc move between and press the tool windows' controls.
  while (GetMessageW(&message, nullptr, 0, 0) > 0) tavilo::DispatchProgramMessage(message);
  return static_cast<int>(message.wParam);
}
