// The month grid for screen readers (MSAA): one IAccessible for the grid, a
// table whose 42 simple children are its day cells (child ids 1-42 in the
// grid's reading order, right to left, top to bottom). What it says of them
// it asks of the calendar through MonthGridCells; the grid's own parent and
// place come from the system's standard object for the window.
#pragma once

#include <windows.h>

#include <string>

namespace tavilo {

class MonthGridCells {
 public:
  virtual std::wstring GridName() const = 0;
  // `cell` is 0-41.
  virtual std::wstring CellName(int cell) const = 0;
  virtual RECT CellOnScreen(int cell) const = 0;
  // The cell at a screen point, or -1.
  virtual int CellAtScreenPoint(POINT point) const = 0;
  virtual int SelectedCell() const = 0;
  virtual bool GridHasFocus() const = 0;
  // Selects the cell's day (accSelect).
  virtual void SelectCell(int cell) = 0;

 protected:
  ~MonthGridCells() = default;
};

// The grid's accessible object, made on the first WM_GETOBJECT and kept until
// the grid goes; a reader may hold it longer, and then hears it is gone.
class MonthGridAccessible {
 public:
  MonthGridAccessible() = default;
  ~MonthGridAccessible() { Disconnect(); }
  MonthGridAccessible(const MonthGridAccessible&) = delete;
  MonthGridAccessible& operator=(const MonthGridAccessible&) = delete;

  // The answer to WM_GETOBJECT, 0 for anything but OBJID_CLIENT.
  LRESULT Answer(HWND grid, MonthGridCells& cells, WPARAM wparam, LPARAM lparam);
  // The grid's day `cell` became the selected one: focus and selection
  // events for it, so that the reader speaks the new day at once.
  static void AnnounceSelection(HWND grid, int cell);
  // The grid is going: the object answers no more.
  void Disconnect();

 private:
  class Object;
  Object* object_ = nullptr;
};

}  // namespace tavilo
