#include "tools/logic/WindowPlacement.h"

#include <algorithm>

namespace tavilo {

namespace {

// One axis of KeepInside: the start of a span of `length` from `start`.
int KeepSpanInside(int start, int length, int areaStart, int areaEnd) {
  return std::max(std::min(start, areaEnd - length), areaStart);
}

}  // namespace

ScreenRect KeepInside(const ScreenRect& window, const ScreenRect& workArea) {
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  const int left = KeepSpanInside(window.left, width, workArea.left, workArea.right);
  const int top = KeepSpanInside(window.top, height, workArea.top, workArea.bottom);
  return {left, top, left + width, top + height};
}

ScreenRect PlaceUnderStrip(const ScreenRect& strip, const ScreenRect& monitor,
                           const ScreenRect& workArea, int width, int height) {
  const int stripBottom = monitor.top + (strip.bottom - strip.top);
  const int underTop = std::max(stripBottom, workArea.top);
  const ScreenRect under =
      KeepInside({strip.right - width, underTop, strip.right, underTop + height}, workArea);
  if (under.top >= stripBottom) return under;
  // Beside the strip the whole height of the work area is free.
  const int besideTop = workArea.top;
  if (strip.left - width >= workArea.left) {
    return KeepInside({strip.left - width, besideTop, strip.left, besideTop + height}, workArea);
  }
  if (strip.right + width <= workArea.right) {
    return KeepInside({strip.right, besideTop, strip.right + width, besideTop + height}, workArea);
  }
  return under;
}

FrameAllowance FrameAllowanceAt(unsigned dpi) {
  // At 96 DPI: 8 pixels each side and 31 above (a 23-pixel caption), the
  // frame of a sizable window, wider than the fixed one tool windows have.
  const auto scaled = [dpi](int pixels) {
    return static_cast<int>((pixels * static_cast<long>(dpi) + 95) / 96);
  };
  return {2 * scaled(8), scaled(31) + scaled(8)};
}

FittedFrame FitFrame(int width, int height, const ScreenRect& workArea, int scrollBar) {
  const int roomWidth = workArea.right - workArea.left;
  const int roomHeight = workArea.bottom - workArea.top;
  bool vertical = height > roomHeight;
  bool horizontal = width > roomWidth;
  // Each bar takes room the other direction may then lack.
  for (int pass = 0; pass < 2; ++pass) {
    horizontal = horizontal || (vertical && width + scrollBar > roomWidth);
    vertical = vertical || (horizontal && height + scrollBar > roomHeight);
  }
  return {std::min(width + (vertical ? scrollBar : 0), roomWidth),
          std::min(height + (horizontal ? scrollBar : 0), roomHeight), horizontal, vertical};
}

int ScrolledPosition(int position, ScrollRequest request, int to, int content, int view, int line) {
  const int last = std::max(content - view, 0);
  const int page = std::max(view - line, line);
  switch (request) {
    case ScrollRequest::kLineBack: position -= line; break;
    case ScrollRequest::kLineForward: position += line; break;
    case ScrollRequest::kPageBack: position -= page; break;
    case ScrollRequest::kPageForward: position += page; break;
    case ScrollRequest::kTo: position = to; break;
    case ScrollRequest::kStart: position = 0; break;
    case ScrollRequest::kEnd: position = last; break;
  }
  return std::clamp(position, 0, last);
}

int PositionShowing(int position, int view, int start, int end) {
  if (start < position || end - start > view) return start;
  if (end > position + view) return end - view;
  return position;
}

}  // namespace tavilo
