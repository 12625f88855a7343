// The month calendar's grid: six weeks of day cells under a row of week-day
// names, drawn into a picture kept between paints. The picture is composed
// again only when what it shows changes, so a paint is one copy and never
// flickers.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "tools/logic/MonthView.h"

namespace tavilo {

class MonthGrid {
 public:
  MonthGrid() = default;
  ~MonthGrid();
  MonthGrid(const MonthGrid&) = delete;
  MonthGrid& operator=(const MonthGrid&) = delete;

  // Fonts for the DPI; the picture follows at the next paint.
  void SetDpi(unsigned dpi);
  // What to show; `view` must outlive the next paint.
  void Show(const MonthView& view, int32_t selected, int32_t today, bool focused);
  // Lets go of the fonts and the picture (the window is gone).
  void Release();
  // The theme changed: the whole picture is drawn again in its colours.
  void ThemeChanged() {
    changed_ = true;
    weekDaysDrawn_ = false;
  }

  // WM_PAINT of the grid window.
  void Paint(HWND grid);
  // A cell's rectangle in the grid's client area; columns run right to left.
  RECT CellRect(HWND grid, int cell) const;
  // The cell under a point of the grid's client area, or -1.
  int CellAt(HWND grid, POINT point) const;

 private:
  void Compose(const RECT& client);
  void DrawWeekDayNames(const RECT& client);
  RECT CellArea(const RECT& client, int cell) const;

  unsigned dpi_ = 96;
  HFONT dayFont_ = nullptr;
  HFONT dayOffFont_ = nullptr;  // underlined, in high contrast
  HFONT smallFont_ = nullptr;
  std::array<int, kWeekDays> weekDayWidths_{};
  HDC canvas_ = nullptr;
  HBITMAP pixels_ = nullptr;
  HGDIOBJ originalBitmap_ = nullptr;
  SIZE canvasSize_{};
  bool changed_ = true;
  bool weekDaysDrawn_ = false;  // the row of names stays in the picture

  const MonthView* view_ = nullptr;
  int32_t selected_ = 0;
  int32_t today_ = 0;
  bool focused_ = false;
};

}  // namespace tavilo
