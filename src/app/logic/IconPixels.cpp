#include "app/logic/IconPixels.h"

#include <algorithm>
#include <cmath>

namespace tavilo {
namespace {

// Two digits at 16 pixels need all but one pixel a side.
int InkMargin(int size) { return std::max(1, size / 12); }

// How much of pixel (x, y) the badge covers: a square with corners rounded
// to a fifth of its side, smoothed over one pixel.
double BadgeCoverage(int x, int y, int size) {
  const double radius = size / 5.0;
  const double px = x + 0.5;
  const double py = y + 0.5;
  const double nearestX = std::clamp(px, radius, size - radius);
  const double nearestY = std::clamp(py, radius, size - radius);
  const double distance = std::hypot(px - nearestX, py - nearestY);
  return std::clamp(radius - distance + 0.5, 0.0, 1.0);
}

std::uint32_t Channel(Colour colour, int shift) { return (colour >> shift) & 0xFF; }

}  // namespace

InkBox InkBounds(const Coverage& coverage) {
  InkBox box{coverage.width, coverage.height, 0, 0};
  for (int y = 0; y < coverage.height; ++y) {
    for (int x = 0; x < coverage.width; ++x) {
      if (coverage.At(x, y) == 0) continue;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x + 1);
      box.bottom = std::max(box.bottom, y + 1);
    }
  }
  if (box.right <= box.left) return {};
  return box;
}

bool InkFits(const InkBox& ink, int size) {
  const int room = size - 2 * InkMargin(size);
  return ink.Width() <= room && ink.Height() <= room;
}

Coverage CentredInk(const Coverage& drawn, const InkBox& ink, int size) {
  Coverage centred{size, size, std::vector<std::uint8_t>(size * size)};
  // An odd pixel of room is left on the right and below.
  const int shiftX = (size - ink.Width()) / 2 - ink.left;
  const int shiftY = (size - ink.Height()) / 2 - ink.top;
  for (int y = ink.top; y < ink.bottom; ++y) {
    for (int x = ink.left; x < ink.right; ++x) {
      const int toX = x + shiftX;
      const int toY = y + shiftY;
      if (toX < 0 || toY < 0 || toX >= size || toY >= size) continue;
      centred.levels[toY * size + toX] = drawn.At(x, y);
    }
  }
  return centred;
}

std::vector<std::uint32_t> IconPixels(const Coverage& text, IconColours colours) {
  const int size = text.width;
  std::vector<std::uint32_t> pixels(size * size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      // The text over the badge; the colour kept unpremultiplied, so a
      // half-covered edge has the badge's or text's own colour, not a darker
      // one.
      const double badge = BadgeCoverage(x, y, size);
      const double ink = text.At(x, y) / 255.0 * badge;
      const double alpha = ink + badge * (1 - ink);
      if (alpha <= 0) continue;
      std::uint32_t pixel = static_cast<std::uint32_t>(std::lround(alpha * 255)) << 24;
      for (int shift : {0, 8, 16}) {
        const double mixed = (ink * Channel(colours.text, shift) +
                              badge * (1 - ink) * Channel(colours.badge, shift)) /
                             alpha;
        // COLORREF keeps red lowest, ARGB highest.
        pixel |= static_cast<std::uint32_t>(std::lround(mixed)) << (16 - shift);
      }
      pixels[y * size + x] = pixel;
    }
  }
  return pixels;
}

}  // namespace tavilo
