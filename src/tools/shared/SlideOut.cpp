#include "tools/shared/SlideOut.h"

#include <windows.h>

#include <set>

#include "tools/logic/SlideSteps.h"
#include "tools/shared/DialogKeys.h"
#include "ui/Twips.h"

namespace tavilo {

namespace {

std::set<HWND>& SlidingWindows() {
  static std::set<HWND> windows;
  return windows;
}

// A real window seen through the slide's eyes: its frame in screen twips at
// the window's DPI, and the thread's message queue as the event loop.
class WindowSlide final : public SlideSubject {
 public:
  WindowSlide(HWND window, Platform& platform) : window_(window), platform_(platform) {}

  float Left() override { return Twips(Frame().left); }
  float Top() override { return Twips(Frame().top); }
  float Width() override {
    const RECT frame = Frame();
    return Twips(frame.right - frame.left);
  }
  float Height() override {
    const RECT frame = Frame();
    return Twips(frame.bottom - frame.top);
  }
  void SetLeft(float twips) override {
    const RECT frame = Frame();
    MoveTo(PixelAfterStep(frame.left, twips), frame.top);
  }
  void SetTop(float twips) override {
    const RECT frame = Frame();
    MoveTo(frame.left, PixelAfterStep(frame.top, twips));
  }
  float ScreenWidth() override { return Twips(platform_.ScreenWidthPixels()); }
  float ScreenHeight() override { return Twips(platform_.ScreenHeightPixels()); }

  // Everything that is pending is dispatched, as a message loop would. A quit
  // request is kept for the main loop and ends the slide.
  bool ProcessEvents() override {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quitRequested_ = true;
        quitCode_ = static_cast<int>(message.wParam);
        return false;
      }
      DispatchProgramMessage(message);
    }
    return IsWindow(window_) != FALSE;
  }

  bool QuitRequested() const { return quitRequested_; }
  int QuitCode() const { return quitCode_; }

 private:
  RECT Frame() const {
    RECT frame{};
    GetWindowRect(window_, &frame);
    return frame;
  }
  unsigned Dpi() const { return platform_.WindowDpi(window_); }
  float Twips(int pixels) const { return TwipsFromPixels(pixels, Dpi()); }

  // The pixel the new position rounds to. A step that rounds back onto the
  // current pixel still moves one pixel, so the slide always arrives.
  int PixelAfterStep(int current, float twips) const {
    const int target = PixelsFromTwips(twips, Dpi());
    if (target != current) return target;
    const float now = Twips(current);
    return twips > now ? current + 1 : twips < now ? current - 1 : current;
  }

  void MoveTo(int x, int y) {
    SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  HWND window_;
  Platform& platform_;
  bool quitRequested_ = false;
  int quitCode_ = 0;
};

}  // namespace

bool IsSlidingOut(WindowHandle window) {
  return SlidingWindows().count(static_cast<HWND>(window)) != 0;
}

bool SlideOutAndUnload(WindowHandle frmSlide, std::int16_t iSpeed, Platform& platform) {
  HWND window = static_cast<HWND>(frmSlide);
  if (!IsWindow(window) || IsSlidingOut(window)) return true;
  SlidingWindows().insert(window);
  EnumChildWindows(
      window,
      [](HWND child, LPARAM) -> BOOL {
        EnableWindow(child, FALSE);
        return TRUE;
      },
      0);

  WindowSlide slide(window, platform);
  SlideOut(slide, iSpeed);

  // DestroyWindow, not a close request: the close under way ends here.
  if (IsWindow(window)) DestroyWindow(window);
  SlidingWindows().erase(window);
  if (slide.QuitRequested()) PostQuitMessage(slide.QuitCode());
  return !slide.QuitRequested();
}

}  // namespace tavilo
