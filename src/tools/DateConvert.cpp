#include "tools/DateConvert.h"

#include <algorithm>

#include "tools/shared/ControlTable.h"
#include "ui/ApplicationTitle.h"
#include "ui/BufferedPaint.h"
#include "ui/RtlText.h"
#include "ui/Twips.h"

namespace tavilo {

namespace {

constexpr wchar_t kClassName[] = L"TaviloDateConvert";
constexpr wchar_t kStoredCaption[] = L"تبديل تاريخ";
constexpr wchar_t kCaptionLoopText[] = L"تبديل تاريخ    ";
constexpr wchar_t kToday[] = L"امروز   ";

// Window and drawn shapes, in twips.
constexpr float kClientLeft = 1845;
constexpr float kClientTop = 2415;
constexpr float kClientWidth = 5325;
constexpr float kClientHeight = 3510;
// The date panel spans the client area, its right border on the last column.
constexpr float kShape1Left = 0, kShape1Top = 60, kShape1Width = kClientWidth, kShape1Height = 330;
constexpr float kL1Top = 100;

constexpr DWORD kBoxStyle = ES_RIGHT | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kBoxExStyle = kRightToLeftExStyle | WS_EX_CLIENTEDGE;
// The round button is drawn on the right of its caption.
constexpr DWORD kOptionStyle = BS_AUTORADIOBUTTON | BS_LEFTTEXT | BS_RIGHT | WS_TABSTOP;

// In tab order; the labels take no focus and come last.
constexpr ControlSpec kControls[] = {
    {DateConvert::kOptMil, L"BUTTON", L"ميلادي به شمسي", kOptionStyle | WS_GROUP,
     kRightToLeftExStyle, 3240, 840, 1815, 495},
    {DateConvert::kOptShamsi, L"BUTTON", L"شمسي به ميلادي", kOptionStyle, kRightToLeftExStyle,
     3240, 1680, 1815, 495},
    {DateConvert::kTxtSal, L"EDIT", L"", kBoxStyle | WS_GROUP, kBoxExStyle, 240, 960, 975, 375},
    {DateConvert::kTxtMah, L"EDIT", L"", kBoxStyle, kBoxExStyle, 1320, 960, 735, 375},
    {DateConvert::kTxtRoz, L"EDIT", L"", kBoxStyle, kBoxExStyle, 2160, 960, 735, 375},
    // A button's caption stays centred; it reads right to left.
    {DateConvert::kCmdConvert, L"BUTTON", L"تبديل", BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED,
     WS_EX_RTLREADING, 840, 1800, 1455, 495},
    {DateConvert::kTxtsal2, L"EDIT", L"", kBoxStyle, kBoxExStyle, 240, 2760, 975, 375},
    {DateConvert::kTxtmah2, L"EDIT", L"", kBoxStyle, kBoxExStyle, 1320, 2760, 735, 375},
    {DateConvert::kTxtroz2, L"EDIT", L"", kBoxStyle, kBoxExStyle, 2160, 2760, 735, 375},
    {DateConvert::kLabel3, L"STATIC", L"سال", SS_RIGHT | WS_GROUP, kRightToLeftExStyle, 600, 480,
     495, 255},
    {DateConvert::kLabel2, L"STATIC", L"ماه", SS_RIGHT, kRightToLeftExStyle, 1800, 480, 255, 375},
    {DateConvert::kLabel1, L"STATIC", L"روز", SS_RIGHT, kRightToLeftExStyle, 2400, 480, 375, 375},
};

}  // namespace

const ToolWindowDesign DateConvert::kDesign{
    kClassName,      kStoredCaption, kToolWindowStyle, kRightToLeftExStyle,
    Origin::kClientArea, kClientLeft, kClientTop,     kClientWidth,
    kClientHeight,   kControls,      kTahomaPoints,    kOptMil,
    kCmdConvert};

DateConvert::DateConvert(Platform& platform) : ToolWindowBase(platform) {}

void DateConvert::SlideWindow(HWND frmSlide, std::int16_t iSpeed) { SlideOut(frmSlide, iSpeed); }

RECT DateConvert::l1Rect() const {
  const int x = PixelsFromTwips(glide_.Left(), dpi_);
  const int y = PixelsFromTwips(kL1Top, dpi_);
  return {x, y, x + l1Size_.cx, y + l1Size_.cy};
}

void DateConvert::BuildWindow() {
  for (Control box : {kTxtSal, kTxtMah, kTxtRoz, kTxtsal2, kTxtmah2, kTxtroz2}) {
    SendDlgItemMessageW(hwnd_, box, EM_SETLIMITTEXT, 0, 0);  // no length limit
  }
  Form_Load();
  SetTimer(hwnd_, kTimer1, kGlideIntervalMs, nullptr);
  SetTimer(hwnd_, kTimer2, captionIntervalMs_, nullptr);
}

void DateConvert::OnDpiChanged() { MeasureL1(); }

LRESULT DateConvert::WindowMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND hwnd = hwnd_;
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_TIMER:
      if (wparam == kTimer1) Timer1_Timer();
      if (wparam == kTimer2) Timer2_Timer();
      if (wparam == kTimer3) Timer3_Timer();
      return 0;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

void DateConvert::Form_Load() {
  calendar_.emplace([&platform = platform_] { return platform.Now(); },
                    [this](const std::wstring& text) { ShowMessage(text); });
  l1Caption_ =
      kToday + calendar_->WeekDaysStrName() + L"  " + calendar_->ShowDate(calendar_->today());
  captionLoop_.emplace(kCaptionLoopText);
  captionIntervalMs_ = CaptionLoop::kGrowIntervalMs;
  glide_ = LabelGlide{};
  MeasureL1();
}

void DateConvert::MeasureL1() {
  HDC dc = GetDC(hwnd_);
  HGDIOBJ previous = SelectObject(dc, font_);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  l1Size_ = {ShapedWidth(dc, l1Caption_), metrics.tmHeight};
  SelectObject(dc, previous);
  ReleaseDC(hwnd_, dc);
}

void DateConvert::Form_Unload() { SlideWindow(hwnd_, kSlideStepTwips); }

void DateConvert::Form_Paint() {
  // Drawn off-screen first: l1 moves five times a second.
  PaintBuffered(hwnd_, [this](HDC dc, const RECT&) {
    const RECT shape = PixelRect(kShape1Left, kShape1Top, kShape1Width, kShape1Height, dpi_);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    SelectObject(dc, GetStockObject(DC_PEN));
    SetDCPenColor(dc, ActiveTheme() == Theme::kLight ? RGB(0, 0, 0)
                                                     : ColorOf(ActivePalette().windowText));
    Rectangle(dc, shape.left, shape.top, shape.right, shape.bottom);
    SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorOf(ActivePalette().windowText));
    const RECT label = l1Rect();
    DrawRtlLine(dc, l1Caption_, label.left, label.top, RtlAnchor::kLeftEdge);
  });
}

void DateConvert::OnCommand(int control, int notification) {
  if (notification == EN_CHANGE) {
    if (control == kTxtSal) txtSal_Change();
    if (control == kTxtMah) TxtMah_Change();
    if (control == kTxtRoz) txtRoz_Change();
  } else if (notification == BN_CLICKED && control == kCmdConvert) {
    cmdConvert_Click();
  }
}

void DateConvert::cmdConvert_Click() {
  const auto result = ConvertDate(*calendar_, Direction(), Input(),
                                  [this](const std::wstring& text) { ShowMessage(text); });
  if (!result) return;
  SetDlgItemTextW(hwnd_, kTxtsal2, result->year.c_str());
  SetDlgItemTextW(hwnd_, kTxtmah2, result->month.c_str());
  SetDlgItemTextW(hwnd_, kTxtroz2, result->day.c_str());
}

void DateConvert::txtSal_Change() { EnableWhenComplete(); }
void DateConvert::TxtMah_Change() { EnableWhenComplete(); }
void DateConvert::txtRoz_Change() { EnableWhenComplete(); }

void DateConvert::EnableWhenComplete() {
  EnableWindow(GetDlgItem(hwnd_, kCmdConvert), ConvertEnabled(Input()));
}

void DateConvert::Timer1_Timer() {
  glide_.Timer1Tick();
  if (!glide_.MovingLeft()) {
    KillTimer(hwnd_, kTimer1);
    SetTimer(hwnd_, kTimer3, kGlideIntervalMs, nullptr);
  }
  InvalidateBand();
}

void DateConvert::Timer2_Timer() {
  const CaptionLoop::Tick tick = captionLoop_->Next();
  SetWindowTextW(hwnd_, tick.caption.c_str());
  if (tick.nextIntervalMs != captionIntervalMs_) {
    captionIntervalMs_ = tick.nextIntervalMs;
    SetTimer(hwnd_, kTimer2, captionIntervalMs_, nullptr);
  }
}

void DateConvert::Timer3_Timer() {
  glide_.Timer3Tick();
  if (glide_.MovingLeft()) {
    KillTimer(hwnd_, kTimer3);
    SetTimer(hwnd_, kTimer1, kGlideIntervalMs, nullptr);
  }
  InvalidateBand();
}

DateFields DateConvert::Input() const {
  return {Text(kTxtSal), Text(kTxtMah), Text(kTxtRoz)};
}

ConvertDirection DateConvert::Direction() const {
  if (IsDlgButtonChecked(hwnd_, kOptMil) == BST_CHECKED) return ConvertDirection::kMiladiToShamsi;
  if (IsDlgButtonChecked(hwnd_, kOptShamsi) == BST_CHECKED) {
    return ConvertDirection::kShamsiToMiladi;
  }
  return ConvertDirection::kNone;
}

std::wstring DateConvert::Text(Control control) const {
  HWND box = GetDlgItem(hwnd_, control);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
  const int length = GetWindowTextW(box, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void DateConvert::ShowMessage(const std::wstring& text) {
  platform_.ShowMessageBox(hwnd_, text, kApplicationTitle, kMbOk | kMbRight | kMbRtlReading);
}

void DateConvert::InvalidateBand() {
  RECT client;
  GetClientRect(hwnd_, &client);
  const RECT shape = PixelRect(kShape1Left, kShape1Top, kShape1Width, kShape1Height, dpi_);
  const RECT label = l1Rect();
  const RECT band{client.left, std::min(shape.top, label.top), client.right,
                  std::max(shape.bottom, label.bottom)};
  InvalidateRect(hwnd_, &band, FALSE);
}

void DateConvert::Form_Destroyed() {
  calendar_.reset();
  captionLoop_.reset();
}

}  // namespace tavilo
