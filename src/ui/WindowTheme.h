// The active theme's colours for real windows: the palette (Palette.h) read
// from the system, brushes for WM_CTLCOLOR* and the surfaces, and what a
// window changes of itself in dark mode (title bar, option buttons).
#pragma once

#include <windows.h>

#include "platform/Platform.h"
#include "ui/Palette.h"

namespace tavilo {

// Reads the theme and the system colours again; the palette and brushes
// follow. Every change counts up ThemeVersion().
void RefreshTheme(Platform& platform);
unsigned ThemeVersion();
Theme ActiveTheme();
const Palette& ActivePalette();

constexpr COLORREF ColorOf(Rgb colour) { return RGB(colour.r, colour.g, colour.b); }

// The windows' surface (the dialog face unless dark).
HBRUSH SurfaceBrush();
// The answer to a WM_CTLCOLOR* message: the brush with `dc`'s colours set,
// or nullptr where the system draws the control (light, high contrast, push
// buttons).
HBRUSH ControlColours(UINT message, HDC dc);
// True for WM_SETTINGCHANGE about the app mode or high contrast.
bool IsThemeSetting(WPARAM wparam, LPARAM lparam);
// The title bar and the option buttons and check boxes of `window` for the
// active theme: dark mode asks for a dark title bar and drops the buttons'
// visual theme, which would ignore the text colour; then all is redrawn.
// `darkApplied` remembers for the window whether it was made dark.
void ApplyThemeTo(HWND window, bool& darkApplied);

}  // namespace tavilo
