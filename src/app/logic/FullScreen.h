// Whether a full-screen program (a game, a film, a slide show) stands in
// front of the strip's monitor: the strip then keeps out of its way.
#pragma once

#include "platform/Platform.h"

namespace tavilo {

// The shell says so (busy, Direct3D full screen, presentation mode), or the
// foreground window, not the desktop, covers the whole monitor.
bool FullScreenInFront(const ForegroundState& state);

}  // namespace tavilo
