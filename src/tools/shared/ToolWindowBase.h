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
// `static constexpr bool kPaintsWholeClientArea = true;`; one that gives the
// mouse wheel a meaning of its own, `static constexpr bool kOwnsWheel = true;`
// (the base's scrolls a window cut to its work area).
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
        if (TookFocus(reinterpret_cast<HWND>(lparam), HIWORD(wparam)))
          ScrollIntoView(reinterpret_cast<HWND>(lparam));
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
      case WM_MOUSEWHEEL:
        if constexpr (!requires { Window::kOwnsWheel; }) {
          ScrollByWheel(GET_WHEEL_DELTA_WPARAM(wparam));
          return 0;
        }
        break;
      case WM_GETMINMAXINFO: {
        // Windows would hold the window to the screen it knows: the size
        // fitted to its own monitor's work area stands.
        DefWindowProcW(hwnd_, message, wparam, lparam);
        auto* limits = reinterpret_cast<MINMAXINFO*>(lparam);
        limits->ptMaxTrackSize.x = std::max(limits->ptMaxTrackSize.x, fitted_.cx);
        limits->ptMaxTrackSize.y = std::max(limits->ptMaxTrackSize.y, fitted_.cy);
        return 0;
      }
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
  // is cut to it and its client area scrolls, from the top, and from the
  // right in a right-to-left window, where its reader starts.
  void KeepInWorkArea() {
    const ScreenRect work = platform_.MonitorOf(hwnd_).work;
    RECT frame, client;
    GetWindowRect(hwnd_, &frame);
    GetClientRect(hwnd_, &client);
    // Windows may have held the window to the screen it knows: the design
    // says how far its client area reaches.
    const RECT design = PixelRect(0, 0, Window::kDesign.width, Window::kDesign.height, dpi_);
    const SIZE content{std::max(client.right, design.right), std::max(client.bottom, design.bottom)};
    const FittedFrame fitted =
        FitFrame(frame.right - frame.left - client.right + content.cx,
                 frame.bottom - frame.top - client.bottom + content.cy, work,
                 GetSystemMetrics(SM_CXVSCROLL));
    fitted_ = {fitted.width, fitted.height};
    if (fitted.scrollsAcross) ShowScrollBar(hwnd_, SB_HORZ, TRUE);
    if (fitted.scrollsDown) ShowScrollBar(hwnd_, SB_VERT, TRUE);
    SetWindowPos(hwnd_, nullptr, 0, 0, fitted.width, fitted.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT shown;
    GetClientRect(hwnd_, &shown);
    if (fitted.scrollsAcross) SetScrollExtent(SB_HORZ, content.cx, shown.right);
    if (fitted.scrollsDown) SetScrollExtent(SB_VERT, content.cy, shown.bottom);
    if (Window::kDesign.exStyle & WS_EX_RTLREADING) ScrollTo(SB_HORZ, content.cx);
    GetWindowRect(hwnd_, &frame);
    const ScreenRect now{frame.left, frame.top, frame.right, frame.bottom};
    const ScreenRect kept = KeepInside(now, work);
    if (kept == now) return;
    SetWindowPos(hwnd_, nullptr, kept.left, kept.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  void SetScrollExtent(int bar, int extent, int shown) {
    SCROLLINFO range{sizeof range, SIF_RANGE | SIF_PAGE | SIF_POS, 0, extent - 1,
                     static_cast<UINT>(shown), 0, 0};
    SetScrollInfo(hwnd_, bar, &range, TRUE);
  }

  // The window's own scroll bars (a window cut to the work area) move the
  // client area: its controls, and what it paints (PaintBuffered follows the
  // scroll position).
  void ScrollClient(int bar, int request) {
    using enum ScrollRequest;
    // In the order of SB_LINEUP to SB_BOTTOM.
    static constexpr ScrollRequest kRequests[] = {kLineBack, kLineForward, kPageBack, kPageForward,
                                                  kTo,       kTo,          kStart,    kEnd};
    if (request < 0 || request > SB_BOTTOM) return;
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(hwnd_, bar, &info);
    ScrollTo(bar, ScrolledPosition(info.nPos, kRequests[request], info.nTrackPos,
                                   info.nMax - info.nMin + 1, static_cast<int>(info.nPage),
                                   ScrollLine()));
  }

  // The lines the user set for a notch of the wheel, or a page.
  void ScrollByWheel(int delta) {
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    RECT client;
    GetClientRect(hwnd_, &client);
    const int notch =
        lines == WHEEL_PAGESCROLL ? client.bottom : static_cast<int>(lines) * ScrollLine();
    ScrollTo(SB_VERT, GetScrollPos(hwnd_, SB_VERT) - MulDiv(delta, notch, WHEEL_DELTA));
  }

  int ScrollLine() const { return MulDiv(16, static_cast<int>(dpi_), 96); }

  // An axis without a scroll bar stays where it is.
  void ScrollTo(int bar, int wanted) {
    if (!(GetWindowLongPtrW(hwnd_, GWL_STYLE) & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL))) return;
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(hwnd_, bar, &info);
    wanted = ScrolledPosition(info.nPos, ScrollRequest::kTo, wanted, info.nMax - info.nMin + 1,
                              static_cast<int>(info.nPage), 0);
    if (wanted == info.nPos) return;
    SetScrollPos(hwnd_, bar, wanted, TRUE);
    const int by = info.nPos - wanted;
    // The controls are moved one by one: ScrollWindowEx leaves them where
    // they are while the window is not yet shown.
    HDWP moves = BeginDeferWindowPos(static_cast<int>(Window::kDesign.controls.size()));
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child && moves;
         child = GetWindow(child, GW_HWNDNEXT)) {
      RECT area;
      GetWindowRect(child, &area);
      MapWindowPoints(HWND_DESKTOP, hwnd_, reinterpret_cast<POINT*>(&area), 2);
      moves = DeferWindowPos(moves, child, nullptr, area.left + (bar == SB_HORZ ? by : 0),
                             area.top + (bar == SB_VERT ? by : 0), 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (moves) EndDeferWindowPos(moves);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }

  // The control Tab moved to, that took the focus or that has it as the
  // window opens comes into sight in a window that scrolls.
  void ScrollIntoView(HWND control) {
    if (!control || !IsChild(hwnd_, control)) return;
    RECT rect, client;
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, hwnd_, reinterpret_cast<POINT*>(&rect), 2);
    GetClientRect(hwnd_, &client);
    const int x = GetScrollPos(hwnd_, SB_HORZ);
    const int y = GetScrollPos(hwnd_, SB_VERT);
    ScrollTo(SB_HORZ, PositionShowing(x, client.right, rect.left + x, rect.right + x));
    ScrollTo(SB_VERT, PositionShowing(y, client.bottom, rect.top + y, rect.bottom + y));
  }

  // A control's notification that it took the focus (a click, SetFocus): a
  // button's when it has BS_NOTIFY.
  static bool TookFocus(HWND control, int notification) {
    wchar_t name[16] = L"";
    GetClassNameW(control, name, 16);
    const struct { const wchar_t* windowClass; int notification; } kTakes[] = {
        {L"EDIT", EN_SETFOCUS}, {L"LISTBOX", LBN_SETFOCUS}, {L"COMBOBOX", CBN_SETFOCUS},
        {L"BUTTON", BN_SETFOCUS}};
    for (const auto& takes : kTakes) {
      if (!lstrcmpiW(name, takes.windowClass)) return notification == takes.notification;
    }
    return false;
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
  SIZE fitted_{0, 0};  // the frame's size on its work area
  bool reopenWhenGone_ = false;
  unsigned themeVersion_ = 0;  // light, as every window starts
  bool darkApplied_ = false;
};

}  // namespace tavilo
