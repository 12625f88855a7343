// The prayer-time window on a work area too small for it: as large as the
// work area, its client area scrolled by the bars, the wheel and the focus.
#include <windows.h>

#include <cwchar>

#include "tools/FrmPrayer.h"
#include "tools/logic/PrayerWindowFit.h"
#include "ui/Twips.h"

namespace tavilo {
namespace {

ScrollRequest RequestOf(int request) {
  switch (request) {
    case SB_LINEUP: return ScrollRequest::kLineBack;
    case SB_LINEDOWN: return ScrollRequest::kLineForward;
    case SB_PAGEUP: return ScrollRequest::kPageBack;
    case SB_PAGEDOWN: return ScrollRequest::kPageForward;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return ScrollRequest::kTo;
    case SB_TOP: return ScrollRequest::kStart;
    default: return ScrollRequest::kEnd;  // SB_BOTTOM
  }
}

void SetBar(HWND window, int bar, int content, int view, int position) {
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, content - 1,
                  static_cast<UINT>(view), position, 0};
  SetScrollInfo(window, bar, &info, TRUE);
}

// The notification a control of this class sends when it takes the focus.
bool TakesFocus(const wchar_t* windowClass, int notification) {
  if (!_wcsicmp(windowClass, L"EDIT")) return notification == EN_SETFOCUS;
  if (!_wcsicmp(windowClass, L"LISTBOX")) return notification == LBN_SETFOCUS;
  if (!_wcsicmp(windowClass, L"COMBOBOX")) return notification == CBN_SETFOCUS;
  if (!_wcsicmp(windowClass, L"BUTTON")) return notification == BN_SETFOCUS;
  return false;
}

}  // namespace

void FrmPrayer::OnDpiChanged() {
  FitWorkArea();
}

void FrmPrayer::FitWorkArea() {
  // The controls stand at their table's places, as made or laid out anew.
  scrollX_ = scrollY_ = 0;
  ShowScrollBar(hwnd_, SB_BOTH, FALSE);
  RECT frame, client;
  GetWindowRect(hwnd_, &frame);
  GetClientRect(hwnd_, &client);
  contentWidth_ = PixelsFromTwips(kDesign.width, dpi_);
  contentHeight_ = PixelsFromTwips(kDesign.height, dpi_);
  const ScreenRect work = platform_.MonitorOf(hwnd_).work;
  const ClientFit fit = FitClient(
      {contentWidth_, contentHeight_},
      {frame.right - frame.left - client.right, frame.bottom - frame.top - client.bottom},
      {GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)},
      {work.right - work.left, work.bottom - work.top});
  fitted_ = fit.window;
  viewWidth_ = fit.view.width;
  viewHeight_ = fit.view.height;
  ShowScrollBar(hwnd_, SB_HORZ, fit.horizontalBar);
  ShowScrollBar(hwnd_, SB_VERT, fit.verticalBar);
  SetWindowPos(hwnd_, nullptr, 0, 0, fit.window.width, fit.window.height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // Persian reads from the right: a narrowed window shows its right column.
  const int x = fit.horizontalBar ? contentWidth_ - viewWidth_ : 0;
  if (fit.horizontalBar) SetBar(hwnd_, SB_HORZ, contentWidth_, viewWidth_, x);
  if (fit.verticalBar) SetBar(hwnd_, SB_VERT, contentHeight_, viewHeight_, 0);
  ScrollTo(x, 0);
}

void FrmPrayer::Scroll(int bar, int request, int thumb) {
  if (request == SB_ENDSCROLL) return;
  const bool vertical = bar == SB_VERT;
  if (vertical ? viewHeight_ >= contentHeight_ : viewWidth_ >= contentWidth_) return;
  if (request == SB_THUMBTRACK) {
    // The 16-bit thumb of the message is not enough for every screen.
    SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(hwnd_, bar, &info);
    thumb = info.nTrackPos;
  }
  const int line = PixelsFromTwips(420, dpi_);  // a row of the window
  const int position =
      vertical ? ScrolledPosition(scrollY_, RequestOf(request), thumb, contentHeight_, viewHeight_, line)
               : ScrolledPosition(scrollX_, RequestOf(request), thumb, contentWidth_, viewWidth_, line);
  ScrollTo(vertical ? scrollX_ : position, vertical ? position : scrollY_);
}

void FrmPrayer::ScrollTo(int x, int y) {
  const int dx = scrollX_ - x;
  const int dy = scrollY_ - y;
  scrollX_ = x;
  scrollY_ = y;
  if (viewWidth_ < contentWidth_) SetScrollPos(hwnd_, SB_HORZ, x, TRUE);
  if (viewHeight_ < contentHeight_) SetScrollPos(hwnd_, SB_VERT, y, TRUE);
  if (dx == 0 && dy == 0) return;
  // The controls are moved one by one: ScrollWindowEx leaves them where
  // they are while the window is not yet shown.
  HDWP moves = BeginDeferWindowPos(static_cast<int>(kDesign.controls.size()));
  for (HWND child = GetWindow(hwnd_, GW_CHILD); child && moves;
       child = GetWindow(child, GW_HWNDNEXT)) {
    RECT area;
    GetWindowRect(child, &area);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&area), 2);
    moves = DeferWindowPos(moves, child, nullptr, area.left + dx, area.top + dy, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (moves) EndDeferWindowPos(moves);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void FrmPrayer::ShowFocused(int control, int notification) {
  if (viewWidth_ >= contentWidth_ && viewHeight_ >= contentHeight_) return;
  const ControlSpec* spec = nullptr;
  for (const ControlSpec& each : kDesign.controls) {
    if (each.id == control) spec = &each;
  }
  if (!spec || !TakesFocus(spec->windowClass, notification)) return;
  RECT area;
  GetWindowRect(GetDlgItem(hwnd_, control), &area);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&area), 2);
  ScrollTo(PositionShowing(scrollX_, viewWidth_, area.left + scrollX_, area.right + scrollX_),
           PositionShowing(scrollY_, viewHeight_, area.top + scrollY_, area.bottom + scrollY_));
}

}  // namespace tavilo
