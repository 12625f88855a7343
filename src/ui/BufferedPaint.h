// Paints a window off-screen first and then copies the region to be painted
// onto it in one go, so nothing flickers while its contents change.
#pragma once

#include <windows.h>

#include <functional>

namespace tavilo {

// Handles WM_PAINT for `window`: `draw` draws the whole client area (`client`)
// into an off-screen DC that starts filled with the button-face colour.
void PaintBuffered(HWND window, const std::function<void(HDC dc, const RECT& client)>& draw);

}  // namespace tavilo
