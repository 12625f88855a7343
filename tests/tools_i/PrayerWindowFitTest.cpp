// The prayer-time window on a small work area: its bars, size and scrolling.
#include <gtest/gtest.h>

#include "tools/logic/PrayerWindowFit.h"

namespace tavilo {
namespace {

// A bar on one axis can make the other need one too.
TEST(PrayerWindowFit, BarsOnlyWhereTheWorkAreaIsShort) {
  constexpr PixelSize kContent{736, 448}, kFrame{6, 29}, kBars{17, 17};
  const struct { PixelSize work; ClientFit fit; } cases[] = {
      {{1366, 728}, {{742, 477}, {736, 448}, false, false}},
      {{1280, 400}, {{759, 400}, {736, 371}, false, true}},
      {{700, 400}, {{700, 400}, {677, 354}, true, true}},
      {{750, 400}, {{750, 400}, {727, 354}, true, true}},  // whole, but not beside a bar
      {{700, 480}, {{700, 480}, {677, 434}, true, true}},  // likewise in height
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FitClient(kContent, kFrame, kBars, c.work), c.fit) << c.work.width << "x" << c.work.height;
  }
}

TEST(PrayerWindowFit, ScrollingStaysWithinTheContent) {
  using enum ScrollRequest;
  const struct { int position; ScrollRequest request; int to, expected; } cases[] = {
      {100, kLineForward, 0, 128}, {640, kLineForward, 0, 650}, {10, kPageBack, 0, 0},
      {0, kPageForward, 0, 322},   {0, kTo, 900, 650},          {90, kEnd, 0, 650},
  };
  for (const auto& c : cases) {  // 350 of 1000 pixels in view, 28 a line
    EXPECT_EQ(ScrolledPosition(c.position, c.request, c.to, 1000, 350, 28), c.expected)
        << static_cast<int>(c.request);
  }
  EXPECT_EQ(ScrolledPosition(0, kEnd, 0, 300, 350, 28), 0);  // all in view
  // A focused control comes into view by the shortest way.
  EXPECT_EQ(PositionShowing(100, 350, 500, 530), 180);
  EXPECT_EQ(PositionShowing(100, 350, 40, 70), 40);
  EXPECT_EQ(PositionShowing(100, 350, 200, 230), 100);
}

}  // namespace
}  // namespace tavilo
