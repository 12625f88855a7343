#include "tools/logic/Opacity.h"

#include <algorithm>

namespace tavilo {

std::uint8_t OpacityFromPosition(int position) {
  return static_cast<std::uint8_t>(std::clamp(position, kOpacityMin, kOpacityMax));
}

void ApplyOpacity(Platform& platform, WindowHandle form1, std::uint32_t keyColor, int position) {
  platform.SetWindowExStyle(form1, platform.WindowExStyle(form1) | kWsExLayered);
  // Alpha alone would drop the colour key and show the red corners.
  platform.SetLayeredAttributes(
      form1, {keyColor, OpacityFromPosition(position), kLwaColorKey | kLwaAlpha});
}

}  // namespace tavilo
