// «جدول ماه»: the month's prayer timetable in a list view (report view, so
// a screen reader reads rows and columns), one row a day, for the month the
// calendar shows and the place chosen. Page Up / Page Down change the month;
// «چاپ…» prints it on one page (TimetablePage.h), «ذخیره…» saves it as an
// HTML page or CSV. What went wrong, or where it went, shows under the list.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>

#include "platform/Platform.h"
#include "tools/logic/Timetable.h"
#include "tools/shared/ToolWindowBase.h"

namespace tavilo {

class FrmTimetable final : public ToolWindowBase<FrmTimetable> {
 public:
  // Control identifiers, in tab order; the labels take no focus.
  enum Control : int {
    kLstDays = 401,
    kCmdPrevious,
    kCmdNext,
    kCmdSave,
    kCmdPrint,
    kLblHeading,
    kLblMonths,
    kLblMessage,
  };
  static const ToolWindowDesign kDesign;

  explicit FrmTimetable(Platform& platform);

  // Opens on `month`, or shows it in the open window.
  void ShowMonth(ShamsiMonth month);
  // The place, the method or the digits may have changed.
  void Refresh();
  ShamsiMonth Month() const { return month_; }
  // Nothing while no place is chosen.
  const std::optional<Timetable>& Table() const { return table_; }
  void Print();
  void Save();

 private:
  friend ToolWindowBase;
  using ToolWindowBase::Open;
  void BuildWindow();
  LRESULT WindowMessage(UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK ListKeys(HWND list, UINT message, WPARAM wparam, LPARAM lparam,
                                   UINT_PTR id, DWORD_PTR self);
  LRESULT List_CustomDraw(NMLVCUSTOMDRAW& draw) const;
  void Fill();
  void Say(const std::wstring& text);

  ShamsiMonth month_{};
  std::optional<Timetable> table_;
};

}  // namespace tavilo
