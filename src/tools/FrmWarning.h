// The last minute before a scheduled session end: a topmost window saying
// what will happen and counting the seconds down, with cancel (also Esc and
// the close box), ten minutes later, and now. It asks for the foreground and
// flashes where Windows refuses it, and sounds the system's exclamation once.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Platform.h"
#include "tools/shared/CloseBoxTip.h"
#include "tools/shared/ToolWindowBase.h"

namespace tavilo {

class FrmWarning final : public ToolWindowBase<FrmWarning> {
 public:
  enum Control : int { kLblAction = 101, kLblCountdown, kCmdCancel, kCmdLater, kCmdNow };
  static const ToolWindowDesign kDesign;

  struct Answers {
    std::function<void()> cancel;
    std::function<void()> later;
    std::function<void()> now;
  };

  FrmWarning(Platform& platform, Answers answers);

  // Opens the window, or updates the open one, with what will happen and
  // the seconds left.
  void Warn(const std::wstring& action, std::int64_t secondsLeft);
  void ShowSecondsLeft(std::int64_t secondsLeft);
  // Gone at once, without the slide.
  void Dismiss();

 private:
  friend ToolWindowBase;
  void BuildWindow();
  void Form_Unload();
  LRESULT WindowMessage(UINT message, WPARAM wparam, LPARAM lparam);

  Answers answers_;
  CloseBoxTip closeTip_;  // the close box cancels: it says so
  std::int64_t shownSeconds_ = -1;
};

}  // namespace tavilo
