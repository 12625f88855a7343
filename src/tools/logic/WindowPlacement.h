// Where a tool window opens, in screen pixels: always wholly on the work area
// of its monitor (the screen less the taskbar), whatever the DPI.
#pragma once

#include "platform/Platform.h"

namespace tavilo {

// `window` moved as little as it must to lie within `workArea`: left or up
// when it passes the right or bottom edge, right or down when it passes the
// left or top. A window larger than the work area keeps its top-left corner
// (the caption and close box) inside it.
ScreenRect KeepInside(const ScreenRect& window, const ScreenRect& workArea);

// A window of `width` x `height` beside the strip (`strip` is its window,
// down or parked; down, it hangs from the monitor's top edge), never over it:
// right under it, right edges aligned, when it fits there in the work area;
// otherwise at the strip's left, or else at its right. Only a work area with
// room for none of these puts it under the strip, overlapping it.
ScreenRect PlaceUnderStrip(const ScreenRect& strip, const ScreenRect& monitor,
                           const ScreenRect& workArea, int width, int height);

// What a tool window's frame (caption and borders) adds to its client area
// at `dpi`, taken on the generous side: a sizing frame with Windows 10's
// padded border, scaled with the DPI as per-monitor windows get it. A client
// area of that much less than the work area fits on every Windows.
struct FrameAllowance {
  int width = 0;
  int height = 0;
};
FrameAllowance FrameAllowanceAt(unsigned dpi);

// A window's frame of `width` x `height` fitted to a work area. One that
// fits keeps its size and does not scroll. One that does not is cut to the
// work area, and its client area scrolls across or down (or both) to show
// what was cut off, the room of a scroll bar (`scrollBar` pixels) counted: a
// vertical bar widens the window by its own width when there is room, so
// nothing is hidden beside it, and else makes it scroll across too.
struct FittedFrame {
  int width = 0;
  int height = 0;
  bool scrollsAcross = false;
  bool scrollsDown = false;
  bool operator==(const FittedFrame&) const = default;
};
FittedFrame FitFrame(int width, int height, const ScreenRect& workArea, int scrollBar);

// What a scroll bar or the wheel asks of a client area that scrolls.
enum class ScrollRequest { kLineBack, kLineForward, kPageBack, kPageForward, kTo, kStart, kEnd };

// The new position (the content's pixel at the view's start) after
// `request`; `to` is the one asked for by kTo. Always within 0 and
// content - view; a page keeps a line of the last one in view.
int ScrolledPosition(int position, ScrollRequest request, int to, int content, int view, int line);

// The position nearest `position` at which the content's pixels `start` to
// `end` are in view (their start when they are longer than the view).
int PositionShowing(int position, int view, int start, int end);

}  // namespace tavilo
