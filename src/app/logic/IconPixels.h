// The notification-area icon's pixels from the text GDI draws. GDI text
// carries no alpha, so the digits are drawn white on black and that grey
// level is taken as how much of each pixel the text covers; the icon's
// 32-bit pixels are built from it over a badge with rounded, smoothed
// corners.
#pragma once

#include <cstdint>
#include <vector>

#include "app/logic/TrayIconFace.h"

namespace tavilo {

// One byte a pixel, rows top to bottom: 0 uncovered, 255 wholly covered.
struct Coverage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> levels;

  std::uint8_t At(int x, int y) const { return levels[y * width + x]; }
};

// The smallest rectangle holding every covered pixel; empty (right <= left)
// when nothing is covered.
struct InkBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const InkBox&) const = default;
};
InkBox InkBounds(const Coverage& coverage);

// Whether ink of this box fits an icon of `size` pixels inside the badge's
// margin.
bool InkFits(const InkBox& ink, int size);

// A size x size coverage with the ink of `drawn` moved to the middle.
Coverage CentredInk(const Coverage& drawn, const InkBox& ink, int size);

// Rows top to bottom, 0xAARRGGBB with straight (not premultiplied) alpha:
// the text colour over the badge colour, transparent outside the badge.
std::vector<std::uint32_t> IconPixels(const Coverage& text, IconColours colours);

}  // namespace tavilo
