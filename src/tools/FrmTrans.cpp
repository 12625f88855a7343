#include "tools/FrmTrans.h"

#include <algorithm>

#include "tools/logic/Opacity.h"
#include "ui/Settings.h"

namespace tavilo {

namespace {

constexpr wchar_t kClassName[] = L"TaviloFrmTrans";
constexpr wchar_t kCaption[] = L"تغيير شفافيت";

constexpr float kLeft = 10080;
constexpr float kTop = 5280;
constexpr float kClientWidth = 5160;
constexpr float kClientHeight = 1515;
// A click in the trough moves the thumb 30 of the 225 steps, a change one
// can see; the arrows move it one step.
constexpr int kLargeChange = 30;

// In tab order. "Much" transparency stands over the left end (the least
// opacity), "little" over the right end; the bar is not mirrored.
constexpr ControlSpec kControls[] = {
    {FrmTrans::kHScroll1, L"SCROLLBAR", L"", SBS_HORZ | WS_TABSTOP, 0, 480, 600, 4095, 495},
    {FrmTrans::kLabel1, L"STATIC", L"کم", SS_RIGHT, kRightToLeftExStyle, 4320, 240, 255, 255},
    {FrmTrans::kLabel2, L"STATIC", L"زياد", SS_RIGHT, kRightToLeftExStyle, 120, 240, 615, 255},
};

}  // namespace

// No action button: Enter does nothing here.
const ToolWindowDesign FrmTrans::kDesign{
    kClassName, kCaption, kToolWindowStyle, kRightToLeftExStyle, Origin::kWindow,
    kLeft,      kTop,     kClientWidth,     kClientHeight,       kControls,
    kTahomaPoints, FrmTrans::kHScroll1, 0};

FrmTrans::FrmTrans(Platform& platform, StripWindow& strip)
    : ToolWindowBase(platform), strip_(strip) {}

LRESULT FrmTrans::WindowMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_HSCROLL: {
      const int request = LOWORD(wparam);
      if (request == SB_ENDSCROLL) {
        HScroll1_EndScroll();
        return 0;
      }
      if (!Scroll(request, HIWORD(wparam))) return 0;
      if (request == SB_THUMBTRACK) {
        HScroll1_Scroll();
      } else {
        HScroll1_Change();
      }
      return 0;
    }
    case WM_DESTROY:
      // Not every scroll bar ends keyboard steps with SB_ENDSCROLL: what
      // was chosen is kept when the window goes, in any case.
      HScroll1_EndScroll();
      break;
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

void FrmTrans::BuildWindow() {
  SCROLLINFO range{};
  range.cbSize = sizeof range;
  range.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  range.nMin = kOpacityMin;
  range.nMax = kOpacityMax;
  range.nPage = 0;
  range.nPos = ProgramSettings().opacity;
  SetScrollInfo(GetDlgItem(hwnd_, kHScroll1), SB_CTL, &range, TRUE);
  strip_.HoldStrip(true);
}

// The strip is let go as the window starts to leave. At the program's end the
// window is destroyed after the strip, without closing: nothing is let go.
void FrmTrans::Form_Unload() {
  strip_.ReleaseStrip();
  SlideOut(hwnd_, kSlideStepTwips);
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
  ApplyOpacity(platform_, strip_.StripHandle(), kStripKeyColor,
               GetScrollPos(GetDlgItem(hwnd_, kHScroll1), SB_CTL));
}

void FrmTrans::HScroll1_Scroll() { HScroll1_Change(); }

// Stored once the user lets go, not on every step of a drag.
void FrmTrans::HScroll1_EndScroll() {
  const int position = GetScrollPos(GetDlgItem(hwnd_, kHScroll1), SB_CTL);
  if (position != ProgramSettings().opacity) ChangeSetting(platform_, Setting::kOpacity, position);
}

}  // namespace tavilo
