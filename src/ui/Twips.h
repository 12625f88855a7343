// Window geometry is kept in twips (1/1440 inch) as single-precision numbers,
// while the window system places windows on whole pixels. These helpers
// convert between the two at the screen's real DPI and give the drop-down
// strip's position at start-up.
#pragma once

#include <cstdint>

namespace tavilo {

inline constexpr unsigned kStandardDpi = 96;

// A DPI the system cannot report (0) or anything below the standard 96 counts
// as 96, so a 30-twip motion step always moves the window by whole pixels.
unsigned UsableDpi(unsigned dpi);

// 15 at 96 DPI, 12 at 120, 10 at 144.
float TwipsPerPixel(unsigned dpi);

// Nearest pixel, ties to even.
int32_t PixelsFromTwips(float twips, unsigned dpi);
float TwipsFromPixels(int32_t pixels, unsigned dpi);

// The value the window system reads back after `twips` has been written:
// the nearest whole pixel, expressed in twips again.
float SnapToPixel(float twips, unsigned dpi);

// Font heights are in points (1/72 inch); returns the pixel height.
int32_t PixelsFromPoints(float points, unsigned dpi);

struct StripPlacement {
  float left;
  float top;
};

// The strip's Left: its right edge stands 15 twips short of the screen's
// right edge. Kept whenever the screen or its DPI changes.
float StripLeft(float screenWidth, float width);

// At start-up only the bottom 25 twips of the window are on the screen.
StripPlacement StartPlacement(float screenWidth, float width, float height);

}  // namespace tavilo
