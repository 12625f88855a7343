// The reminders of the prayer times and the user's events (Reminders.h),
// from one timer aimed at the next one. A hidden top-level window of its own
// holds the timer and hears what moves the reminders: the settings and the
// events changing, the clock or the time zone set, a resume from sleep. Each
// look shows what is due, records it, and aims the timer again; nothing
// wakes in between.
//
// A reminder comes as a balloon of the notification icon, or, with the icon
// off or the user busy, in a presentation or a full-screen program, in a
// small window of our own (FrmReminder). A click on an event's balloon, or
// «نمایش در تقویم», opens the month calendar at its day, the balloon's click
// with our window beside it; a click or Esc stops the sound. The window's
// «۵ دقیقه دیگر یادآوری کن» shows the reminder again five minutes later,
// for as long as the program runs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/TrayIcon.h"
#include "platform/Platform.h"
#include "tools/FrmReminder.h"
#include "tools/logic/ReminderSound.h"
#include "tools/logic/Reminders.h"
#include "ui/WindowProc.h"

namespace tavilo {

class ReminderScheduler {
 public:
  enum Timer : UINT_PTR { kReminderTimer = 1, kSoundTimer };

  // `openCalendarAt` opens the month calendar at a day.
  ReminderScheduler(HINSTANCE instance, Platform& platform, TrayIcon& trayIcon,
                    std::function<void(std::int32_t day)> openCalendarAt);
  ~ReminderScheduler();
  ReminderScheduler(const ReminderScheduler&) = delete;
  ReminderScheduler& operator=(const ReminderScheduler&) = delete;

  // Shows what is due, missed ones within their limits, and aims the timer.
  void Check();

  HWND Handle() const { return hwnd_; }
  // What the timer was last set to; nothing while it is off.
  std::optional<std::uint32_t> AimedDelayMs() const { return aimedMs_; }
  FrmReminder& Window() { return window_; }

 private:
  friend LRESULT CALLBACK RoutedWindowProc<ReminderScheduler>(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  ReminderSetup Setup() const;
  void Remind(const std::vector<DueReminder>& due, const ReminderSetup& setup);
  // Records each reminder as shown before it shows, so none comes twice.
  void Record(const std::vector<DueReminder>& due);
  void Aim(std::int64_t now, const ReminderSetup& setup);
  void PlaySound(bool prayer, bool inWindow);
  void StopSound();
  void Clicked();
  void BalloonClicked();
  // What a reminder shows: a balloon, or our window when none can show.
  struct Shown {
    std::wstring title;
    std::wstring text;        // the balloon's
    std::wstring windowText;  // with an event's note
    std::optional<std::int32_t> day;  // an event's, which a click opens
    bool prayer = false;
  };
  void Present(const Shown& shown);
  void Snooze();
  // Shows the snoozed reminders whose time has come.
  void ShowSnoozed(std::int64_t now);

  HINSTANCE instance_;
  Platform& platform_;
  TrayIcon& trayIcon_;
  std::function<void(std::int32_t)> openCalendarAt_;
  HWND hwnd_ = nullptr;
  FrmReminder window_;
  ReminderSoundPlayer sound_;
  std::optional<std::uint32_t> aimedMs_;
  // The last reminder shown; its day is the one a click opens.
  Shown last_;
  struct Snoozed {
    std::int64_t moment;
    Shown shown;
  };
  std::vector<Snoozed> snoozed_;  // in memory only: Exit forgets them
};

}  // namespace tavilo
