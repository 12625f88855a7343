// The slide-out every tool window plays when it is closed: right until its
// right edge reaches the screen's right edge, then down until its top edge is
// one window height below the bottom of the screen; then the window is
// destroyed. Each step moves the window `iSpeed` twips and then lets the
// event loop run once (PeekMessage/DispatchMessage), so the timers and
// handlers of every window, this one included, keep running while it leaves.
//
// Use from a window's close handler (WM_CLOSE):
//
//   case WM_CLOSE:
//     if (IsSlidingOut(hwnd)) return 0;  // the close under way completes it
//     return self->Form_Unload();        // ... calls SlideOutAndUnload(hwnd_, 50, platform_)
//
// The window is destroyed with DestroyWindow, not by a second close request,
// so its close handler never runs twice; WM_DESTROY and WM_NCDESTROY reach it
// as usual. Do not touch the window after the call returns.
#pragma once

#include <cstdint>

#include "platform/Platform.h"

namespace tavilo {

// The step every tool window slides with.
inline constexpr std::int16_t kSlideStepTwips = 50;

// Whether `window` is sliding out now: its close is under way.
bool IsSlidingOut(WindowHandle window);

// Slides `frmSlide` off the screen and destroys it (see above). Position and
// size are read afresh from the window before every step and the screen's
// size from `platform`, so a window moved by someone else meanwhile is
// followed from where it then is. A second window closed during the slide
// slides out completely inside one of this slide's event-loop passes.
//
// The window's controls are disabled first: nothing can start in it that the
// unload would then cancel.
//
// Returns early, destroying the window at once, when the window is destroyed
// by someone else, or when the program is asked to end (WM_QUIT, which is
// posted again for the main message loop). A call for a window that is
// already sliding returns at once. A step below 1 twip destroys the window
// without moving it. Returns false when the program is ending.
bool SlideOutAndUnload(WindowHandle frmSlide, std::int16_t iSpeed, Platform& platform);

}  // namespace tavilo
