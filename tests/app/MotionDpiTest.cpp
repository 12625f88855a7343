// The strip's motion and placement when the window moves to a screen of
// another DPI or the screen's width changes.
#include <gtest/gtest.h>

#include "app/logic/Motion.h"
#include "ui/Twips.h"

namespace tavilo {
namespace {

constexpr float kHeight = 2070.0f;
constexpr float kWidth = 5250.0f;

Motion DownAt(unsigned dpi) {
  Motion motion(kHeight, dpi);
  motion.Load(-kHeight + 25.0f);
  while (motion.Timer1().Running()) motion.SlideDownStep();
  return motion;
}

Motion ParkedAt(unsigned dpi) {
  Motion motion = DownAt(dpi);
  motion.Click();
  while (motion.Timer2().Running()) motion.SlideUpStep();
  return motion;
}

TEST(MotionDpi, DownStaysDownAtItsPlaceInTwips) {
  Motion motion = DownAt(96);
  ASSERT_EQ(motion.Top(), -30.0f);
  motion.ChangeDpi(kHeight, 144);
  EXPECT_EQ(motion.Top(), -30.0f);  // three pixels of ten twips
  EXPECT_EQ(motion.Height(), kHeight);
  EXPECT_EQ(motion.State(), MotionState::kDown);
  motion.ChangeDpi(kHeight, 120);
  EXPECT_EQ(motion.Top(), -24.0f);  // -2.5 pixels of 12 twips, tie to even
  EXPECT_EQ(motion.State(), MotionState::kDown);
}

TEST(MotionDpi, ParkedStaysParkedWithItsStripOnTheScreen) {
  Motion motion = ParkedAt(96);
  ASSERT_EQ(motion.Top(), -2040.0f);
  motion.ChangeDpi(kHeight, 144);
  EXPECT_EQ(motion.Top(), -2040.0f);
  EXPECT_EQ(motion.Height() + motion.Top(), 30.0f);  // three pixel rows
  EXPECT_FALSE(motion.MoveX());
  EXPECT_EQ(motion.State(), MotionState::kParked);
  // The mouse over that strip brings it down on the new grid.
  motion.MouseMove();
  while (motion.Timer1().Running()) motion.SlideDownStep();
  EXPECT_EQ(motion.Top(), -30.0f);
}

TEST(MotionDpi, RoundingNeverLiftsTheStripWhollyOffTheScreen) {
  // At 1440 DPI a pixel is a twip: 5 twips of the window on the screen.
  Motion motion(kHeight, 1440);
  motion.Load(-2065.0f);
  motion.ChangeDpi(kHeight, 96);
  // -2065 twips is -137.7 pixels, which rounds to -138: nothing left on
  // the screen. One pixel row stays instead.
  EXPECT_EQ(motion.Top(), -2055.0f);
  EXPECT_EQ(motion.Height() + motion.Top(), 15.0f);
  EXPECT_EQ(motion.State(), MotionState::kSlidingDown);
}

TEST(MotionDpi, ASlideGoesOnAtTheNewDpi) {
  Motion motion = DownAt(96);
  motion.Click();
  for (int step = 0; step < 10; ++step) motion.SlideUpStep();
  ASSERT_EQ(motion.Top(), -330.0f);
  motion.ChangeDpi(kHeight, 144);
  EXPECT_EQ(motion.State(), MotionState::kSlidingUp);
  EXPECT_EQ(motion.Top(), -330.0f);
  int steps = 0;
  while (motion.Timer2().Running() && steps < 1000) {
    motion.SlideUpStep();
    ++steps;
  }
  EXPECT_EQ(motion.State(), MotionState::kParked);
  const float onScreen = motion.Height() + motion.Top();
  EXPECT_GE(onScreen, TwipsPerPixel(144));
  EXPECT_LE(onScreen, Motion::kStep);
}

TEST(MotionDpi, StripLeftKeepsToTheRightEdge) {
  // 1920 pixels at 96 DPI are 28800 twips.
  EXPECT_EQ(StripLeft(28800.0f, kWidth), 23535.0f);
  EXPECT_EQ(PixelsFromTwips(StripLeft(28800.0f, kWidth), 96), 1920 - 350 - 1);
  // 1024 pixels at 144 DPI: 10240 - 5250 - 15 = 4975 twips, 497.5 pixels,
  // tie to even.
  const float screen = TwipsFromPixels(1024, 144);
  EXPECT_EQ(PixelsFromTwips(StripLeft(screen, kWidth), 144), 498);
  EXPECT_EQ(StartPlacement(screen, kWidth, kHeight).left, StripLeft(screen, kWidth));
}

}  // namespace
}  // namespace tavilo
