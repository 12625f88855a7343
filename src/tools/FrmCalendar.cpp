#include "tools/FrmCalendar.h"

#include <windowsx.h>

#include <string>

#include "calendar/Numbers.h"
#include "tools/logic/WindowPlacement.h"
#include "ui/BufferedPaint.h"
#include "ui/Midnight.h"
#include "ui/PersianDigits.h"
#include "ui/RtlText.h"
#include "ui/Twips.h"

namespace tavilo {

namespace {

constexpr wchar_t kClassName[] = L"TaviloFrmCalendar";
constexpr wchar_t kGridClassName[] = L"TaviloMonthGrid";
constexpr wchar_t kCaption[] = L"تقویم";
constexpr wchar_t kUnreadableDate[] = L"تاریخ نامعتبر است";
constexpr wchar_t kNoOccasions[] = L"مناسبتی در این ماه نیست";
constexpr wchar_t kGregorianLocale[] = L"fa-IR";

// Client area in twips: about 420 x 480 pixels at 96 DPI.
constexpr float kClientWidth = 6300;
constexpr float kClientHeight = 7200;
constexpr float kHeadingPoints = 12.0f;
constexpr float kDayPoints = 13.0f;
constexpr float kSmallPoints = 7.0f;
// The grid's row of week-day names, in pixels at 96 DPI.
constexpr int kWeekDayRowHeight = 20;

// The strip's palette.
constexpr COLORREF kInk = RGB(30, 44, 62);
constexpr COLORREF kPanel = RGB(252, 253, 255);
constexpr COLORREF kPanelShade = RGB(224, 233, 243);
constexpr COLORREF kSteel = RGB(112, 140, 170);
constexpr COLORREF kSteelLight = RGB(198, 211, 226);
constexpr COLORREF kTurquoise = RGB(22, 146, 158);
constexpr COLORREF kDayOff = RGB(196, 40, 48);
constexpr COLORREF kOtherMonth = RGB(160, 170, 182);

constexpr DWORD kButtonStyle = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kCentredLabel = SS_CENTER | SS_NOPREFIX;

// In tab order: the grid first.
constexpr ControlSpec kControls[] = {
    {FrmCalendar::kGrdMonth, kGridClassName, L"", WS_TABSTOP, 0, 120, 1200, 6060, 3720},
    {FrmCalendar::kCmdPrevious, L"BUTTON", L"ماه قبل", kButtonStyle, WS_EX_RTLREADING, 5100, 120,
     1080, 390},
    {FrmCalendar::kCmdNext, L"BUTTON", L"ماه بعد", kButtonStyle, WS_EX_RTLREADING, 120, 120, 1080,
     390},
    {FrmCalendar::kCmdToday, L"BUTTON", L"امروز", kButtonStyle, WS_EX_RTLREADING, 120, 6480, 900,
     360},
    {FrmCalendar::kTxtGoTo, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP,
     WS_EX_CLIENTEDGE | WS_EX_RTLREADING | WS_EX_RIGHT, 3480, 6480, 1740, 360},
    {FrmCalendar::kCmdGoTo, L"BUTTON", L"برو", kButtonStyle, WS_EX_RTLREADING, 2700, 6480, 720,
     360},
    {FrmCalendar::kLblHeading, L"STATIC", L"", kCentredLabel, WS_EX_RTLREADING, 1260, 90, 3780,
     450},
    {FrmCalendar::kLblGregorian, L"STATIC", L"", kCentredLabel, WS_EX_RTLREADING, 120, 600, 6060,
     270},
    {FrmCalendar::kLblQamari, L"STATIC", L"", kCentredLabel, WS_EX_RTLREADING, 120, 870, 6060,
     270},
    {FrmCalendar::kLstOccasions, L"EDIT", L"",
     ES_MULTILINE | ES_READONLY | ES_RIGHT | ES_AUTOVSCROLL | WS_VSCROLL,
     WS_EX_CLIENTEDGE | WS_EX_RTLREADING, 120, 5010, 6060, 1020},
    {FrmCalendar::kLblSelected, L"STATIC", L"", kCentredLabel, WS_EX_RTLREADING, 120, 6090, 6060,
     300},
    {FrmCalendar::kLblGoTo, L"STATIC", L"برو به", SS_RIGHT, WS_EX_RTLREADING, 5280, 6510, 900,
     330},
    {FrmCalendar::kLblGoToMessage, L"STATIC", L"", SS_RIGHT | SS_NOPREFIX, WS_EX_RTLREADING, 1080,
     6510, 1560, 330},
};

HFONT MakeFont(unsigned dpi, float points, int weight) {
  return CreateFontW(-PixelsFromPoints(points, dpi), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                     ARABIC_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
}

std::wstring Number(int value) { return PersianDigits(std::to_wstring(value)); }

void FillSolid(HDC dc, const RECT& area, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void DrawCentred(HDC dc, const std::wstring& text, const RECT& area, UINT vertical) {
  RECT box = area;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
            DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | vertical);
}

}  // namespace

const ToolWindowDesign FrmCalendar::kDesign{
    kClassName, kCaption,      kToolWindowStyle, kRightToLeftExStyle, Origin::kKeepPosition,
    0,          0,             kClientWidth,     kClientHeight,       kControls,
    kTahomaPoints, FrmCalendar::kGrdMonth, FrmCalendar::kCmdGoTo};

FrmCalendar::FrmCalendar(Platform& platform, const StripWindow& strip)
    : ToolWindowBase(platform), strip_(strip) {
  WNDCLASSEXW grid{};
  grid.cbSize = sizeof grid;
  grid.style = CS_DBLCLKS;
  grid.lpfnWndProc = &FrmCalendar::GridProc;
  grid.hInstance = GetModuleHandleW(nullptr);
  grid.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  grid.lpszClassName = kGridClassName;
  RegisterClassExW(&grid);
}

void FrmCalendar::BuildWindow() {
  for (int month = 1; month <= 12; ++month) {
    const std::wstring name = platform_.CalendarInfo(
        kGregorianLocale, kCalGregorian, kCalSMonthName1 + static_cast<std::uint32_t>(month - 1));
    monthNames_[month - 1] = name.empty() ? PersianGregorianMonthNames()[month - 1] : name;
  }
  CreateFonts();
  MoveUnderStrip();
  today_ = DayOfDate(platform_.Now());
  ShowDay(today_);
  AimMidnightTimer();
}

void FrmCalendar::OnDpiChanged() {
  ReleaseFonts();
  CreateFonts();
}

void FrmCalendar::Form_Destroyed() { ReleaseFonts(); }

void FrmCalendar::CreateFonts() {
  headingFont_ = MakeFont(dpi_, kHeadingPoints, FW_BOLD);
  dayFont_ = MakeFont(dpi_, kDayPoints, FW_BOLD);
  smallFont_ = MakeFont(dpi_, kSmallPoints, FW_NORMAL);
  SendDlgItemMessageW(hwnd_, kLblHeading, WM_SETFONT, reinterpret_cast<WPARAM>(headingFont_),
                      TRUE);
}

void FrmCalendar::ReleaseFonts() {
  for (HFONT* font : {&headingFont_, &dayFont_, &smallFont_}) {
    DeleteObject(*font);
    *font = nullptr;
  }
}

void FrmCalendar::MoveUnderStrip() {
  RECT strip{};
  HWND stripWindow = static_cast<HWND>(strip_.StripHandle());
  if (!stripWindow || !GetWindowRect(stripWindow, &strip)) return;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(stripWindow, MONITOR_DEFAULTTONEAREST), &monitor);
  RECT frame{};
  GetWindowRect(hwnd_, &frame);
  const auto screen = [](const RECT& rect) {
    return ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
  };
  const ScreenRect placed =
      PlaceUnderStrip(screen(strip), screen(monitor.rcMonitor), screen(monitor.rcWork),
                      frame.right - frame.left, frame.bottom - frame.top);
  SetWindowPos(hwnd_, nullptr, placed.left, placed.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FrmCalendar::AimMidnightTimer() {
  SetTimer(hwnd_, kMidnightTimer, MillisecondsToNextMidnight(platform_.Now()), nullptr);
}

// Today moves along; a selection that was today moves with it.
void FrmCalendar::MidnightTimer_Timer() {
  const int32_t now = DayOfDate(platform_.Now());
  const bool followToday = selected_ == today_;
  today_ = now;
  if (followToday) {
    ShowDay(today_);
  } else {
    Refresh();
  }
  AimMidnightTimer();
}

LRESULT FrmCalendar::WindowMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wparam) != BN_CLICKED) break;
      switch (LOWORD(wparam)) {
        case kCmdPrevious: ShowDay(SameDayMonthsLater(selected_, -1)); return 0;
        case kCmdNext: ShowDay(SameDayMonthsLater(selected_, 1)); return 0;
        case kCmdToday: ShowDay(today_); return 0;
        case kCmdGoTo: GoTo(); return 0;
      }
      break;
    case WM_MOUSEWHEEL:
      ShowDay(SameDayMonthsLater(selected_, GET_WHEEL_DELTA_WPARAM(wparam) > 0 ? -1 : 1));
      return 0;
    case WM_TIMER:
      if (wparam == kMidnightTimer) MidnightTimer_Timer();
      return 0;
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

void FrmCalendar::ShowDay(int32_t day) {
  selected_ = day;
  view_.month = MonthOfDay(day);
  Refresh();
}

void FrmCalendar::Refresh() {
  view_ = BuildMonthView(view_.month, 0, monthNames_);
  SetDlgItemTextW(hwnd_, kLblHeading, view_.heading.c_str());
  SetDlgItemTextW(hwnd_, kLblGregorian, view_.gregorianSpan.c_str());
  SetDlgItemTextW(hwnd_, kLblQamari, view_.qamariSpan.c_str());
  // A right-to-left mark opens each line: the edit control takes a line
  // that starts with a number for a left-to-right one.
  std::wstring occasions;
  for (const std::wstring& line : view_.occasionLines) {
    if (!occasions.empty()) occasions += L"\r\n";
    occasions += L"\u200F" + line;
  }
  SetDlgItemTextW(hwnd_, kLstOccasions, occasions.empty() ? kNoOccasions : occasions.c_str());
  SetDlgItemTextW(hwnd_, kLblSelected, FullDateLine(selected_, 0, monthNames_).c_str());
  InvalidateRect(GetDlgItem(hwnd_, kGrdMonth), nullptr, FALSE);
}

void FrmCalendar::GoTo() {
  wchar_t text[64];
  GetDlgItemTextW(hwnd_, kTxtGoTo, text, static_cast<int>(std::size(text)));
  const std::optional<int32_t> day = ParseGoToDate(text);
  SetDlgItemTextW(hwnd_, kLblGoToMessage, day ? L"" : kUnreadableDate);
  if (day) ShowDay(*day);
}

void FrmCalendar::CopySelectedDay() {
  const std::wstring line = FullDateLine(selected_, 0, monthNames_);
  if (!OpenClipboard(hwnd_)) return;
  EmptyClipboard();
  const size_t bytes = (line.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    CopyMemory(GlobalLock(copy), line.c_str(), bytes);
    GlobalUnlock(copy);
    if (!SetClipboardData(CF_UNICODETEXT, copy)) GlobalFree(copy);
  }
  CloseClipboard();
}

bool FrmCalendar::OnGridKey(WPARAM key) {
  const bool control = GetKeyState(VK_CONTROL) < 0;
  // Saturday stands at the right: the left arrow goes on to the next day.
  switch (key) {
    case VK_LEFT: ShowDay(selected_ + 1); return true;
    case VK_RIGHT: ShowDay(selected_ - 1); return true;
    case VK_UP: ShowDay(selected_ - kWeekDays); return true;
    case VK_DOWN: ShowDay(selected_ + kWeekDays); return true;
    case VK_PRIOR: ShowDay(SameDayMonthsLater(selected_, control ? -12 : -1)); return true;
    case VK_NEXT: ShowDay(SameDayMonthsLater(selected_, control ? 12 : 1)); return true;
    case VK_HOME: ShowDay(today_); return true;
    case 'C':
      if (!control) return false;
      CopySelectedDay();
      return true;
  }
  return false;
}

LRESULT CALLBACK FrmCalendar::GridProc(HWND grid, UINT message, WPARAM wparam, LPARAM lparam) {
  // The calendar window rides in its own window's user data.
  auto* base = reinterpret_cast<ToolWindowBase<FrmCalendar>*>(
      GetWindowLongPtrW(GetParent(grid), GWLP_USERDATA));
  if (!base) return DefWindowProcW(grid, message, wparam, lparam);
  return static_cast<FrmCalendar*>(base)->GridMessage(grid, message, wparam, lparam);
}

LRESULT FrmCalendar::GridMessage(HWND grid, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      if (OnGridKey(wparam)) return 0;
      break;
    case WM_LBUTTONDOWN: {
      SetFocus(grid);
      const int cell = CellAt({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      if (cell >= 0) ShowDay(view_.cells[static_cast<size_t>(cell)].day);
      return 0;
    }
    case WM_MOUSEWHEEL:
      return SendMessageW(hwnd_, message, wparam, lparam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(grid, nullptr, FALSE);  // the focus shows on the selected day
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintBuffered(grid, [this, grid](HDC dc, const RECT& client) { PaintGrid(grid, dc, client); });
      return 0;
  }
  return DefWindowProcW(grid, message, wparam, lparam);
}

RECT FrmCalendar::CellRect(int cell) const {
  RECT client{};
  GetClientRect(GetDlgItem(hwnd_, kGrdMonth), &client);
  const int header = MulDiv(kWeekDayRowHeight, static_cast<int>(dpi_), 96);
  const int rows = kGridCells / kWeekDays;
  const int column = cell % kWeekDays;
  const int row = cell / kWeekDays;
  // Columns run right to left, Saturday at the right edge.
  const int right = client.right - MulDiv(client.right, column, kWeekDays);
  const int left = client.right - MulDiv(client.right, column + 1, kWeekDays);
  const int height = client.bottom - header;
  return {left, header + MulDiv(height, row, rows), right, header + MulDiv(height, row + 1, rows)};
}

int FrmCalendar::CellAt(POINT point) const {
  for (int cell = 0; cell < kGridCells; ++cell) {
    const RECT area = CellRect(cell);
    if (PtInRect(&area, point)) return cell;
  }
  return -1;
}

void FrmCalendar::PaintGrid(HWND grid, HDC dc, const RECT& client) const {
  FillSolid(dc, client, kPanel);
  SetBkMode(dc, TRANSPARENT);
  const int header = MulDiv(kWeekDayRowHeight, static_cast<int>(dpi_), 96);
  const RECT headerRow{client.left, client.top, client.right, header};
  FillSolid(dc, headerRow, kPanelShade);
  SelectObject(dc, smallFont_);
  for (int column = 0; column < kWeekDays; ++column) {
    const RECT cell = CellRect(column);
    const std::wstring& name = WeekDayNames()[static_cast<size_t>(column)];
    SetTextColor(dc, column == kWeekDays - 1 ? kDayOff : kInk);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int x = (cell.left + cell.right + ShapedWidth(dc, name)) / 2;
    DrawRtlLine(dc, name, x, (header - metrics.tmHeight) / 2, RtlAnchor::kRightEdge);
  }

  const bool focused = GetFocus() == grid;
  for (int index = 0; index < kGridCells; ++index) {
    const MonthCell& cell = view_.cells[static_cast<size_t>(index)];
    RECT area = CellRect(index);
    InflateRect(&area, -1, -1);
    if (cell.day == selected_) FillSolid(dc, area, focused ? kSteelLight : kPanelShade);
    if (cell.day == today_) {
      HGDIOBJ pen = SelectObject(dc, CreatePen(PS_SOLID, MulDiv(2, static_cast<int>(dpi_), 96),
                                               kTurquoise));
      HGDIOBJ brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
      Rectangle(dc, area.left, area.top, area.right, area.bottom);
      DeleteObject(SelectObject(dc, pen));
      SelectObject(dc, brush);
    }
    const COLORREF ink = !cell.inMonth ? kOtherMonth : cell.dayOff ? kDayOff : kInk;
    SetTextColor(dc, ink);
    SelectObject(dc, dayFont_);
    RECT upper = area;
    upper.bottom = area.top + (area.bottom - area.top) * 2 / 3;
    DrawCentred(dc, Number(cell.shamsiDay), upper, DT_VCENTER);
    SelectObject(dc, smallFont_);
    SetTextColor(dc, cell.inMonth ? kSteel : kOtherMonth);
    RECT lower = area;
    lower.top = upper.bottom;
    const int middle = (area.left + area.right) / 2;
    RECT gregorian{area.left, lower.top, middle, lower.bottom};
    RECT qamari{middle, lower.top, area.right, lower.bottom};
    DrawCentred(dc, Number(cell.gregorianDay), gregorian, DT_TOP);
    DrawCentred(dc, Number(cell.qamariDay) + (cell.estimated ? L"*" : L""), qamari, DT_TOP);
  }
}

}  // namespace tavilo
