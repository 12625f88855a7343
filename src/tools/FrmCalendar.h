// The month calendar: one Solar Hijri month at a time, right to left, each
// day with its Gregorian and lunar Hijri day, Fridays and holidays in red,
// today outlined; the month's occasions and the selected day's full date
// beneath. It opens under the strip, on the strip's monitor.
//
// Keys in the grid: the arrows move the selected day (across month edges),
// Page Up / Page Down change the month, with Ctrl the year, Home goes to
// today, Ctrl+C copies the selected day's date line. The mouse wheel changes
// the month, a click selects a day. The go-to box takes a Shamsi or a
// Gregorian date. Every way keeps to the calendar's days (CalendarDays).
//
// The user's events: a mark in each day's cell that has one, the selected
// day's events listed under the go-to row. Insert in the grid or the list
// and the new-event button open the editor on the selected day; Enter or a
// double click on a listed event edits it, Delete deletes it after asking.
// Beside them, the selected day's prayer times for the place chosen in the
// prayer-time window, which the button above them opens; until a place is
// chosen only the button shows. The button under the events exports a year
// to an iCalendar file (FrmCalendarExport).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/Platform.h"
#include "tools/FrmCalendarExport.h"
#include "tools/FrmEvent.h"
#include "tools/FrmTimetable.h"
#include "tools/MonthGrid.h"
#include "tools/MonthGridAccessible.h"
#include "tools/logic/MonthView.h"
#include "tools/shared/ToolWindowBase.h"
#include "ui/StripWindow.h"

namespace tavilo {

class FrmCalendar final : public ToolWindowBase<FrmCalendar>, private MonthGridCells {
 public:
  // Control identifiers; the tab order follows the controls' table.
  enum Control : int {
    kGrdMonth = 101,
    kCmdPrevious,
    kCmdNext,
    kCmdToday,
    kTxtGoTo,
    kCmdGoTo,
    kLblHeading,
    kLblGregorian,
    kLblQamari,
    kLstOccasions,
    kLblSelected,
    kLblGoTo,
    kLblGoToMessage,
    kLstEvents,
    kCmdNewEvent,
    kLblEvents,
    kLblEventsStatus,
    kCmdPrayerPlace,
    kTxtPrayerTimes,
    // --- calendar export ---
    kCmdExport,
    kCmdTimetable,  // the month's prayer timetable
  };
  enum Timer : UINT_PTR { kMidnightTimer = 1 };
  static const ToolWindowDesign kDesign;
  // The wheel turns the months.
  static constexpr bool kOwnsWheel = true;

  // `choosePlace` opens the prayer-time window.
  FrmCalendar(Platform& platform, const StripWindow& strip,
              std::function<void()> choosePlace = {});

  int32_t SelectedDay() const { return selected_; }
  // --- reminders ---: the open calendar shows a day's month with it selected.
  void SelectDay(int32_t day) {
    if (hwnd_) ShowDay(day);
  }

 private:
  friend ToolWindowBase;
  void BuildWindow();
  void OnDpiChanged();
  void OnThemeChanged();  // --- themes ---
  void Form_Destroyed();
  LRESULT WindowMessage(UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK GridProc(HWND grid, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT GridMessage(HWND grid, UINT message, WPARAM wparam, LPARAM lparam);

  void CreateFonts();
  void ReleaseFonts();
  void MoveUnderStrip();
  void AimMidnightTimer();
  void MidnightTimer_Timer();

  void ShowDay(int32_t day);
  void Move(CalendarMove move);
  void Refresh();
  void GoTo();
  void CopySelectedDay();
  bool OnGridKey(WPARAM key);
  void RedrawGrid();
  // The selected day's prayer times, or only the button until a place is
  // chosen.
  void ShowPrayerTimes();

  // --- the user's events (FrmCalendarEvents.cpp) ---
  void BuildEventControls();
  static LRESULT CALLBACK EventListProc(HWND list, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR, DWORD_PTR calendar);
  LRESULT EventListMessage(HWND list, UINT message, WPARAM wparam, LPARAM lparam);
  void ShowEvents();
  // The export window saved a file: its notice heads the status line.
  void ExportDone(const std::wstring& notice);
  void NewEvent();
  void EditListedEvent();
  void DeleteListedEvent();

  const StripWindow& strip_;
  std::function<void()> choosePlace_;
  bool prayerTimesShown_ = false;
  GregorianMonthNames monthNames_;
  int32_t today_ = 0;
  int32_t selected_ = 0;
  MonthView view_{};
  MonthGrid grid_;
  HFONT headingFont_ = nullptr;
  FrmEvent editor_;
  FrmCalendarExport exporter_;  // --- calendar export ---
  FrmTimetable timetable_;      // follows the month shown
  std::vector<std::size_t> listed_;  // the listed events' positions
  HWND statusToolTip_ = nullptr;  // the status line's whole text; owned by the window
  std::wstring exportNotice_;

  // --- the grid for screen readers (FrmCalendarAccess.cpp) ---
  std::wstring GridName() const override;
  std::wstring CellName(int cell) const override;
  RECT CellOnScreen(int cell) const override;
  int CellAtScreenPoint(POINT point) const override;
  int SelectedCell() const override;
  bool GridHasFocus() const override;
  void SelectCell(int cell) override;
  // Tells the reader of a new selected day while the grid has the focus.
  void AnnounceSelection(HWND grid);
  MonthGridAccessible accessible_;
  std::optional<int32_t> announcedDay_;
};

}  // namespace tavilo
