#include "app/TrayIcon.h"

#include <shellapi.h>

#include <cwchar>
#include <utility>

#include "../../assets/resource.h"
#include "app/TrayIconPicture.h"
#include "app/logic/TrayIconFace.h"
#include "calendar/Numbers.h"
#include "tools/logic/PrayerText.h"
#include "tools/logic/ShutdownSchedule.h"
#include "tools/logic/UserEvents.h"
#include "ui/Midnight.h"
#include "ui/ProgramMessages.h"
#include "ui/Settings.h"

namespace tavilo {
namespace {

constexpr wchar_t kClassName[] = L"TaviloTrayIcon";

// GetSystemMetricsForDpi exists from Windows 10 1607 on.
int SmallIconMetric(unsigned dpi) {
  using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
  static const auto forDpi = reinterpret_cast<GetSystemMetricsForDpiFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
  return forDpi ? forDpi(SM_CXSMICON, dpi) : GetSystemMetrics(SM_CXSMICON);
}

TaskbarTheme CurrentTheme(Platform& platform) {
  TaskbarTheme theme;
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  theme.highContrast = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
                       (contrast.dwFlags & HCF_HIGHCONTRASTON);
  theme.highContrastText = GetSysColor(COLOR_WINDOWTEXT);
  theme.highContrastBackground = GetSysColor(COLOR_WINDOW);
  theme.lightTaskbar = TaskbarUsesLightTheme(platform);
  return theme;
}

}  // namespace

TrayIcon::TrayIcon(HINSTANCE instance, Platform& platform, std::function<void()> openCalendar,
                   std::function<void()> openMenu)
    : instance_(instance),
      platform_(platform),
      openCalendar_(std::move(openCalendar)),
      openMenu_(std::move(openMenu)),
      taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {
  if (!RegisterWindowClass(instance_, kClassName, &RoutedWindowProc<TrayIcon>, IDI_TAVILO,
                           nullptr)) {
    return;
  }
  // Top-level, not message-only: TaskbarCreated is broadcast to top-level
  // windows. Never shown.
  CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"Tavilo", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                  instance_, this);
  // Run as administrator, the program would not hear the taskbar's broadcast
  // from the user's own level.
  if (hwnd_ && taskbarCreated_)
    ChangeWindowMessageFilterEx(hwnd_, taskbarCreated_, MSGFLT_ALLOW, nullptr);
}

TrayIcon::~TrayIcon() {
  Show(false);
  if (hwnd_) DestroyWindow(hwnd_);
  if (icon_) DestroyIcon(icon_);
}

void TrayIcon::Show(bool shown) {
  if (!hwnd_ || shown == shown_) return;
  shown_ = shown;
  if (!shown) {
    RemoveIcon();
    KillTimer(hwnd_, kMidnightTimer);
    return;
  }
  Redraw();
  AddIcon();
  AimMidnightTimer();
}

void TrayIcon::Refresh() {
  Redraw();
  if (!shown_) return;
  NOTIFYICONDATAW data = IconData(NIF_ICON | NIF_TIP | NIF_SHOWTIP);
  // Gone with a taskbar that restarted unheard: put it back.
  if (!Shell_NotifyIconW(NIM_MODIFY, &data)) AddIcon();
  // Timers stand still in sleep and the clock may have been set.
  AimMidnightTimer();
}

// Only the words change: the picture stays as drawn.
void TrayIcon::SetExtraLine(std::wstring line) {
  if (line == extraLine_) return;
  extraLine_ = std::move(line);
  ModifyToolTip();
}

void TrayIcon::SetNotice(std::wstring line) {
  notice_ = std::move(line);
  ModifyToolTip();
}

// The pointer is over the icon: its tooltip is about to show. The next time
// and the wait change with the minute; within one minute they stand.
void TrayIcon::OnPointerOver() {
  const std::int64_t now = platform_.UnixTimeNow();
  if (now / 60 == prayerMinute_) return;
  prayerMinute_ = now / 60;
  std::wstring line = NextPrayerLine(platform_, now, ProgramSettings());
  if (line == prayerLine_) return;
  prayerLine_ = std::move(line);
  ModifyToolTip();
}

void TrayIcon::ModifyToolTip() {
  toolTip_ = TrayToolTip(dateLines_, {extraLine_, notice_, prayerLine_, eventsLine_});
  if (!shown_) return;
  NOTIFYICONDATAW data = IconData(NIF_TIP | NIF_SHOWTIP);
  Shell_NotifyIconW(NIM_MODIFY, &data);
}

LRESULT TrayIcon::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kCallbackMessage) {
    OnIconCallback(lparam);
    return 0;
  }
  if (taskbarCreated_ && message == taskbarCreated_) {
    OnTaskbarCreated();
    return 0;
  }
  switch (message) {
    case WM_TIMER:
      if (wparam == kMidnightTimer) {
        OnMidnightTimer();
        return 0;
      }
      break;
    case WM_TIMECHANGE:
      OnTimeChange();
      return 0;
    case WM_POWERBROADCAST:
      OnPowerBroadcast(wparam);
      return TRUE;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
      OnSettingChange();
      return 0;
    case WM_DISPLAYCHANGE:
      OnDisplayChange();
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged();
      return 0;
    case kSettingsChanged:
      OnProgramSettingsChanged();
      return 0;
    case kScheduleChanged:
      OnScheduleChanged();
      return 0;
    case WM_CLOSE:
      return 0;  // goes only with the program
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

void TrayIcon::OnIconCallback(LPARAM lparam) {
  if (LOWORD(lparam) == WM_MOUSEMOVE) {
    OnPointerOver();
    return;
  }
  // --- reminders ---
  if (LOWORD(lparam) == NIN_BALLOONUSERCLICK) {
    if (balloonClicked_) balloonClicked_();
    return;
  }
  switch (TrayClickOf(LOWORD(lparam), version4_)) {
    case TrayClick::kOpenCalendar: openCalendar_(); return;
    case TrayClick::kOpenMenu: openMenu_(); return;
    case TrayClick::kNone: return;
  }
}

// A new taskbar has none of the icons of the old one.
void TrayIcon::OnTaskbarCreated() {
  if (shown_) AddIcon();
}

void TrayIcon::OnMidnightTimer() { Refresh(); }

void TrayIcon::OnTimeChange() { Refresh(); }

void TrayIcon::OnPowerBroadcast(WPARAM event) {
  if (event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND) Refresh();
}

// The taskbar's colours, high contrast and the icon size come this way.
void TrayIcon::OnSettingChange() { Refresh(); }

void TrayIcon::OnDisplayChange() { Refresh(); }

void TrayIcon::OnDpiChanged() { Refresh(); }

// Turned on or off from the menu, or Persian digits, or the lunar correction.
void TrayIcon::OnProgramSettingsChanged() {
  if (shown_ == ProgramSettings().notificationIcon) {
    Refresh();
  } else {
    Show(ProgramSettings().notificationIcon);
  }
}

// An armed shutdown schedule adds what it will do and the time left.
void TrayIcon::OnScheduleChanged() {
  const ArmedSchedule& schedule = ProgramSchedule();
  if (!schedule.IsArmed()) {
    SetExtraLine(std::wstring());
    return;
  }
  if (schedule.IsWaiting()) {
    SetExtraLine(schedule.Action() + L"، " + schedule.WaitingFor());
    return;
  }
  const std::int64_t left = schedule.SecondsLeft(RunningSecond(platform_.TickCount()));
  SetExtraLine(schedule.Action() + L"، " + kTimeLeftLabel + CountdownText(left));
}

void TrayIcon::Redraw() {
  const std::int32_t today = DayOfDate(platform_.Now());
  const Settings& settings = ProgramSettings();
  if (HICON drawn = DrawDayIcon(DayNumberText(today, settings.persianDigits), IconSize(),
                                IconColoursFor(CurrentTheme(platform_)))) {
    if (icon_) DestroyIcon(icon_);  // the shell keeps its own copy
    icon_ = drawn;
  }
  // The month names the month calendar shows too.
  dateLines_ =
      TrayDateLines(today, settings.lunarCorrection, PersianGregorianMonthNames(platform_));
  // The next prayer time is written afresh when the pointer comes.
  prayerLine_.clear();
  prayerMinute_ = kNoMinute;
  eventsLine_ = TodayEventsText(ProgramEvents().OnDay(today, settings.lunarCorrection).size());
  toolTip_ = TrayToolTip(dateLines_, {extraLine_, notice_, prayerLine_, eventsLine_});
}

NOTIFYICONDATAW TrayIcon::IconData(UINT flags) const {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = hwnd_;
  // A number, not a GUID: the shell ties a GUID to the program's path.
  data.uID = kIconId;
  data.uFlags = flags;
  data.uCallbackMessage = kCallbackMessage;
  data.hIcon = icon_;
  wcsncpy(data.szTip, toolTip_.c_str(), std::size(data.szTip) - 1);
  return data;
}

void TrayIcon::AddIcon() {
  NOTIFYICONDATAW data = IconData(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
  // At logon the add may report failure though the icon came: then it can
  // be changed. A taskbar not there yet announces itself with TaskbarCreated.
  if (!Shell_NotifyIconW(NIM_ADD, &data) && !Shell_NotifyIconW(NIM_MODIFY, &data)) return;
  data.uVersion = NOTIFYICON_VERSION_4;
  version4_ = Shell_NotifyIconW(NIM_SETVERSION, &data);
}

void TrayIcon::RemoveIcon() {
  NOTIFYICONDATAW data = IconData(0);
  Shell_NotifyIconW(NIM_DELETE, &data);
}

int TrayIcon::IconSize() const {
  return IconPixelSize(SmallIconMetric(platform_.WindowDpi(hwnd_)));
}

void TrayIcon::AimMidnightTimer() {
  // Setting a running timer again replaces its interval.
  SetTimer(hwnd_, kMidnightTimer, MillisecondsToNextMidnight(platform_.Now()), nullptr);
}

}  // namespace tavilo
