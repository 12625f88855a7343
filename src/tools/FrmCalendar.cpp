#include "tools/FrmCalendar.h"

#include <windowsx.h>

#include <optional>
#include <algorithm>
#include <string>
#include <utility>

#include "calendar/Numbers.h"
#include "tools/logic/PrayerText.h"
#include "tools/logic/EventForm.h"
#include "tools/logic/UserEvents.h"
#include "tools/logic/CalendarDataFiles.h"
#include "ui/ApplicationTitle.h"
#include "tools/logic/WindowPlacement.h"
#include "ui/Midnight.h"
#include "ui/ProgramMessages.h"
#include "ui/Settings.h"
#include "ui/Twips.h"

namespace tavilo {

namespace {

constexpr wchar_t kClassName[] = L"TaviloFrmCalendar";
constexpr wchar_t kGridClassName[] = L"TaviloMonthGrid";
constexpr wchar_t kCaption[] = L"تقویم";
constexpr wchar_t kNoOccasions[] = L"مناسبتی در این ماه نیست";

// Client area in twips: about 676 x 464 pixels at 96 DPI, wide rather than
// tall so that with its frame it fits a 1280 x 800 screen less its taskbar
// at 150%.
constexpr float kClientWidth = 10140;
constexpr float kClientHeight = 6960;
constexpr float kHeadingPoints = 12.0f;

constexpr DWORD kButtonStyle = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kCentredLabel = SS_CENTER | SS_NOPREFIX;

// In tab order, which follows the eye from the top right: the month on the
// right (the grid, the month buttons, the go-to row, the occasion list), then
// the user's events and the prayer times on the left.
constexpr ControlSpec kControls[] = {
    {FrmCalendar::kGrdMonth, kGridClassName, L"", WS_TABSTOP, 0, 3480, 1200, 6660, 3420},
    {FrmCalendar::kCmdPrevious, L"BUTTON", L"ماه قبل", kButtonStyle, WS_EX_RTLREADING, 9060, 120,
     1080, 390},
    {FrmCalendar::kCmdNext, L"BUTTON", L"ماه بعد", kButtonStyle, WS_EX_RTLREADING, 3480, 120, 1080,
     390},
    {FrmCalendar::kTxtGoTo, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP,
     WS_EX_CLIENTEDGE | WS_EX_RTLREADING | WS_EX_RIGHT, 7440, 6480, 1740, 360},
    {FrmCalendar::kCmdGoTo, L"BUTTON", L"برو", kButtonStyle, WS_EX_RTLREADING, 6660, 6480, 720,
     360},
    {FrmCalendar::kCmdToday, L"BUTTON", L"امروز", kButtonStyle, WS_EX_RTLREADING, 3480, 6480, 900,
     360},
    {FrmCalendar::kLstOccasions, L"EDIT", L"",
     ES_MULTILINE | ES_READONLY | ES_RIGHT | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
     WS_EX_CLIENTEDGE | WS_EX_RTLREADING, 3480, 4710, 6660, 1020},
    {FrmCalendar::kLblHeading, L"STATIC", L"", kCentredLabel, WS_EX_RTLREADING, 4920, 90, 3780,
     450},
    {FrmCalendar::kLblGregorian, L"STATIC", L"", kCentredLabel, WS_EX_RTLREADING, 3480, 600, 6660,
     270},
    {FrmCalendar::kLblQamari, L"STATIC", L"", kCentredLabel, WS_EX_RTLREADING, 3480, 870, 6660,
     270},
    {FrmCalendar::kLblSelected, L"STATIC", L"", kCentredLabel, WS_EX_RTLREADING, 3480, 5790, 6660,
     600},
    {FrmCalendar::kLblGoTo, L"STATIC", L"برو به", SS_RIGHT, WS_EX_RTLREADING, 9240, 6510, 900, 330},
    {FrmCalendar::kLblGoToMessage, L"STATIC", L"", SS_RIGHT | SS_NOPREFIX, WS_EX_RTLREADING, 4440,
     6510, 2160, 330},
    // The user's events at the top of the left column.
    {FrmCalendar::kLstEvents, L"LISTBOX", L"",
     LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
     WS_EX_CLIENTEDGE | kRightToLeftExStyle, 120, 570, 3000, 2700},
    {FrmCalendar::kCmdNewEvent, L"BUTTON", L"رویداد جدید", kButtonStyle, WS_EX_RTLREADING, 120, 120,
     1200, 390},
    {FrmCalendar::kLblEvents, L"STATIC", L"رویدادهای من", SS_RIGHT, WS_EX_RTLREADING, 1440, 150,
     1680, 330},
    {FrmCalendar::kLblEventsStatus, L"STATIC", L"", SS_RIGHT | SS_NOPREFIX | SS_NOTIFY,
     WS_EX_RTLREADING, 120, 3300, 3000, 420},
    // The prayer times under them.
    {FrmCalendar::kCmdPrayerPlace, L"BUTTON", L"", kButtonStyle, WS_EX_RTLREADING, 120, 3840, 3000,
     390},
    {FrmCalendar::kTxtPrayerTimes, L"EDIT", L"", ES_MULTILINE | ES_READONLY | ES_RIGHT | WS_TABSTOP,
     WS_EX_CLIENTEDGE | WS_EX_RTLREADING, 120, 4350, 3000, 2010},
    // The export at the foot of the column, last in the tab order.
    {FrmCalendar::kCmdExport, L"BUTTON", L"خروجی iCalendar…", kButtonStyle, WS_EX_RTLREADING, 120,
     6480, 1740, 360},
    // The month's timetable of the prayer times, beside them.
    {FrmCalendar::kCmdTimetable, L"BUTTON", L"جدول ماه", kButtonStyle, WS_EX_RTLREADING, 1980,
     6480, 1140, 360},
};

constexpr wchar_t kChoosePlace[] = L"انتخاب مکان برای اوقات شرعی";
constexpr wchar_t kChangePlace[] = L"تغییر مکان اوقات شرعی";

HFONT MakeHeadingFont(unsigned dpi) {
  return CreateFontW(-PixelsFromPoints(kHeadingPoints, dpi), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                     ARABIC_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
}

}  // namespace

const ToolWindowDesign FrmCalendar::kDesign{
    kClassName, kCaption,      kToolWindowStyle, kRightToLeftExStyle, Origin::kKeepPosition,
    0,          0,             kClientWidth,     kClientHeight,       kControls,
    kTahomaPoints, FrmCalendar::kGrdMonth, FrmCalendar::kCmdGoTo};

FrmCalendar::FrmCalendar(Platform& platform, const StripWindow& strip,
                         std::function<void()> choosePlace)
    : ToolWindowBase(platform),
      strip_(strip),
      choosePlace_(std::move(choosePlace)),
      editor_(platform),
      exporter_(platform, [this](const std::wstring& notice) { ExportDone(notice); }),
      timetable_(platform) {
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
  monthNames_ = PersianGregorianMonthNames(platform_);
  CreateFonts();
  BuildEventControls();
  prayerTimesShown_ = true;  // as the design has it, until ShowDay tells
  MoveUnderStrip();
  today_ = DayOfDate(platform_.Now());
  ShowDay(today_);
  AimMidnightTimer();
}

void FrmCalendar::OnDpiChanged() {
  ReleaseFonts();
  CreateFonts();
}

// --- themes ---
void FrmCalendar::OnThemeChanged() {
  grid_.ThemeChanged();
  RedrawGrid();
}

void FrmCalendar::Form_Destroyed() {
  statusToolTip_ = nullptr;  // gone with the window
  accessible_.Disconnect();
  ReleaseFonts();
  grid_.Release();
}

void FrmCalendar::CreateFonts() {
  headingFont_ = MakeHeadingFont(dpi_);
  if (statusToolTip_)
    SendMessageW(statusToolTip_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SendDlgItemMessageW(hwnd_, kLblHeading, WM_SETFONT, reinterpret_cast<WPARAM>(headingFont_),
                      TRUE);
  grid_.SetDpi(dpi_);
}

void FrmCalendar::ReleaseFonts() {
  DeleteObject(headingFont_);
  headingFont_ = nullptr;
}

void FrmCalendar::MoveUnderStrip() {
  RECT strip{};
  HWND stripWindow = static_cast<HWND>(strip_.StripHandle());
  if (!stripWindow || !GetWindowRect(stripWindow, &strip)) return;
  const MonitorAreas monitor = platform_.MonitorOf(stripWindow);
  RECT frame{};
  GetWindowRect(hwnd_, &frame);
  const ScreenRect placed =
      PlaceUnderStrip({strip.left, strip.top, strip.right, strip.bottom}, monitor.monitor,
                      monitor.work, frame.right - frame.left, frame.bottom - frame.top);
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
      if (LOWORD(wparam) == kLstOccasions && HIWORD(wparam) == EN_SETFOCUS) {
        // Tab selects an edit box's whole text with the caret at its end,
        // which scrolls the list to its last line: once that is done, the
        // caret goes to the start (the selection stays, showing the focus).
        HWND list = reinterpret_cast<HWND>(lparam);
        PostMessageW(list, EM_SETSEL, static_cast<WPARAM>(GetWindowTextLengthW(list)), 0);
        PostMessageW(list, EM_SCROLLCARET, 0, 0);
        return 0;
      }
      if (LOWORD(wparam) == kLstEvents && HIWORD(wparam) == LBN_DBLCLK) {
        EditListedEvent();
        return 0;
      }
      if (HIWORD(wparam) != BN_CLICKED) break;
      switch (LOWORD(wparam)) {
        case kCmdPrevious: Move(CalendarMove::kMonthBefore); return 0;
        case kCmdNext: Move(CalendarMove::kMonthAfter); return 0;
        case kCmdToday: Move(CalendarMove::kToday); return 0;
        case kCmdGoTo: GoTo(); return 0;
        case kCmdPrayerPlace:
          if (choosePlace_) choosePlace_();
          return 0;
        case kCmdNewEvent: NewEvent(); return 0;
        case kCmdExport: exporter_.Open(view_.month.year); return 0;  // --- calendar export ---
        case kCmdTimetable: timetable_.ShowMonth(view_.month); return 0;
      }
      break;
    case WM_MOUSEWHEEL:
      Move(GET_WHEEL_DELTA_WPARAM(wparam) > 0 ? CalendarMove::kMonthBefore
                                              : CalendarMove::kMonthAfter);
      return 0;
    case WM_TIMER:
      if (wparam == kMidnightTimer) MidnightTimer_Timer();
      return 0;
    case kSettingsChanged:  // perhaps the lunar correction, or the events
      Refresh();
      timetable_.Refresh();  // perhaps another place or method
      return 0;
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

void FrmCalendar::ShowDay(int32_t day) {
  selected_ = WithinCalendar(day);
  view_.month = MonthOfDay(selected_);
  Refresh();
}

void FrmCalendar::Move(CalendarMove move) { ShowDay(MoveSelection(selected_, move, today_)); }

void FrmCalendar::Refresh() {
  // The Moon in Scorpio's hours are Iran's, which a computer elsewhere says.
  const MoonInScorpioShown moon{
      .shown = (ProgramSettings().hiddenOccasions & kHideMoonInScorpio) == 0,
      .iranTimeNote = !InIranZone(platform_, platform_.UnixTimeNow())};
  view_ = BuildMonthView(view_.month, ProgramSettings().lunarCorrection, monthNames_,
                         ProgramEvents().Occurrences(), moon);
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
  const std::wstring selected =
      SelectedDayText(selected_, today_, ProgramSettings().lunarCorrection, monthNames_, moon);
  SetDlgItemTextW(hwnd_, kLblSelected, selected.c_str());
  ShowPrayerTimes();
  ShowEvents();
  RedrawGrid();
}

void FrmCalendar::ShowPrayerTimes() {
  const std::optional<DayPrayers> prayers = ChosenDayPrayers(selected_, ProgramSettings());
  SetDlgItemTextW(hwnd_, kCmdPrayerPlace, prayers ? kChangePlace : kChoosePlace);
  SetDlgItemTextW(hwnd_, kTxtPrayerTimes,
                  prayers ? PrayerDayText(platform_, selected_, *prayers).c_str() : L"");
  if (timetable_.IsOpen() && !(timetable_.Month() == view_.month)) timetable_.ShowMonth(view_.month);
  if (prayerTimesShown_ == prayers.has_value()) return;
  prayerTimesShown_ = prayers.has_value();
  ShowWindow(GetDlgItem(hwnd_, kTxtPrayerTimes), prayerTimesShown_ ? SW_SHOWNA : SW_HIDE);
  ShowWindow(GetDlgItem(hwnd_, kCmdTimetable), prayerTimesShown_ ? SW_SHOWNA : SW_HIDE);
}

void FrmCalendar::RedrawGrid() {
  HWND grid = GetDlgItem(hwnd_, kGrdMonth);
  grid_.Show(view_, selected_, today_, GetFocus() == grid);
  InvalidateRect(grid, nullptr, FALSE);
  AnnounceSelection(grid);
}

void FrmCalendar::GoTo() {
  wchar_t text[64];
  GetDlgItemTextW(hwnd_, kTxtGoTo, text, static_cast<int>(std::size(text)));
  const GoToAnswer answer = GoToDay(text);
  SetDlgItemTextW(hwnd_, kLblGoToMessage, std::wstring(answer.message).c_str());
  if (answer.day) ShowDay(*answer.day);
}

void FrmCalendar::CopySelectedDay() {
  const std::wstring line = CopiedDayText(selected_, ProgramSettings().lunarCorrection, monthNames_);
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
    case VK_LEFT: Move(CalendarMove::kDayAfter); return true;
    case VK_RIGHT: Move(CalendarMove::kDayBefore); return true;
    case VK_UP: Move(CalendarMove::kWeekBefore); return true;
    case VK_DOWN: Move(CalendarMove::kWeekAfter); return true;
    case VK_PRIOR:
      Move(control ? CalendarMove::kYearBefore : CalendarMove::kMonthBefore);
      return true;
    case VK_NEXT:
      Move(control ? CalendarMove::kYearAfter : CalendarMove::kMonthAfter);
      return true;
    case VK_HOME: Move(CalendarMove::kToday); return true;
    case VK_INSERT: NewEvent(); return true;
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
  return GuardedMessage(grid, message, wparam, lparam, [&] {
    return static_cast<FrmCalendar*>(base)->GridMessage(grid, message, wparam, lparam);
  });
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
      const int cell = grid_.CellAt(grid, {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      if (cell >= 0) ShowDay(view_.cells[static_cast<size_t>(cell)].day);
      return 0;
    }
    case WM_MOUSEWHEEL:
      return SendMessageW(hwnd_, message, wparam, lparam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      RedrawGrid();  // the focus shows on the selected day
      return 0;
    case WM_GETOBJECT:
      if (const LRESULT answer = accessible_.Answer(grid, *this, wparam, lparam)) return answer;
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      grid_.Paint(grid);
      return 0;
  }
  return DefWindowProcW(grid, message, wparam, lparam);
}

}  // namespace tavilo
