#include "app/logic/IconPixels.h"

#include <gtest/gtest.h>

namespace tavilo {
namespace {

constexpr IconColours kColours{0x0000FF /* red text */, 0x800000 /* navy badge */};
constexpr std::uint32_t kRedArgb = 0xFF0000;
constexpr std::uint32_t kNavyArgb = 0x000080;

Coverage Blank(int width, int height) {
  return {width, height, std::vector<std::uint8_t>(width * height)};
}

std::uint32_t Alpha(std::uint32_t pixel) { return pixel >> 24; }
std::uint32_t Rgb(std::uint32_t pixel) { return pixel & 0xFFFFFF; }

TEST(IconPixels, InkIsFoundAndCentred) {
  Coverage drawn = Blank(40, 40);
  EXPECT_EQ(InkBounds(drawn).Width(), 0);
  // A 6 x 10 block of ink far from the corner it was drawn at.
  for (int y = 20; y < 30; ++y)
    for (int x = 25; x < 31; ++x) drawn.levels[y * 40 + x] = 200;
  const InkBox ink = InkBounds(drawn);
  EXPECT_EQ(ink, (InkBox{25, 20, 31, 30}));

  const Coverage centred = CentredInk(drawn, ink, 16);
  const InkBox moved = InkBounds(centred);
  EXPECT_EQ(moved, (InkBox{5, 3, 11, 13}));
  EXPECT_EQ(centred.At(5, 3), 200);
}

TEST(IconPixels, StraightAlphaWithoutDarkFringes) {
  Coverage text = Blank(16, 16);
  text.levels[8 * 16 + 8] = 255;   // wholly text
  text.levels[8 * 16 + 9] = 128;   // an antialiased edge
  text.levels[0] = 255;            // outside the badge's rounded corner
  const std::vector<std::uint32_t> pixels = IconPixels(text, kColours);
  ASSERT_EQ(pixels.size(), 256u);

  EXPECT_EQ(pixels[8 * 16 + 8], 0xFF000000 | kRedArgb);
  EXPECT_EQ(pixels[8 * 16 + 7], 0xFF000000 | kNavyArgb);
  // Half text, half badge: both opaque, so the colour is half way.
  const std::uint32_t edge = pixels[8 * 16 + 9];
  EXPECT_EQ(Alpha(edge), 255u);
  EXPECT_NEAR(static_cast<int>(edge >> 16 & 0xFF), 128, 1);
  EXPECT_NEAR(static_cast<int>(edge & 0xFF), 64, 1);

  // The corner is see-through, text or not; the smoothed pixels beside it
  // keep the badge's own colour and only lose alpha.
  EXPECT_EQ(Alpha(pixels[0]), 0u);
  EXPECT_EQ(Alpha(pixels[15]), 0u);
  const std::uint32_t smoothed = pixels[1];
  EXPECT_GT(Alpha(smoothed), 0u);
  EXPECT_LT(Alpha(smoothed), 255u);
  EXPECT_EQ(Rgb(smoothed), kNavyArgb);
}

}  // namespace
}  // namespace tavilo
