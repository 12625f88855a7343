// What the tool windows may reach of the drop-down strip: its window, whose
// opacity the transparency window sets together with the strip's colour key,
// and a hold that keeps the strip down while the user works on it.
#pragma once

#include <cstdint>

#include "platform/Platform.h"

namespace tavilo {

// Pure red (a COLORREF): the strip's pixels of this colour are left out of
// the window and let the mouse through.
inline constexpr std::uint32_t kStripKeyColor = 0x000000FF;

class StripWindow {
 public:
  virtual WindowHandle StripHandle() const = 0;
  // Keeps the strip from sliding up by itself until the matching
  // ReleaseStrip (a click on it still sends it up); `bringDown` brings a
  // parked strip down first.
  virtual void HoldStrip(bool bringDown) = 0;
  virtual void ReleaseStrip() = 0;

 protected:
  ~StripWindow() = default;
};

}  // namespace tavilo
