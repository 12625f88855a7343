// The skeleton every tool window shares. A window describes itself with a
// ToolWindowDesign (class, caption, place, controls, first focus, action
// button) and derives from ToolWindowBase<Itself>; the base creates it, lays
// it out for its DPI and follows DPI changes, gives it the keyboard of a
// dialog box, slides it out when it is closed and releases it afterwards.
//
// Hooks a window may declare (the base's own do nothing):
//   void BuildWindow();       after the controls exist, before it is shown
//   void OnDpiChanged();      its own fonts and pictures at the new dpi_
//   void Form_Unload();       the close box; the base's slides the window out
//                             (SlideOut)
//   void Form_Destroyed();    releases what the window holds of its own
//   bool EscapeHides() const; Esc hides instead of closing
//   int FirstFocus() const;   the control focused when it opens, when that
//                             depends on its state
//   void Form_Paint();        paints the client area (WM_PAINT)
//   void OnThemeChanged();    the theme changed (dark mode, high contrast);
//                             the base has recoloured the controls already
//   LRESULT WindowMessage(UINT, WPARAM, LPARAM);  every other message
// A window whose Form_Paint fills every pixel declares
// `static constexpr bool kPaintsWholeClientArea = true;`.
// A window that declares a hook privately names ToolWindowBase a friend.
//
// Every window follows the theme (WindowTheme.h): its surface, the controls'
// WM_CTLCOLOR* colours and its title bar, live when the user changes the app
// mode, high contrast or the system colours.
#pragma once

#include <windows.h>

#include <algorithm>
#include <span>

#include "platform/Platform.h"
#include "tools/logic/WindowPlacement.h"
#include "tools/shared/ControlTable.h"
#include "tools/shared/DialogKeys.h"
#include "tools/shared/SlideOut.h"
#include "ui/CommonControls.h"
#include "ui/ToolWindows.h"
#include "ui/WindowProc.h"
#include "ui/WindowTheme.h"

namespace tavilo {

struct ToolWindowDesign {
  const wchar_t* className;
  const wchar_t* caption;
  DWORD style;
  DWORD exStyle;
  // The client area in twips; `origin` says what left and top place.
  Origin origin;
  float left, top, width, height;
  std::span<const ControlSpec> controls;
  float fontPoints;
  int firstFocus;    // the control focused when the window opens
  int actionButton;  // what Enter presses unless a button has the focus
};

// Shows the window (restored if minimized) and makes it the foreground
// window.
inline void BringWindowToFront(HWND window) {
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
}

template <class Window>
class ToolWindowBase : public ToolWindow {
 public:
  ~ToolWindowBase() override {
    if (hwnd_) DestroyWindow(hwnd_);
  }
  ToolWindowBase(const ToolWindowBase&) = delete;
  ToolWindowBase& operator=(const ToolWindowBase&) = delete;

  bool IsOpen() const override { return hwnd_ != nullptr; }
  HWND Handle() const { return hwnd_; }

  void Open() override {
    if (hwnd_ || !Load()) return;
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    FocusControl(GetDlgItem(hwnd_, self().FirstFocus()));
  }

  // A window that is sliding out is opened afresh once it has gone, so the
  // command that asked for it is not lost.
  void BringToFront() override {
    if (!hwnd_) return;
    if (IsSlidingOut(hwnd_)) {
      reopenWhenGone_ = true;
      return;
    }
    BringWindowToFront(hwnd_);
  }

 protected:
  explicit ToolWindowBase(Platform& platform) : platform_(platform) {}

  // Creates the window (its controls built) without showing it; true when it
  // exists.
  bool Load() {
    if (hwnd_) return true;
    const ToolWindowDesign& design = Window::kDesign;
    EnsureCommonControls();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterToolWindowClass(instance, design.className, &RoutedWindowProc<ToolWindowBase>);
    // Placed and sized once the window knows its DPI (WM_CREATE).
    CreateWindowExW(design.exStyle, design.className, design.caption, design.style,
                    CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, self().Owner(), nullptr, instance,
                    static_cast<ToolWindowBase*>(this));
    return hwnd_ != nullptr;
  }

  void BuildWindow() {}
  void OnDpiChanged() {}
  void OnThemeChanged() {}
  int FirstFocus() const { return Window::kDesign.firstFocus; }
  void Form_Unload() { SlideOut(hwnd_, kSlideStepTwips); }
  void Form_Destroyed() {}
  bool EscapeHides() const { return false; }
  HWND Owner() const { return nullptr; }
  LRESULT WindowMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcW(hwnd_, message, wparam, lparam);
  }

  // Slides the window off the screen and destroys it (SlideOutAndUnload);
  // opens it again when a command asked for it meanwhile and the program
  // goes on.
  void SlideOut(HWND frmSlide, std::int16_t iSpeed) {
    const bool goesOn = SlideOutAndUnload(frmSlide, iSpeed, platform_);
    if (reopenWhenGone_ && goesOn && !hwnd_) {
      reopenWhenGone_ = false;
      Open();
    }
    reopenWhenGone_ = false;
  }

  // Over the middle of the window that is active as it opens (the one it was
  // asked from).
  void CentreOverActiveWindow() {
    RECT over{}, frame{};
    if (HWND from = GetActiveWindow(); from && GetWindowRect(from, &over)) {
      GetWindowRect(hwnd_, &frame);
      SetWindowPos(hwnd_, nullptr, (over.left + over.right - (frame.right - frame.left)) / 2,
                   (over.top + over.bottom - (frame.bottom - frame.top)) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }

  Platform& platform_;
  HWND hwnd_ = nullptr;
  unsigned dpi_ = 96;
  HFONT font_ = nullptr;  // the controls' font at dpi_

 private:
  friend LRESULT CALLBACK RoutedWindowProc<ToolWindowBase>(HWND, UINT, WPARAM, LPARAM);

  Window& self() { return static_cast<Window&>(*this); }

  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
      case WM_CREATE:
        Build();
        return 0;
      case WM_DPICHANGED:
        ChangeDpi(LOWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
        return 0;
      case WM_ACTIVATE:
        KeepFocus(LOWORD(wparam) != WA_INACTIVE);
        return 0;
      case DM_GETDEFID:
        return MAKELRESULT(DefaultButton(), DC_HASDEFID);
      case WM_COMMAND:
        if (LOWORD(wparam) == IDCANCEL && lparam == 0) {
          Escape();
          return 0;
        }
        if (HIWORD(wparam) == BN_CLICKED) SelectFocusedOption(reinterpret_cast<HWND>(lparam));
        break;
      case WM_NEXTDLGCTL:  // Tab, and Tab in a multi-line box, which takes every key
        if (LOWORD(lparam)) {
          SetFocus(reinterpret_cast<HWND>(wparam));
        } else {
          SetFocus(GetNextDlgTabItem(hwnd_, GetFocus(), wparam != 0));
        }
        ScrollIntoView(GetFocus());
        return 0;
      case WM_ERASEBKGND: {
        // A window that draws every pixel itself needs no erasing first.
        if constexpr (requires { Window::kPaintsWholeClientArea; }) return 1;
        RECT client;
        GetClientRect(hwnd_, &client);
        FillRect(reinterpret_cast<HDC>(wparam), &client, SurfaceBrush());
        return 1;
      }
      case WM_CTLCOLORSTATIC:
      case WM_CTLCOLOREDIT:
      case WM_CTLCOLORLISTBOX:
      case WM_CTLCOLORDLG:
        if (HBRUSH brush = ControlColours(message, reinterpret_cast<HDC>(wparam)))
          return reinterpret_cast<LRESULT>(brush);
        break;
      case WM_SYSCOLORCHANGE:
        FollowTheme();
        break;
      case WM_SETTINGCHANGE:
        if (IsThemeSetting(wparam, lparam)) FollowTheme();
        break;
      case WM_VSCROLL:
      case WM_HSCROLL:
        if (lparam) break;  // a scroll bar control's, for the window itself
        ScrollClient(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wparam));
        return 0;
      case WM_PAINT:
        if constexpr (requires(Window& window) { window.Form_Paint(); }) {
          self().Form_Paint();
          return 0;
        }
        break;
      case WM_CLOSE:
        // A close request during the slide belongs to the close under way.
        if (!IsSlidingOut(hwnd_)) self().Form_Unload();
        return 0;
      case WM_NCDESTROY:
        RemoveDialogWindow(hwnd_);
        self().Form_Destroyed();
        DeleteObject(font_);
        font_ = nullptr;
        lastFocus_ = nullptr;
        return 0;
    }
    return self().WindowMessage(message, wparam, lparam);
  }

  void Build() {
    const ToolWindowDesign& design = Window::kDesign;
    dpi_ = platform_.WindowDpi(hwnd_);
    PlaceWindow(hwnd_, design.origin, design.left, design.top, design.width, design.height, dpi_);
    font_ = CreateTahoma(dpi_, ARABIC_CHARSET, false, design.fontPoints);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    CreateControls(hwnd_, design.controls, font_, dpi_);
    AddDialogWindow(hwnd_);
    self().BuildWindow();
    FollowTheme();
    KeepInWorkArea();
  }

  // Every button and edge stays reachable: the window shifts onto the work
  // area of its monitor when its place or size at this DPI would leave part
  // of it off the screen or under the taskbar; one larger than the work area
  // is cut to it and its client area scrolls.
  void KeepInWorkArea() {
    const ScreenRect work = platform_.MonitorOf(hwnd_).work;
    RECT frame, client;
    GetWindowRect(hwnd_, &frame);
    GetClientRect(hwnd_, &client);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const FittedFrame fitted = FitFrame(width, height, work, GetSystemMetrics(SM_CXVSCROLL));
    if (fitted.scrollsAcross || fitted.scrollsDown) {
      ShowScrollBar(hwnd_, SB_HORZ, fitted.scrollsAcross);
      ShowScrollBar(hwnd_, SB_VERT, fitted.scrollsDown);
      SetWindowPos(hwnd_, nullptr, 0, 0, fitted.width, fitted.height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      // Windows holds a window to the screen's size: the design says how
      // far its client area reaches.
      const RECT design = PixelRect(0, 0, Window::kDesign.width, Window::kDesign.height, dpi_);
      RECT shown;
      GetClientRect(hwnd_, &shown);
      SetScrollExtent(SB_HORZ, fitted.scrollsAcross ? std::max(client.right, design.right) : 0,
                      shown.right);
      SetScrollExtent(SB_VERT, fitted.scrollsDown ? std::max(client.bottom, design.bottom) : 0,
                      shown.bottom);
      GetWindowRect(hwnd_, &frame);
    }
    const ScreenRect now{frame.left, frame.top, frame.right, frame.bottom};
    const ScreenRect kept = KeepInside(now, work);
    if (kept == now) return;
    SetWindowPos(hwnd_, nullptr, kept.left, kept.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  void SetScrollExtent(int bar, int extent, int shown) {
    SCROLLINFO range{sizeof range, SIF_RANGE | SIF_PAGE | SIF_POS, 0, extent - 1,
                     static_cast<UINT>(extent ? shown : 0), 0, 0};
    SetScrollInfo(hwnd_, bar, &range, TRUE);
  }

  // The window's own scroll bars (a window cut to the work area) move the
  // client area: its controls, and what it paints (PaintBuffered follows the
  // scroll position).
  void ScrollClient(int bar, int request) {
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(hwnd_, bar, &info);
    const int line = MulDiv(16, static_cast<int>(dpi_), 96);
    const int page = static_cast<int>(info.nPage);
    int wanted = info.nPos;
    switch (request) {
      case SB_LINEUP: wanted -= line; break;
      case SB_LINEDOWN: wanted += line; break;
      case SB_PAGEUP: wanted -= page; break;
      case SB_PAGEDOWN: wanted += page; break;
      case SB_TOP: wanted = info.nMin; break;
      case SB_BOTTOM: wanted = info.nMax; break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: wanted = info.nTrackPos; break;
      default: return;
    }
    ScrollTo(bar, wanted);
  }

  void ScrollTo(int bar, int wanted) {
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(hwnd_, bar, &info);
    wanted = std::clamp(wanted, info.nMin, std::max(info.nMin, info.nMax - static_cast<int>(info.nPage) + 1));
    if (wanted == info.nPos) return;
    SetScrollPos(hwnd_, bar, wanted, TRUE);
    const int by = info.nPos - wanted;
    ScrollWindowEx(hwnd_, bar == SB_HORZ ? by : 0, bar == SB_VERT ? by : 0, nullptr, nullptr,
                   nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  }

  // The control Tab moved to, or focused as the window opens, comes into
  // sight in a window that scrolls.
  void ScrollIntoView(HWND control) {
    const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
    if (!control || !IsChild(hwnd_, control) || !(style & (WS_HSCROLL | WS_VSCROLL))) return;
    RECT rect, client;
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, hwnd_, reinterpret_cast<POINT*>(&rect), 2);
    GetClientRect(hwnd_, &client);
    const auto into = [](LONG start, LONG end, LONG room) {
      return start < 0 ? start : std::max(0L, std::min(end - room, start));
    };
    if (style & WS_VSCROLL)
      ScrollTo(SB_VERT, GetScrollPos(hwnd_, SB_VERT) + into(rect.top, rect.bottom, client.bottom));
    if (style & WS_HSCROLL)
      ScrollTo(SB_HORZ, GetScrollPos(hwnd_, SB_HORZ) + into(rect.left, rect.right, client.right));
  }

  // The window moved to a screen of another DPI: it takes the rectangle
  // Windows suggests, and its fonts and controls are made anew for it.
  void ChangeDpi(unsigned dpi, const RECT& suggested) {
    const ToolWindowDesign& design = Window::kDesign;
    dpi_ = dpi;
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // A window that was cut to its work area takes its whole size again,
    // to be fitted anew at this DPI.
    if (GetWindowLongPtrW(hwnd_, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) {
      ShowScrollBar(hwnd_, SB_BOTH, FALSE);
      PlaceWindow(hwnd_, Origin::kKeepPosition, 0, 0, design.width, design.height, dpi_);
    }
    HFONT previous = font_;
    font_ = CreateTahoma(dpi_, ARABIC_CHARSET, false, design.fontPoints);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    LayoutControls(hwnd_, design.controls, font_, dpi_);
    DeleteObject(previous);
    self().OnDpiChanged();
    KeepInWorkArea();
    InvalidateRect(hwnd_, nullptr, TRUE);
  }

  // Reads the theme; a window made in another theme than the one now active
  // is recoloured.
  void FollowTheme() {
    RefreshTheme(platform_);
    if (themeVersion_ == ThemeVersion()) return;
    themeVersion_ = ThemeVersion();
    ApplyThemeTo(hwnd_, darkApplied_);
    self().OnThemeChanged();
  }

  // The control that had the focus gets it back when the window is active
  // again (a menu command, Alt+Tab).
  void KeepFocus(bool activated) {
    if (!activated) {
      HWND focus = GetFocus();
      if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
      return;
    }
    HWND target = lastFocus_ && IsChild(hwnd_, lastFocus_)
                      ? lastFocus_
                      : GetDlgItem(hwnd_, self().FirstFocus());
    FocusControl(target);
  }

  void FocusControl(HWND control) {
    if (!control) return;
    SetFocus(control);
    ScrollIntoView(control);
    lastFocus_ = control;
    SelectFocusedOption(control);
  }

  // Enter presses the focused push button, else the action button.
  int DefaultButton() const {
    HWND focus = GetFocus();
    if (focus && IsChild(hwnd_, focus) &&
        (SendMessageW(focus, WM_GETDLGCODE, 0, 0) &
         (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
      return GetDlgCtrlID(focus);
    }
    return Window::kDesign.actionButton;
  }

  void Escape() {
    if (self().EscapeHides()) {
      ShowWindow(hwnd_, SW_HIDE);
    } else {
      PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    }
  }

  // An option button that takes the focus is selected, as a click would.
  void SelectFocusedOption(HWND control) {
    if (!control || GetFocus() != control || !IsChild(hwnd_, control)) return;
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    if ((style & BS_TYPEMASK) != BS_AUTORADIOBUTTON) return;
    if (SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED) return;
    for (HWND other = GetNextDlgGroupItem(hwnd_, control, FALSE); other && other != control;
         other = GetNextDlgGroupItem(hwnd_, other, FALSE)) {
      SendMessageW(other, BM_SETCHECK, BST_UNCHECKED, 0);
    }
    SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
  }

  HWND lastFocus_ = nullptr;
  bool reopenWhenGone_ = false;
  unsigned themeVersion_ = 0;  // light, as every window starts
  bool darkApplied_ = false;
};

}  // namespace tavilo
