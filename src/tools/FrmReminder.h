// A reminder in a small topmost window of our own, for when the
// notification area cannot show a balloon: the icon is off, or the user is
// in a presentation, a full-screen program or busy. It sits at the bottom
// right of the work area, where balloons come, with an event's note under
// its words; Esc or «بستن» closes it, «۵ دقیقه دیگر یادآوری کن» brings it
// back in five minutes, and for an event «نمایش در تقویم» opens the month
// calendar at its day.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/Platform.h"
#include "tools/shared/ToolWindowBase.h"

namespace tavilo {

class FrmReminder final : public ToolWindowBase<FrmReminder> {
 public:
  enum Control : int { kLblTitle = 101, kLblText, kCmdClose, kCmdOpen, kCmdSnooze };
  static const ToolWindowDesign kDesign;

  struct Answers {
    std::function<void()> open;    // «نمایش در تقویم»
    std::function<void()> closed;  // closed in any way (Esc, the buttons)
    std::function<void()> snooze;  // «۵ دقیقه دیگر یادآوری کن», after `closed`
  };

  FrmReminder(Platform& platform, Answers answers);

  // Opens the window, or writes the open one over, with the reminder's
  // words; `canOpen` offers the calendar.
  void Remind(const std::wstring& title, const std::wstring& text, bool canOpen);
  // Gone at once, without the slide.
  void Dismiss();

 private:
  friend ToolWindowBase;
  void BuildWindow();
  void OnDpiChanged();
  void Form_Unload();
  void Form_Destroyed();
  LRESULT WindowMessage(UINT message, WPARAM wparam, LPARAM lparam);

  Answers answers_;
  HFONT titleFont_ = nullptr;  // larger than the text's, at dpi_
};

}  // namespace tavilo
