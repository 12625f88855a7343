#include "ui/Twips.h"

#include <gtest/gtest.h>

namespace tavilo {
namespace {

TEST(Twips, TwipsPerPixelAtCommonDpis) {
  EXPECT_EQ(TwipsPerPixel(96), 15.0f);
  EXPECT_EQ(TwipsPerPixel(120), 12.0f);
  EXPECT_EQ(TwipsPerPixel(144), 10.0f);
}

TEST(Twips, StripSizeInPixels) {
  EXPECT_EQ(PixelsFromTwips(5250, 96), 350);
  EXPECT_EQ(PixelsFromTwips(2070, 96), 138);
  EXPECT_EQ(PixelsFromTwips(5250, 120), 438);  // 437.5, tie to even
  EXPECT_EQ(PixelsFromTwips(2070, 120), 172);  // 172.5, tie to even
  EXPECT_EQ(PixelsFromTwips(5250, 144), 525);
  EXPECT_EQ(PixelsFromTwips(2070, 144), 207);
}

TEST(Twips, NegativePositionsRoundToTheNearestPixel) {
  EXPECT_EQ(PixelsFromTwips(-2045, 96), -136);  // -136.33
  EXPECT_EQ(PixelsFromTwips(-2045, 120), -170);  // -170.42
  EXPECT_EQ(PixelsFromTwips(-2045, 144), -204);  // -204.5, tie to even
  EXPECT_EQ(PixelsFromTwips(-7, 96), 0);
  EXPECT_EQ(PixelsFromTwips(-8, 96), -1);
}

TEST(Twips, PixelsBackToTwips) {
  EXPECT_EQ(TwipsFromPixels(-136, 96), -2040.0f);
  EXPECT_EQ(TwipsFromPixels(172, 120), 2064.0f);
  EXPECT_EQ(TwipsFromPixels(207, 144), 2070.0f);
  EXPECT_EQ(SnapToPixel(-2045, 96), -2040.0f);
  EXPECT_EQ(SnapToPixel(-2045, 144), -2040.0f);
  EXPECT_EQ(SnapToPixel(-5, 96), -0.0f);
}

TEST(Twips, UnreportedOrTinyDpiCountsAsStandard) {
  EXPECT_EQ(UsableDpi(0), 96u);
  EXPECT_EQ(UsableDpi(72), 96u);
  EXPECT_EQ(UsableDpi(144), 144u);
  EXPECT_EQ(TwipsPerPixel(0), 15.0f);
  EXPECT_EQ(PixelsFromTwips(1500, 0), 100);
}

TEST(Twips, FontPointsToPixels) {
  EXPECT_EQ(PixelsFromPoints(8.25f, 96), 11);
  EXPECT_EQ(PixelsFromPoints(12.0f, 96), 16);
  EXPECT_EQ(PixelsFromPoints(21.75f, 96), 29);
  EXPECT_EQ(PixelsFromPoints(21.75f, 144), 44);  // 43.5, tie to even
}

TEST(Twips, StartPlacementAtTheTopRightCorner) {
  // A 1920-pixel screen at 96 DPI is 28800 twips wide.
  const StripPlacement placement = StartPlacement(28800.0f, 5250.0f, 2070.0f);
  EXPECT_EQ(placement.left, 23535.0f);
  EXPECT_EQ(placement.top, -2045.0f);
  EXPECT_EQ(PixelsFromTwips(placement.left, 96), 1920 - 350 - 1);
}

}  // namespace
}  // namespace tavilo
