#include "tools/FrmTrans.h"

#include <algorithm>

#include "app/Form1.h"
#include "tools/logic/Opacity.h"
#include "tools/shared/ControlTable.h"
#include "tools/shared/SlideOut.h"

namespace tavilo {

namespace {

constexpr wchar_t kClassName[] = L"TaviloFrmTrans";
constexpr wchar_t kCaption[] = L"تغيير شفافيت";

constexpr float kLeft = 10080;
constexpr float kTop = 5280;
constexpr float kClientWidth = 5160;
constexpr float kClientHeight = 1515;
// A click in the track moves the thumb as far as an arrow does.
constexpr int kLargeChange = 1;

// In tab order. "Much" transparency stands over the left end (the least
// opacity), "little" over the right end; the bar is not mirrored.
constexpr ControlSpec kControls[] = {
    {FrmTrans::kHScroll1, L"SCROLLBAR", L"", SBS_HORZ | WS_TABSTOP, 0, 480, 600, 4095, 495},
    {FrmTrans::kLabel1, L"STATIC", L"کم", SS_RIGHT, kRightToLeftExStyle, 4320, 240, 255, 255},
    {FrmTrans::kLabel2, L"STATIC", L"زياد", SS_RIGHT, kRightToLeftExStyle, 120, 240, 615, 255},
};

}  // namespace

FrmTrans::FrmTrans(Platform& platform, const Form1& form1) : platform_(platform), form1_(form1) {}

FrmTrans::~FrmTrans() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void FrmTrans::Open() {
  if (hwnd_) return;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterToolWindowClass(instance, kClassName, &RoutedWindowProc<FrmTrans>);
  CreateWindowExW(kRightToLeftExStyle, kClassName, kCaption, kToolWindowStyle, 0, 0, 0, 0,
                  nullptr, nullptr, instance, this);
  if (!hwnd_) return;
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  SetFocus(GetDlgItem(hwnd_, kHScroll1));
}

void FrmTrans::BringToFront() { BringWindowToFront(hwnd_); }

LRESULT FrmTrans::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND hwnd = hwnd_;
  switch (message) {
    case WM_CREATE:
      CreateControls();
      return 0;
    case WM_HSCROLL: {
      const int request = LOWORD(wparam);
      if (!Scroll(request, HIWORD(wparam))) return 0;
      if (request == SB_THUMBTRACK) {
        HScroll1_Scroll();
      } else {
        HScroll1_Change();
      }
      return 0;
    }
    case WM_CLOSE:
      // A close request during the slide belongs to the close under way.
      if (!IsSlidingOut(hwnd)) Form_Unload();
      return 0;
    case WM_NCDESTROY:
      Form_Destroyed();
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

void FrmTrans::CreateControls() {
  const unsigned dpi = platform_.WindowDpi(hwnd_);
  PlaceWindow(hwnd_, Origin::kWindow, kLeft, kTop, kClientWidth, kClientHeight, dpi);
  font_ = CreateTahoma(dpi, ARABIC_CHARSET);
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  tavilo::CreateControls(hwnd_, kControls, font_, dpi);

  SCROLLINFO range{};
  range.cbSize = sizeof range;
  range.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  range.nMin = kOpacityMin;
  range.nMax = kOpacityMax;
  range.nPage = 0;
  range.nPos = kOpacityMax;
  SetScrollInfo(GetDlgItem(hwnd_, kHScroll1), SB_CTL, &range, TRUE);
}

bool FrmTrans::Scroll(int request, int thumbPosition) {
  HWND bar = GetDlgItem(hwnd_, kHScroll1);
  const int position = GetScrollPos(bar, SB_CTL);
  int wanted = position;
  switch (request) {
    case SB_LINELEFT:
      wanted = position - 1;
      break;
    case SB_LINERIGHT:
      wanted = position + 1;
      break;
    case SB_PAGELEFT:
      wanted = position - kLargeChange;
      break;
    case SB_PAGERIGHT:
      wanted = position + kLargeChange;
      break;
    case SB_LEFT:
      wanted = kOpacityMin;
      break;
    case SB_RIGHT:
      wanted = kOpacityMax;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      wanted = thumbPosition;
      break;
    default:
      return false;
  }
  wanted = std::clamp(wanted, kOpacityMin, kOpacityMax);
  // The end of a drag applies the final position once more.
  if (wanted == position && request != SB_THUMBPOSITION) return false;
  SetScrollPos(bar, SB_CTL, wanted, TRUE);
  return true;
}

void FrmTrans::HScroll1_Change() {
  ApplyOpacity(platform_, form1_.Handle(), Form1::kKeyColor,
               GetScrollPos(GetDlgItem(hwnd_, kHScroll1), SB_CTL));
}

void FrmTrans::HScroll1_Scroll() { HScroll1_Change(); }

void FrmTrans::Form_Unload() { SlideOutAndUnload(hwnd_, kSlideStepTwips, platform_); }

void FrmTrans::Form_Destroyed() {
  DeleteObject(font_);
  font_ = nullptr;
  hwnd_ = nullptr;
}

}  // namespace tavilo
