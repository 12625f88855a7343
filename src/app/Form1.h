// The drop-down strip: a borderless, always-on-top window parked above the
// top-right corner of the screen. It slides down when the mouse touches the
// strip left on the screen, slides back up on a click or ten seconds after it
// was last in use (AutoHide), shows the running time and today's date, and
// opens the popup menu on a right-button press. Pure red is its transparent
// colour key.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <optional>
#include <string>

#include "app/ForegroundWatch.h"
#include "app/logic/AutoHide.h"
#include "app/logic/LabelCaption.h"
#include "app/logic/Motion.h"
#include "calendar/Class1.h"
#include "platform/Platform.h"
#include "ui/StripWindow.h"
#include "ui/WindowProc.h"

namespace tavilo {

class FrmMenu;

class Form1 final : public StripWindow {
 public:
  enum Timer : UINT_PTR {
    kTimer1 = 1,  // slide-down step
    kTimer2,      // slide-up step
    kTimer3,      // auto-hide check: the end of the count, else every ten seconds
    kTimer4,      // running-time counter
    kDateTimer,   // the next local midnight: the date line follows the date
  };

  // The labels the window draws itself, in the order they are drawn.
  enum Label : size_t { kLabel3, kLabel2, kLabel1, kLabelCount };

  static constexpr COLORREF kKeyColor = kStripKeyColor;
  static constexpr wchar_t kClassName[] = L"TaviloForm1";
  // The installer and the uninstaller post this registered message to the
  // strip to end a running Tavilo the way Exit does.
  static constexpr wchar_t kExitRequestName[] = L"Tavilo.Exit";

  Form1(HINSTANCE instance, Platform& platform, FrmMenu& menu);
  ~Form1();
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // The window is created, loaded (Form_Load) and shown.
  bool Create();
  // Form_Unload, then the window is destroyed. Does nothing once unloaded.
  void Unload();

  HWND Handle() const { return hwnd_; }
  WindowHandle StripHandle() const override { return hwnd_; }
  // The popup menu and the transparency window hold the strip down.
  void HoldStrip(bool bringDown) override;
  void ReleaseStrip() override;
  const Motion& motion() const { return motion_; }
  const std::wstring& Caption(Label label) const { return captions_[label].Text(); }
  // The label's rectangle in client pixels.
  RECT LabelRect(Label label) const;
  // The title shows the next prayer time in the date line's font.
  HFONT LabelFont(Label label) const {
    return label == kLabel3 && prayerTitle_ ? fonts_[kLabel2] : fonts_[label];
  }
  unsigned Dpi() const { return dpi_; }
  // The calendar picture of the skin, in client pixels: a click opens the
  // month calendar.
  RECT CalendarPictureRect() const;
  // The date line's tooltip: today's lunar date and occasions; the next
  // prayer time comes under them as it shows (ShownDateToolTip).
  const std::wstring& DateToolTip() const { return dateToolTipText_; }
  const std::wstring& ShownDateToolTip() const { return shownDateToolTip_; }

  // Event handlers. The window procedure routes messages to them.
  void Form_Load();
  void Form_Click();
  void Form_MouseDown(int button);
  void Form_MouseMove();
  void Form_Unload();
  void Form_Paint();
  void Timer1_Timer();
  void Timer2_Timer();
  void Timer3_Timer();
  void Timer4_Timer();
  // The local date may have changed: midnight, a new clock time or time zone,
  // a locale change, a resume from sleep.
  void DateTimer_Timer();
  void Form_TimeChange();
  void Form_SettingChange();
  // One of the user's settings changed (Persian digits, lunar correction).
  void Form_SettingsChanged();
  void Form_PowerBroadcast(WPARAM event);
  // The window now stands on a screen of another DPI.
  void Form_DpiChanged(unsigned dpi);
  // The screen's resolution changed.
  void Form_DisplayChange();

 private:
  friend LRESULT CALLBACK RoutedWindowProc<Form1>(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  // An off-screen picture of the window's size.
  struct Canvas {
    HDC dc = nullptr;
    HBITMAP pixels = nullptr;
    HGDIOBJ original = nullptr;
  };

  // Digits as the user chose to see them; the calendar's texts keep theirs.
  static std::wstring Shown(std::wstring text);
  void RefreshDateLine();
  // The title's next prayer time, when the minute changed since the last
  // look (or always); «Tavilo» while no place is chosen.
  void RefreshTitle(bool always);
  bool TitleFits(const std::wstring& text) const;
  void AddDateToolTip();
  void SetDateToolTip(const std::wstring& text);
  void DateToolTip_GetDispInfo(NMTTDISPINFOW& info);
  float ScreenWidthTwips() const;
  // Puts the window at left_ and the motion model's Top, at its size in
  // whole pixels of the current DPI.
  void PlaceWindow();
  // Puts the motion model's position, Enabled flag and timers on the window.
  void ApplyMotion();
  void SyncTimer(Timer timer, const TimerSetting& setting);
  // Sets the auto-hide check's timer afresh, its period starting now.
  void ArmAutoHideCheck(uint32_t intervalMs);
  // Seen at the auto-hide check: the pointer resting on the strip, or a
  // message box (or another dialog box) of the program open.
  bool PointerOnStrip() const;
  static bool MessageBoxOpen();
  // Labels can be seen unless the strip is parked (MoveX is False only then).
  bool LabelsVisible() const { return motion_.MoveX(); }
  void RedrawChangedLabels();
  bool OverLabel(LPARAM point) const;
  // Hides the parked line while a full-screen program is in front of it and
  // shows it again after; true while one is. Asks the system only when the
  // strip is parked.
  bool KeepOutOfFullScreen();
  void CreateFonts();
  // Shrinks Label1's font when its text would not fit on one line.
  void FitCounterFont();
  template <typename NextHeight>
  void ShrinkLabelFont(Label label, NextHeight nextHeight);
  // Shrinks Label2's font when its wrapped text would not fit its label.
  void FitDateLineFont();
  // The background and the paint buffer, at the current DPI.
  void CreateCanvases();
  void ReleaseCanvases();
  void ReleaseResources();
  // The key colour, the skin and every label but the counter, whose text
  // changes on nearly every tick and is drawn by each paint.
  // Only `area` of it when given.
  void ComposeBackground(const RECT* area = nullptr);
  void DrawLabel(HDC dc, Label label) const;

  HINSTANCE instance_;
  Platform& platform_;
  FrmMenu& menu_;
  HWND hwnd_ = nullptr;
  UINT exitRequest_ = 0;
  unsigned dpi_ = 96;
  float left_ = 0.0f;  // twips
  Motion motion_;
  AutoHide autoHide_;
  // Exit under way: a start that asks for the strip is to run in our place.
  bool unloading_ = false;
  std::array<LabelCaption, kLabelCount> captions_;
  bool prayerTitle_ = false;  // the title shows the next prayer time
  int64_t titleMinute_ = 0;   // the minute (Unix) the title was made for
  std::array<HFONT, kLabelCount> fonts_{};
  // The hour digits Label1's font was sized for.
  size_t counterHourDigits_ = std::wstring::npos;
  // The date line Label2's font was sized for.
  std::wstring dateLineFittedFor_;
  // What each timer the motion drives was last set to.
  std::array<TimerSetting, kTimer4 + 1> appliedTimers_{};
  // The refresh rate of the strip's monitor: the counter's timer ticks once a
  // frame.
  int refreshHz_ = 0;
  HBITMAP skin_ = nullptr;
  // A paint copies from the background and draws the counter in the
  // buffer: a tick creates no GDI object and lays out no Persian text.
  Canvas background_;
  Canvas buffer_;
  std::optional<Class1> calendar_;
  bool leftButtonDown_ = false;
  HWND dateToolTip_ = nullptr;  // owned by the window, gone with it
  std::wstring dateToolTipText_;
  std::wstring shownDateToolTip_;  // what the tooltip last asked for
  ForegroundWatch foregroundWatch_;
  bool hiddenForFullScreen_ = false;
};

}  // namespace tavilo
