#include "ui/Twips.h"

#include <algorithm>
#include <cmath>

namespace tavilo {

namespace {
constexpr double kTwipsPerInch = 1440.0;
constexpr double kPointsPerInch = 72.0;
}  // namespace

unsigned UsableDpi(unsigned dpi) { return std::max(dpi, kStandardDpi); }

float TwipsPerPixel(unsigned dpi) {
  return static_cast<float>(kTwipsPerInch / UsableDpi(dpi));
}

int32_t PixelsFromTwips(float twips, unsigned dpi) {
  // std::rint rounds ties to even in the default rounding mode.
  return static_cast<int32_t>(std::rint(twips * static_cast<double>(UsableDpi(dpi)) / kTwipsPerInch));
}

float TwipsFromPixels(int32_t pixels, unsigned dpi) {
  return static_cast<float>(pixels * kTwipsPerInch / UsableDpi(dpi));
}

float SnapToPixel(float twips, unsigned dpi) {
  return TwipsFromPixels(PixelsFromTwips(twips, dpi), dpi);
}

int32_t PixelsFromPoints(float points, unsigned dpi) {
  return static_cast<int32_t>(std::rint(points * static_cast<double>(UsableDpi(dpi)) / kPointsPerInch));
}

float StripLeft(float screenWidth, float width) { return screenWidth - width - 15.0f; }

StripPlacement StartPlacement(float screenWidth, float width, float height) {
  return {StripLeft(screenWidth, width), -height + 25.0f};
}

}  // namespace tavilo
