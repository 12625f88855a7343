#include "tools/logic/WindowPlacement.h"

#include <algorithm>

namespace tavilo {

ScreenRect PlaceUnderStrip(const ScreenRect& strip, const ScreenRect& monitor,
                           const ScreenRect& workArea, int width, int height) {
  // Under the strip as it stands when down: from the monitor's top edge.
  int left = strip.right - width;
  int top = monitor.top + (strip.bottom - strip.top);
  left = std::max(std::min(left, workArea.right - width), workArea.left);
  top = std::max(std::min(top, workArea.bottom - height), workArea.top);
  return {left, top, left + width, top + height};
}

}  // namespace tavilo
