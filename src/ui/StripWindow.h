// What the tool windows may reach of the drop-down strip: its window, whose
// opacity the transparency window sets together with the strip's colour key.
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

 protected:
  ~StripWindow() = default;
};

}  // namespace tavilo
