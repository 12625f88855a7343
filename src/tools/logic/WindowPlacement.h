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

}  // namespace tavilo
