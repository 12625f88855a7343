// The notification-area icon: today's Shamsi day number, with the day in the
// three calendars as its tooltip, an armed schedule, the next prayer time
// and the count of today's events under it. A click opens the month
// calendar, a right click the program's menu. A hidden top-level window of its own receives
// the icon's callbacks and the broadcasts that change what it shows (the
// date, the taskbar's colours, the icon size, a restarted taskbar).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "platform/Platform.h"
#include "ui/ProgramMessages.h"
#include "ui/WindowProc.h"

namespace tavilo {

class TrayIcon {
 public:
  // The icon's callback message and its number among the window's icons.
  static constexpr UINT kCallbackMessage = kTrayIconCallback;
  static constexpr UINT kIconId = 1;

  TrayIcon(HINSTANCE instance, Platform& platform, std::function<void()> openCalendar,
           std::function<void()> openMenu);
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Adds the icon to the notification area or takes it away.
  void Show(bool shown);
  bool Shown() const { return shown_; }
  // Draws the icon and its tooltip again from the clock and the settings.
  void Refresh();
  // A line shown under the dates in the tooltip; empty for none.
  void SetExtraLine(std::wstring line);
  // A line that stays under it for the whole run (the hot key is taken).
  void SetNotice(std::wstring line);

  // --- reminders ---
  // What a click on the icon's balloon does.
  void SetBalloonClick(std::function<void()> clicked) { balloonClicked_ = std::move(clicked); }

  HWND Handle() const { return hwnd_; }
  const std::wstring& ToolTip() const { return toolTip_; }
  HICON Icon() const { return icon_; }

 private:
  friend LRESULT CALLBACK RoutedWindowProc<TrayIcon>(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  enum Timer : UINT_PTR { kMidnightTimer = 1 };

  void OnIconCallback(LPARAM lparam);
  void OnTaskbarCreated();
  void OnMidnightTimer();
  void OnTimeChange();
  void OnPowerBroadcast(WPARAM event);
  void OnSettingChange();
  void OnDisplayChange();
  void OnDpiChanged();
  void OnProgramSettingsChanged();
  void OnScheduleChanged();
  void OnPointerOver();

  // The picture and the tooltip from the clock and the settings.
  void Redraw();
  NOTIFYICONDATAW IconData(UINT flags) const;
  // Gives the shell the tooltip from the dates and the extra lines.
  void ModifyToolTip();
  // Adds the icon and asks for version-4 callbacks.
  void AddIcon();
  void RemoveIcon();
  int IconSize() const;
  void AimMidnightTimer();

  HINSTANCE instance_;
  Platform& platform_;
  std::function<void()> openCalendar_;
  std::function<void()> openMenu_;
  const UINT taskbarCreated_;
  HWND hwnd_ = nullptr;
  bool shown_ = false;
  bool version4_ = false;
  HICON icon_ = nullptr;
  std::wstring toolTip_;
  std::wstring dateLines_;  // the tooltip's lines, drawn with the picture
  std::wstring extraLine_;
  std::wstring notice_;
  // The next prayer time and the wait, written for the minute (Unix
  // seconds / 60) the pointer last came over the icon in.
  static constexpr std::int64_t kNoMinute = -1;
  std::wstring prayerLine_;
  std::int64_t prayerMinute_ = kNoMinute;
  std::wstring eventsLine_;  // today's events, after the extra line
  std::function<void()> balloonClicked_;  // --- reminders ---
};

}  // namespace tavilo
