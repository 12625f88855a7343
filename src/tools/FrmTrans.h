// The transparency window: one scroll bar whose position is the opacity of
// the drop-down strip, applied while the thumb is dragged and on every
// change. The scroll bar starts at the opacity in force; the position is
// kept once the user lets go of the bar, or closes the window. While it is
// open the strip is down, so the user sees the opacity change.
#pragma once

#include <windows.h>

#include "platform/Platform.h"
#include "tools/shared/ToolWindowBase.h"
#include "ui/StripWindow.h"

namespace tavilo {

class FrmTrans final : public ToolWindowBase<FrmTrans> {
 public:
  // Control identifiers, in tab order.
  enum Control : int { kHScroll1 = 101, kLabel1, kLabel2 };
  static const ToolWindowDesign kDesign;

  // `strip` is the drop-down strip whose opacity is set.
  FrmTrans(Platform& platform, StripWindow& strip);

  // Event handlers; the window procedure routes messages to them.
  void HScroll1_Change();
  void HScroll1_Scroll();
  void HScroll1_EndScroll();

 private:
  friend ToolWindowBase;
  void BuildWindow();
  void Form_Unload();
  LRESULT WindowMessage(UINT message, WPARAM wparam, LPARAM lparam);

  // Moves the thumb as a scroll request asks; false when the request moves
  // nothing (the end of a drag, a click at an end already reached).
  bool Scroll(int request, int thumbPosition);

  StripWindow& strip_;
};

}  // namespace tavilo
