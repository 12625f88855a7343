#include "tools/MonthGrid.h"

#include <string>

#include "ui/PersianDigits.h"
#include "ui/RtlText.h"
#include "ui/Twips.h"
#include "ui/WindowTheme.h"

namespace tavilo {

namespace {

constexpr float kDayPoints = 13.0f;
constexpr float kSmallPoints = 7.0f;
// The row of week-day names, in pixels at 96 DPI.
constexpr int kWeekDayRowHeight = 20;

// The colours are the active theme's (ActivePalette); the mark of a day with
// the user's events is unlike the holidays' red, the today outline and the
// selection.
constexpr int kEventMarkRadius = 3;  // pixels at 96 DPI

HFONT MakeFont(unsigned dpi, float points, int weight, bool underline = false) {
  return CreateFontW(-PixelsFromPoints(points, dpi), 0, 0, 0, weight, FALSE, underline, FALSE,
                     ARABIC_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
}

// Day numbers 0 to 31 in Persian digits, made once.
const std::wstring& DayNumber(int day) {
  static const std::array<std::wstring, 32> numbers = [] {
    std::array<std::wstring, 32> made;
    for (int n = 0; n < 32; ++n) made[static_cast<size_t>(n)] = PersianDigits(std::to_wstring(n));
    return made;
  }();
  return numbers[static_cast<size_t>(day) % numbers.size()];
}

void FillSolid(HDC dc, const RECT& area, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// Centred on `x`, its top at `y` (the text align is TA_CENTER | TA_TOP).
void DrawAt(HDC dc, int x, int y, const std::wstring& text) {
  ExtTextOutW(dc, x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

}  // namespace

MonthGrid::~MonthGrid() { Release(); }

void MonthGrid::SetDpi(unsigned dpi) {
  if (dayFont_ && dpi == dpi_) return;
  DeleteObject(dayFont_);
  DeleteObject(dayOffFont_);
  DeleteObject(smallFont_);
  dpi_ = dpi;
  dayFont_ = MakeFont(dpi_, kDayPoints, FW_BOLD);
  dayOffFont_ = MakeFont(dpi_, kDayPoints, FW_BOLD, true);
  smallFont_ = MakeFont(dpi_, kSmallPoints, FW_NORMAL);
  // The names' shaped widths, to centre them without shaping them twice.
  HDC screen = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(screen, smallFont_);
  for (int column = 0; column < kWeekDays; ++column) {
    weekDayWidths_[static_cast<size_t>(column)] =
        ShapedWidth(screen, WeekDayNames()[static_cast<size_t>(column)]);
  }
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  changed_ = true;
  weekDaysDrawn_ = false;
}

void MonthGrid::Show(const MonthView& view, int32_t selected, int32_t today, bool focused) {
  view_ = &view;
  selected_ = selected;
  today_ = today;
  focused_ = focused;
  changed_ = true;
}

void MonthGrid::Release() {
  if (canvas_) {
    SelectObject(canvas_, originalBitmap_);
    DeleteDC(canvas_);
  }
  DeleteObject(pixels_);
  DeleteObject(dayFont_);
  DeleteObject(dayOffFont_);
  DeleteObject(smallFont_);
  canvas_ = nullptr;
  pixels_ = nullptr;
  dayFont_ = dayOffFont_ = smallFont_ = nullptr;
  canvasSize_ = {};
  view_ = nullptr;
  changed_ = true;
  weekDaysDrawn_ = false;
}

void MonthGrid::Paint(HWND grid) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(grid, &paint);
  RECT client;
  GetClientRect(grid, &client);
  if (!canvas_ || canvasSize_.cx != client.right || canvasSize_.cy != client.bottom) {
    if (canvas_) {
      SelectObject(canvas_, originalBitmap_);
      DeleteDC(canvas_);
      DeleteObject(pixels_);
    }
    canvas_ = CreateCompatibleDC(dc);
    pixels_ = CreateCompatibleBitmap(dc, client.right, client.bottom);
    originalBitmap_ = SelectObject(canvas_, pixels_);
    SetBkMode(canvas_, TRANSPARENT);
    canvasSize_ = {client.right, client.bottom};
    changed_ = true;
    weekDaysDrawn_ = false;
  }
  if (!weekDaysDrawn_) DrawWeekDayNames(client);
  if (changed_ && view_) Compose(client);
  const RECT& area = paint.rcPaint;
  BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, canvas_,
         area.left, area.top, SRCCOPY);
  EndPaint(grid, &paint);
}

RECT MonthGrid::CellRect(HWND grid, int cell) const {
  RECT client{};
  GetClientRect(grid, &client);
  return CellArea(client, cell);
}

RECT MonthGrid::CellArea(const RECT& client, int cell) const {
  const int header = MulDiv(kWeekDayRowHeight, static_cast<int>(dpi_), 96);
  const int rows = kGridCells / kWeekDays;
  const int column = cell % kWeekDays;
  const int row = cell / kWeekDays;
  // Saturday stands at the right edge.
  const int right = client.right - MulDiv(client.right, column, kWeekDays);
  const int left = client.right - MulDiv(client.right, column + 1, kWeekDays);
  const int height = client.bottom - header;
  return {left, header + MulDiv(height, row, rows), right, header + MulDiv(height, row + 1, rows)};
}

int MonthGrid::CellAt(HWND grid, POINT point) const {
  RECT client{};
  GetClientRect(grid, &client);
  for (int cell = 0; cell < kGridCells; ++cell) {
    const RECT area = CellArea(client, cell);
    if (PtInRect(&area, point)) return cell;
  }
  return -1;
}

// Shaping Persian is the dearest step of the drawing: the names are drawn
// once per picture.
void MonthGrid::DrawWeekDayNames(const RECT& client) {
  weekDaysDrawn_ = true;
  HDC dc = canvas_;
  const int header = MulDiv(kWeekDayRowHeight, static_cast<int>(dpi_), 96);
  const Palette& palette = ActivePalette();
  FillSolid(dc, {client.left, client.top, client.right, header}, ColorOf(palette.header));
  SelectObject(dc, smallFont_);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  for (int column = 0; column < kWeekDays; ++column) {
    const RECT cell = CellArea(client, column);
    const bool friday = column == kWeekDays - 1;
    SetTextColor(dc, ColorOf(friday ? palette.onPanel.dayOff : palette.onPanel.day));
    const int right = (cell.left + cell.right + weekDayWidths_[static_cast<size_t>(column)]) / 2;
    DrawRtlLine(dc, WeekDayNames()[static_cast<size_t>(column)], right,
                (header - metrics.tmHeight) / 2, RtlAnchor::kRightEdge);
  }
}

// The cells' marks first, then the Shamsi days, then the small days. A day
// with events has a dot between its small days. The selected day is a fill
// with its own inks; today's outline on it is drawn inside the fill, so that
// it borders the fill alone.
void MonthGrid::Compose(const RECT& client) {
  changed_ = false;
  HDC dc = canvas_;
  const Palette& palette = ActivePalette();
  const int header = MulDiv(kWeekDayRowHeight, static_cast<int>(dpi_), 96);
  FillSolid(dc, {client.left, header, client.right, client.bottom}, ColorOf(palette.panel));
  std::array<RECT, kGridCells> areas;
  for (int index = 0; index < kGridCells; ++index) {
    RECT& area = areas[static_cast<size_t>(index)];
    area = CellArea(client, index);
    InflateRect(&area, -1, -1);
    const MonthCell& cell = view_->cells[static_cast<size_t>(index)];
    const bool selected = cell.day == selected_;
    if (selected) {
      FillSolid(dc, area, ColorOf(focused_ ? palette.focusedSelection : palette.selection));
    }
    if (cell.day == today_) {
      SetDCBrushColor(dc, ColorOf(selected ? palette.todayOnSelection : palette.today));
      const HBRUSH outline = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
      RECT frame = area;
      if (selected) InflateRect(&frame, -2, -2);
      FrameRect(dc, &frame, outline);
      InflateRect(&frame, -1, -1);
      FrameRect(dc, &frame, outline);
    }
  }
  const HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(DC_BRUSH));
  const HGDIOBJ previousPen = SelectObject(dc, GetStockObject(DC_PEN));
  const int radius = MulDiv(kEventMarkRadius, static_cast<int>(dpi_), 96);
  for (int index = 0; index < kGridCells; ++index) {
    const MonthCell& cell = view_->cells[static_cast<size_t>(index)];
    if (cell.events == 0) continue;
    const COLORREF mark =
        ColorOf(cell.day == selected_ ? palette.eventMarkOnSelection : palette.eventMark);
    SetDCBrushColor(dc, mark);
    SetDCPenColor(dc, mark);
    const RECT& area = areas[static_cast<size_t>(index)];
    const int x = (area.left + area.right) / 2;
    const int y = area.top + (area.bottom - area.top) * 3 / 4;
    Ellipse(dc, x - radius, y - radius, x + radius + 1, y + radius + 1);
  }
  SelectObject(dc, previousPen);
  SelectObject(dc, previousBrush);

  const UINT previousAlign = SetTextAlign(dc, TA_CENTER | TA_TOP);
  HFONT font = nullptr;
  for (int index = 0; index < kGridCells; ++index) {
    const MonthCell& cell = view_->cells[static_cast<size_t>(index)];
    const RECT& area = areas[static_cast<size_t>(index)];
    const CellInks& inks = cell.day == selected_ ? palette.onSelection : palette.onPanel;
    const bool dayOff = cell.inMonth && cell.dayOff;
    if (HFONT wanted = dayOff && palette.underlineDaysOff ? dayOffFont_ : dayFont_; wanted != font)
      SelectObject(dc, font = wanted);
    SetTextColor(dc, ColorOf(!cell.inMonth ? inks.otherMonth : dayOff ? inks.dayOff : inks.day));
    DrawAt(dc, (area.left + area.right) / 2, area.top + (area.bottom - area.top) / 8,
           DayNumber(cell.shamsiDay));
  }
  // The Gregorian day at the left, the lunar day at the right.
  SelectObject(dc, smallFont_);
  for (int index = 0; index < kGridCells; ++index) {
    const MonthCell& cell = view_->cells[static_cast<size_t>(index)];
    const RECT& area = areas[static_cast<size_t>(index)];
    const CellInks& inks = cell.day == selected_ ? palette.onSelection : palette.onPanel;
    SetTextColor(dc, ColorOf(cell.inMonth ? inks.small : inks.otherMonth));
    const int top = area.top + (area.bottom - area.top) * 5 / 8;
    const int quarter = (area.right - area.left) / 4;
    DrawAt(dc, area.left + quarter, top, DayNumber(cell.gregorianDay));
    if (cell.qamariDay == 0) continue;  // before the Hijra
    DrawAt(dc, area.right - quarter, top,
           cell.estimated ? DayNumber(cell.qamariDay) + L"*" : DayNumber(cell.qamariDay));
  }
  SetTextAlign(dc, previousAlign);
}

}  // namespace tavilo
