#include "app/logic/FullScreen.h"

namespace tavilo {

bool FullScreenInFront(const ForegroundState& state) {
  switch (state.notificationState) {
    case kQunsBusy:
    case kQunsRunningD3dFullScreen:
    case kQunsPresentationMode:
      return true;
  }
  if (!state.hasForeground || state.foregroundIsDesktop) return false;
  const ScreenRect& front = state.foreground;
  const ScreenRect& monitor = state.monitor;
  // A monitor that could not be read would be covered by any window.
  if (monitor.right <= monitor.left || monitor.bottom <= monitor.top) return false;
  // Full-screen windows often reach past the monitor by their borders.
  return front.left <= monitor.left && front.top <= monitor.top && front.right >= monitor.right &&
         front.bottom >= monitor.bottom;
}

}  // namespace tavilo
