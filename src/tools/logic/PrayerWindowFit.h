// How the prayer-time window fits the work area of its monitor, in pixels:
// whole when it can, else as large as the work area allows with its client
// area scrolling, and where a scroll request or a focused control takes the
// view. The arithmetic holds for either axis.
#pragma once

namespace tavilo {

struct PixelSize {
  int width;
  int height;
  bool operator==(const PixelSize&) const = default;
};

struct ClientFit {
  PixelSize window;  // the frame's outer size
  PixelSize view;    // the client area left for the content
  bool horizontalBar;
  bool verticalBar;
  bool operator==(const ClientFit&) const = default;
};

// `content` needs `frame` pixels around it (borders and caption) and
// `bars` for a vertical bar's width and a horizontal bar's height; a bar
// comes on an axis the work area cannot hold, and may take the room that
// makes the other axis need one too.
ClientFit FitClient(PixelSize content, PixelSize frame, PixelSize bars, PixelSize workArea);

// What a scroll bar or the wheel asks for.
enum class ScrollRequest { kLineBack, kLineForward, kPageBack, kPageForward, kTo, kStart, kEnd };

// The new position (the content's pixel at the view's start) after
// `request`; `to` is the thumb's position for kTo. Always within 0 and
// content - view.
int ScrolledPosition(int position, ScrollRequest request, int to, int content, int view, int line);

// The position nearest `position` at which the content's pixels `start` to
// `end` are in view (their start when they are longer than the view).
int PositionShowing(int position, int view, int start, int end);

}  // namespace tavilo
