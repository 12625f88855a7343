#include "app/Form1.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cwchar>

#include "../../assets/resource.h"
#include "app/Form1Design.h"
#include "app/FrmMenu.h"
#include "app/logic/FullScreen.h"
#include "app/logic/StripTimers.h"
#include "calendar/Numbers.h"
#include "tools/FrmEvent.h"
#include "tools/logic/Opacity.h"
#include "ui/RunningTime.h"
#include "ui/ApplicationTitle.h"
#include "ui/CommonControls.h"
#include "ui/Globals.h"
#include "ui/Messages.h"
#include "ui/PersianDigits.h"
#include "ui/ProgramMessages.h"
#include "ui/Settings.h"
#include "ui/Twips.h"

namespace tavilo {

using namespace strip_design;

std::wstring Form1::Shown(std::wstring text) {
  return ProgramSettings().persianDigits ? PersianDigits(std::move(text)) : text;
}

Form1::Form1(HINSTANCE instance, Platform& platform, FrmMenu& menu)
    : instance_(instance), platform_(platform), menu_(menu), motion_(kHeight, kStandardDpi) {}

Form1::~Form1() {
  if (hwnd_) DestroyWindow(hwnd_);
  ReleaseResources();
}

bool Form1::Create() {
  if (!RegisterWindowClass(instance_, kClassName, &RoutedWindowProc<Form1>, IDI_TAVILO, nullptr)) {
    return false;
  }
  exitRequest_ = RegisterWindowMessageW(kExitRequestName);
  // Placed and sized by Form_Load, once the window's DPI is known.
  // The title is never shown, but screen readers announce it.
  CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, kApplicationTitle, WS_POPUP, 0, 0,
                  0, 0, nullptr, nullptr, instance_, this);
  if (!hwnd_) return false;
  Form_Load();
  ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  return true;
}

void Form1::Unload() {
  unloading_ = true;
  if (!hwnd_) return;
  Form_Unload();
  DestroyWindow(hwnd_);
}

RECT Form1::LabelRect(Label label) const {
  const LabelLayout& layout = kLabelLayout[label];
  const float width = label == kLabel3 && prayerTitle_ ? kPrayerTitleWidth : layout.width;
  return {PixelsFromTwips(layout.left, dpi_), PixelsFromTwips(layout.top, dpi_),
          PixelsFromTwips(layout.left + width, dpi_),
          PixelsFromTwips(layout.top + layout.height, dpi_)};
}

LRESULT Form1::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  // The date line's tooltip hears of the pointer from here: subclassing the
  // strip for it would look the subclass up on every message, the counter's
  // frames included (a round trip to the server each under Wine).
  if (dateToolTip_ && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
    MSG pointer{hwnd_, message, wparam, lparam, 0, {}};
    SendMessageW(dateToolTip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&pointer));
  }
  switch (message) {
    case WM_TIMER:
      switch (wparam) {
        case kTimer1: Timer1_Timer(); return 0;
        case kTimer2: Timer2_Timer(); return 0;
        case kTimer3: Timer3_Timer(); return 0;
        case kTimer4: Timer4_Timer(); return 0;
        case kDateTimer: DateTimer_Timer(); return 0;
      }
      break;
    case WM_PAINT:
      Form_Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // Form_Paint covers every pixel
    case WM_MOUSEMOVE:
      // The tooltip comes with the first pointer over the strip, so that
      // the common controls are not loaded before the first paint.
      if (!dateToolTip_) AddDateToolTip();
      // Down or moving, a move changes nothing but the auto-hide count (the
      // labels too are the strip in use): no window call on this path.
      if (motion_.MoveX()) {
        autoHide_.Restart(platform_.TickCount());
      } else if (!OverLabel(lparam)) {
        Form_MouseMove();
      }
      return 0;
    case WM_LBUTTONDOWN:
      leftButtonDown_ = !OverLabel(lparam);
      if (leftButtonDown_) {
        SetCapture(hwnd_);
        Form_MouseDown(1);
      }
      return 0;
    case WM_LBUTTONUP: {
      if (!leftButtonDown_) return 0;
      ReleaseCapture();
      leftButtonDown_ = false;
      RECT client;
      GetClientRect(hwnd_, &client);
      const POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      if (!PtInRect(&client, at) || OverLabel(lparam)) return 0;
      // The calendar picture of the skin opens the month calendar; the
      // rest of the surface sends the strip up.
      const RECT picture = CalendarPictureRect();
      if (PtInRect(&picture, at)) {
        menu_.mnuCalendar_Click();
      } else {
        Form_Click();
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
      leftButtonDown_ = false;  // the press went elsewhere: no click
      return 0;
    case WM_RBUTTONDOWN:
      if (!OverLabel(lparam)) Form_MouseDown(2);
      return 0;
    case WM_MBUTTONDOWN:
      if (!OverLabel(lparam)) Form_MouseDown(4);
      return 0;
    case WM_CLOSE:
      // Closed from outside (not through the menu): end the program the
      // orderly way, as the Exit command does, with no question.
      menu_.ExitProgram();
      return 0;
    case WM_ENDSESSION:  // the session ends: the program goes with it
      if (wparam) KeepEventDraftOnExit();
      return 0;
    case WM_TIMECHANGE:
      Form_TimeChange();
      return 0;
    case WM_SETTINGCHANGE:
      Form_SettingChange();
      break;
    case WM_POWERBROADCAST:
      Form_PowerBroadcast(wparam);
      return TRUE;
    case WM_DPICHANGED:
      // The suggested rectangle keeps the old left edge; the strip keeps to
      // the screen's right edge instead.
      Form_DpiChanged(LOWORD(wparam));
      return 0;
    case WM_DISPLAYCHANGE:
      Form_DisplayChange();
      return 0;
    case kSettingsChanged:
      Form_SettingsChanged();
      return 0;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lparam)->code == TTN_GETDISPINFOW) {
        DateToolTip_GetDispInfo(*reinterpret_cast<NMTTDISPINFOW*>(lparam));
        return 0;
      }
      break;
    case kSlideDownRequest:
      if (unloading_) return 0;
      Form_MouseMove();  // as a touch on the parked strip does
      return kSlideDownAccepted;
    case WM_HOTKEY:  // --- the calendar's hot key (CalendarHotKey.h) ---
      menu_.mnuCalendar_Click();
      return 0;
    case WM_NCDESTROY:
      appliedTimers_ = {};  // the window's timers go with it
      return 0;
  }
  if (message == exitRequest_ && exitRequest_ != 0) {
    menu_.ExitProgram();
    return 0;
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

void Form1::Form_Load() {
  dpi_ = UsableDpi(platform_.WindowDpi(hwnd_));
  refreshHz_ = platform_.DisplayRefreshHz(hwnd_);
  motion_ = Motion(kHeight, dpi_);
  CreateFonts();
  skin_ = static_cast<HBITMAP>(
      LoadImageW(instance_, MAKEINTRESOURCEW(IDB_SKIN), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  CreateCanvases();
  RefreshTitle(true);
  RefreshDateLine();

  const StripPlacement placement =
      StartPlacement(ScreenWidthTwips(), SnapToPixel(kWidth, dpi_), motion_.Height());
  left_ = placement.left;
  motion_.Load(placement.top);
  PlaceWindow();
  ApplyMotion();

  // Every pure red pixel is left out of the window and lets the mouse through.
  platform_.SetWindowExStyle(hwnd_, platform_.WindowExStyle(hwnd_) | kWsExLayered);
  const int opacity = ProgramSettings().opacity;
  if (opacity < kOpacityMax) {
    ApplyOpacity(platform_, hwnd_, kKeyColor, opacity);
  } else {
    platform_.SetLayeredAttributes(hwnd_, {kKeyColor, 0, kLwaColorKey});
  }

  foregroundWatch_.Start([this] { KeepOutOfFullScreen(); });
}

void Form1::Form_Click() {
  motion_.Click();
  ApplyMotion();
}

void Form1::Form_MouseDown(int button) {
  if (button == 2) menu_.PopupMnuFile();
}

void Form1::HoldStrip(bool bringDown) {
  autoHide_.Hold();
  if (bringDown && !motion_.MoveX()) Form_MouseMove();
}

void Form1::ReleaseStrip() { autoHide_.Release(platform_.TickCount()); }

void Form1::Form_MouseMove() {
  // The line touched by chance in a full-screen program brings nothing down.
  if (!motion_.MoveX() && KeepOutOfFullScreen()) return;
  motion_.MouseMove();
  // Parked, nothing kept the title's minute: it is brought up to date before
  // the first frame shows it.
  if (motion_.MoveX()) RefreshTitle(false);
  ApplyMotion();
}

void Form1::Form_Unload() {
  foregroundWatch_.Stop();
  if (IsPlaying) platform_.SendMediaCommand(L"close " + SongFile);
}

void Form1::Timer1_Timer() {
  motion_.SlideDownStep();
  ApplyMotion();
}

void Form1::Timer2_Timer() {
  motion_.SlideUpStep();
  ApplyMotion();
}

void Form1::Timer3_Timer() {
  const bool inUse =
      motion_.State() == MotionState::kDown && (PointerOnStrip() || MessageBoxOpen());
  const uint32_t nextCheckMs = autoHide_.Check(motion_, platform_.TickCount(), inUse);
  ApplyMotion();
  ArmAutoHideCheck(nextCheckMs);
  KeepOutOfFullScreen();
}

void Form1::Timer4_Timer() {
  captions_[kLabel1].Set(Shown(RunningTimeText(RunningTimeNow(platform_))));
  FitCounterFont();
  RefreshTitle(false);
  RedrawChangedLabels();
}

void Form1::DateTimer_Timer() { RefreshDateLine(); }

void Form1::Form_TimeChange() {
  RefreshTitle(true);
  RefreshDateLine();
}

void Form1::Form_SettingChange() {
  RefreshTitle(true);
  RefreshDateLine();
}

void Form1::Form_SettingsChanged() {
  RefreshTitle(true);
  RefreshDateLine();
  Timer4_Timer();
}

void Form1::Form_PowerBroadcast(WPARAM event) {
  if (event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND) {
    RefreshTitle(true);
    RefreshDateLine();
  }
}

void Form1::Form_DpiChanged(unsigned dpi) {
  dpi_ = UsableDpi(dpi);
  motion_.ChangeDpi(kHeight, dpi_);
  // The canvases go first: they may still hold one of the old fonts.
  ReleaseCanvases();
  CreateFonts();
  RefreshTitle(true);  // which form fits may change with the font's size
  CreateCanvases();
  left_ = StripLeft(ScreenWidthTwips(), SnapToPixel(kWidth, dpi_));
  PlaceWindow();
  InvalidateRect(hwnd_, nullptr, FALSE);
  SetDateToolTip(dateToolTipText_);  // the date line's new rectangle
  // Perhaps another monitor, with another refresh rate.
  refreshHz_ = platform_.DisplayRefreshHz(hwnd_);
  ApplyMotion();
}

void Form1::Form_DisplayChange() {
  left_ = StripLeft(ScreenWidthTwips(), SnapToPixel(kWidth, dpi_));
  PlaceWindow();
  refreshHz_ = platform_.DisplayRefreshHz(hwnd_);
  ApplyMotion();
  KeepOutOfFullScreen();  // full-screen programs often change the resolution
}

RECT Form1::CalendarPictureRect() const {
  return {MulDiv(kCalendarPicture.left, dpi_, kSkinDpi), MulDiv(kCalendarPicture.top, dpi_, kSkinDpi),
          MulDiv(kCalendarPicture.right, dpi_, kSkinDpi),
          MulDiv(kCalendarPicture.bottom, dpi_, kSkinDpi)};
}

float Form1::ScreenWidthTwips() const {
  return TwipsFromPixels(platform_.ScreenWidthPixels(), dpi_);
}

void Form1::PlaceWindow() {
  SetWindowPos(hwnd_, nullptr, PixelsFromTwips(left_, dpi_), PixelsFromTwips(motion_.Top(), dpi_),
               PixelsFromTwips(kWidth, dpi_), PixelsFromTwips(motion_.Height(), dpi_),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::ApplyMotion() {
  if (!hwnd_) return;
  const StripTimerSettings timers = StripTimers(motion_, refreshHz_);
  SyncTimer(kTimer1, timers.timer1);
  SyncTimer(kTimer2, timers.timer2);
  SyncTimer(kTimer4, timers.timer4);
  // The check's own ticks aim its timer; here it only starts, and restarts
  // with the count when the strip comes to rest down.
  if (autoHide_.Follow(motion_, platform_.TickCount())) {
    ArmAutoHideCheck(kAutoHideIntervalMs);
  } else if (!appliedTimers_[kTimer3].Running()) {
    SyncTimer(kTimer3, timers.timer3);
  }
  RECT placed;
  GetWindowRect(hwnd_, &placed);
  const int top = PixelsFromTwips(motion_.Top(), dpi_);
  if (placed.top != top) {
    SetWindowPos(hwnd_, nullptr, placed.left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  EnableWindow(hwnd_, motion_.Enabled());
  RedrawChangedLabels();
}

void Form1::ArmAutoHideCheck(uint32_t intervalMs) {
  if (!hwnd_) return;
  SetTimer(hwnd_, kTimer3, intervalMs, nullptr);
  appliedTimers_[kTimer3] = {true, intervalMs};
}

bool Form1::PointerOnStrip() const {
  POINT pointer;
  RECT strip;
  return GetCursorPos(&pointer) && GetWindowRect(hwnd_, &strip) && PtInRect(&strip, pointer);
}

bool Form1::MessageBoxOpen() {
  bool open = false;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM found) -> BOOL {
        wchar_t className[8] = L"";
        GetClassNameW(window, className, 8);
        const bool dialog = IsWindowVisible(window) && wcscmp(className, L"#32770") == 0;
        *reinterpret_cast<bool*>(found) = dialog;
        return dialog ? FALSE : TRUE;  // stop at the first
      },
      reinterpret_cast<LPARAM>(&open));
  return open;
}

void Form1::SyncTimer(Timer timer, const TimerSetting& setting) {
  TimerSetting& applied = appliedTimers_[timer];
  const bool same = setting.Running() ? applied.Running() && applied.intervalMs == setting.intervalMs
                                      : !applied.Running();
  if (!hwnd_ || same) return;
  if (setting.Running()) {
    SetTimer(hwnd_, timer, setting.intervalMs, nullptr);  // replaces a running one
  } else {
    KillTimer(hwnd_, timer);
  }
  applied = setting;
}

void Form1::RedrawChangedLabels() {
  for (size_t label = 0; label < kLabelCount; ++label) {
    if (!captions_[label].TakeRedraw(LabelsVisible()) || !hwnd_) continue;
    const RECT area = LabelRect(static_cast<Label>(label));
    // The counter is drawn by each paint; the others are in the background.
    if (label != kLabel1) ComposeBackground(&area);
    InvalidateRect(hwnd_, &area, FALSE);
  }
}

bool Form1::KeepOutOfFullScreen() {
  if (!hwnd_) return false;
  // Down or moving, the strip is in use: it stays.
  const bool fullScreen = !motion_.MoveX() && FullScreenInFront(platform_.Foreground(hwnd_));
  if (fullScreen == hiddenForFullScreen_) return fullScreen;
  hiddenForFullScreen_ = fullScreen;
  if (fullScreen) {
    ShowWindow(hwnd_, SW_HIDE);
  } else {
    // Back without taking the focus, above the windows that went topmost
    // meanwhile.
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
  return fullScreen;
}

bool Form1::OverLabel(LPARAM point) const {
  const POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  for (size_t label = 0; label < kLabelCount; ++label) {
    const RECT area = LabelRect(static_cast<Label>(label));
    if (PtInRect(&area, at)) return true;
  }
  return false;
}

}  // namespace tavilo
