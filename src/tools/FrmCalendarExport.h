// «خروجی iCalendar»: the month calendar's export of a Shamsi year (the one
// it shows, unless another is typed) to an iCalendar file for other calendar
// programs (ICalendarExport.h): Iran's holidays and occasions of the year
// and, unless unchecked, the user's events. Enter saves through the save
// dialog, Esc closes. A year the calendar does not hold is refused beside
// its box; a file that cannot be written keeps the window open with the
// reason under it; a saved file closes it, and the calendar's status line
// says how many days were written and where.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/Platform.h"
#include "tools/shared/ToolWindowBase.h"

namespace tavilo {

class FrmCalendarExport final : public ToolWindowBase<FrmCalendarExport> {
 public:
  // Control identifiers, in tab order; the labels take no focus.
  enum Control : int {
    kTxtYear = 301,
    kChkUserEvents,
    kCmdSave,
    kCmdCancel,
    kLblYear,
    kLblYearMessage,
    kLblContents,
    kLblMessage,
  };
  static const ToolWindowDesign kDesign;

  // `saved` takes the notice of a saved file.
  FrmCalendarExport(Platform& platform, std::function<void(const std::wstring&)> saved = {});

  // Opens on `year`; an open window comes to the front as it is.
  void Open(int year);
  // Reads the form and saves the file; false when the window stays.
  bool Save();

 private:
  friend ToolWindowBase;
  using ToolWindowBase::Open;
  void BuildWindow();
  LRESULT WindowMessage(UINT message, WPARAM wparam, LPARAM lparam);

  int year_ = 0;
  std::function<void(const std::wstring&)> saved_;
};

}  // namespace tavilo
