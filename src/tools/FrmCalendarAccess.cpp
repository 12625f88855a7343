// The month calendar's answers to the grid's accessible object
// (MonthGridAccessible.h): the cells' spoken names, places and states.
#include "tools/FrmCalendar.h"

#include "tools/logic/CellSpeech.h"
#include "ui/Settings.h"

namespace tavilo {

std::wstring FrmCalendar::GridName() const { return view_.heading; }

std::wstring FrmCalendar::CellName(int cell) const {
  return CellSpokenName(view_.cells[static_cast<size_t>(cell)], ProgramSettings().lunarCorrection,
                        monthNames_);
}

RECT FrmCalendar::CellOnScreen(int cell) const {
  HWND grid = GetDlgItem(hwnd_, kGrdMonth);
  RECT area = grid_.CellRect(grid, cell);
  MapWindowPoints(grid, HWND_DESKTOP, reinterpret_cast<POINT*>(&area), 2);
  return area;
}

int FrmCalendar::CellAtScreenPoint(POINT point) const {
  HWND grid = GetDlgItem(hwnd_, kGrdMonth);
  ScreenToClient(grid, &point);
  return grid_.CellAt(grid, point);
}

int FrmCalendar::SelectedCell() const {
  for (int cell = 0; cell < kGridCells; ++cell) {
    if (view_.cells[static_cast<size_t>(cell)].day == selected_) return cell;
  }
  return -1;
}

bool FrmCalendar::GridHasFocus() const { return GetFocus() == GetDlgItem(hwnd_, kGrdMonth); }

void FrmCalendar::SelectCell(int cell) { ShowDay(view_.cells[static_cast<size_t>(cell)].day); }

// Once for each day the selection lands on while the grid has the focus, and
// again when the focus comes back to the grid.
void FrmCalendar::AnnounceSelection(HWND grid) {
  if (GetFocus() != grid) {
    announcedDay_.reset();
    return;
  }
  const int cell = SelectedCell();
  if (cell < 0 || announcedDay_ == selected_) return;
  announcedDay_ = selected_;
  MonthGridAccessible::AnnounceSelection(grid, cell);
}

}  // namespace tavilo
