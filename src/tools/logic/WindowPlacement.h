// Where a tool window opens beside the strip, in screen pixels.
#pragma once

#include "platform/Platform.h"

namespace tavilo {

// A window of `width` x `height` right under the strip (`strip` is its
// window, down or parked), right edges aligned, on the strip's monitor: held
// within the monitor's work area, its top-left corner inside it when the
// window is larger than the work area.
ScreenRect PlaceUnderStrip(const ScreenRect& strip, const ScreenRect& monitor,
                           const ScreenRect& workArea, int width, int height);

}  // namespace tavilo
