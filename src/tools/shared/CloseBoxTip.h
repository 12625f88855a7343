// A tooltip over a window's close box, for a close box that does more than
// close (the scheduler's cancels the schedule). The system draws the box in
// the non-client area, where a tooltip's own subclassing sees no mouse: the
// window hands its non-client mouse messages in, and a tracking tip shows
// under the pointer while it rests on the box.
#pragma once

#include <windows.h>

namespace tavilo {

class CloseBoxTip {
 public:
  // Made once the window exists; owned by it and gone with it.
  void Create(HWND window, const wchar_t* text);
  void SetFont(HFONT font, unsigned dpi);
  // Shown only while on: a close box that only closes says nothing.
  void TurnOn(bool on);
  // WM_NCMOUSEMOVE and WM_NCMOUSELEAVE; anything else is ignored.
  void OnNonClientMouse(UINT message, WPARAM hitTest);
  bool IsShown() const { return shown_; }
  HWND Handle() const { return tip_; }

 private:
  void Show(bool show);

  HWND window_ = nullptr;
  HWND tip_ = nullptr;
  bool on_ = false;
  bool shown_ = false;
};

}  // namespace tavilo
