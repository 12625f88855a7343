// The transparency window: one scroll bar whose position is the opacity of
// the drop-down strip, applied while the thumb is dragged and on every
// change. The scroll bar starts fully opaque each time the window is loaded.
#pragma once

#include <windows.h>

#include "app/logic/ToolWindows.h"
#include "platform/Platform.h"
#include "tools/shared/ToolWindowBase.h"

namespace tavilo {

class Form1;

class FrmTrans final : public ToolWindow {
 public:
  // Control identifiers, in tab order.
  enum Control : int { kHScroll1 = 101, kLabel1, kLabel2 };

  // `form1` is the drop-down strip whose opacity is set.
  FrmTrans(Platform& platform, const Form1& form1);
  ~FrmTrans() override;
  FrmTrans(const FrmTrans&) = delete;
  FrmTrans& operator=(const FrmTrans&) = delete;

  bool IsOpen() const override { return hwnd_ != nullptr; }
  void Open() override;
  void BringToFront() override;
  HWND Handle() const { return hwnd_; }

  // Event handlers; the window procedure routes messages to them.
  void HScroll1_Change();
  void HScroll1_Scroll();
  void Form_Unload();

 private:
  friend LRESULT CALLBACK RoutedWindowProc<FrmTrans>(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  void CreateControls();
  // Moves the thumb as a scroll request asks; false when the request moves
  // nothing (the end of a drag, a click at an end already reached).
  bool Scroll(int request, int thumbPosition);
  void Form_Destroyed();

  Platform& platform_;
  const Form1& form1_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
};

}  // namespace tavilo
