// The transparency window's one act: the scroll bar's position becomes the
// opacity of the drop-down strip, applied together with the strip's colour
// key so that its cut-out corners stay cut out.
#pragma once

#include <cstdint>

#include "platform/Platform.h"

namespace tavilo {

// The scroll bar's range. Its least position keeps the strip visible: a
// window at opacity 0 could not be found again.
inline constexpr int kOpacityMin = 30;
inline constexpr int kOpacityMax = 255;

// The opacity for a scroll position, held within the scroll bar's range.
std::uint8_t OpacityFromPosition(int position);

// Adds WS_EX_LAYERED to `form1`'s extended style and gives it the opacity of
// `position` with `keyColor` (a COLORREF) as its transparent colour.
void ApplyOpacity(Platform& platform, WindowHandle form1, std::uint32_t keyColor, int position);

}  // namespace tavilo
