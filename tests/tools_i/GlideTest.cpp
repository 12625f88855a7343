#include "tools/logic/Glide.h"

#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace tavilo {
namespace {

// Runs whichever timer is enabled, as the window does, until the enabled
// timer changes; returns the number of ticks of that leg.
int RunLeg(LabelGlide& glide) {
  const bool movingLeft = glide.MovingLeft();
  int ticks = 0;
  while (glide.MovingLeft() == movingLeft) {
    if (movingLeft) {
      glide.Timer1Tick();
    } else {
      glide.Timer3Tick();
    }
    ++ticks;
  }
  return ticks;
}

TEST(LabelGlideTest, FirstLegsFromTheDesignPosition) {
  LabelGlide glide;
  EXPECT_EQ(glide.Left(), 4560);
  EXPECT_TRUE(glide.MovingLeft());

  // Moves of 0, 1, ..., 95 end exactly at the left edge.
  EXPECT_EQ(RunLeg(glide), 96);
  EXPECT_EQ(glide.Left(), 0);
  EXPECT_EQ(glide.LeftStep(), 96);

  // 85 moves reach 3570; the turning tick moves 85 more.
  EXPECT_EQ(RunLeg(glide), 86);
  EXPECT_EQ(glide.Left(), 3655);
  EXPECT_EQ(glide.RightStep(), 86);
}

TEST(LabelGlideTest, StepsAreNeverResetSoEveryLegIsShorter) {
  LabelGlide glide;
  RunLeg(glide);
  RunLeg(glide);
  // Left from 3655 with steps 96, 97, ...: 33 moves take it below 0.
  EXPECT_EQ(RunLeg(glide), 33);
  EXPECT_LT(glide.Left(), 0);
  EXPECT_GT(glide.Left(), -128.0f);  // overshoot below one step
  EXPECT_EQ(glide.LeftStep(), 129);
  int previous = 1000;
  for (int leg = 0; leg < 20; ++leg) {
    const int ticks = RunLeg(glide);
    if (leg % 2 == 1) {  // compare leftward legs with each other
      EXPECT_LE(ticks, previous);
      previous = ticks;
    }
  }
}

TEST(LabelGlideTest, TimerOneDoesNotMoveALabelAlreadyAtTheLeftEdge) {
  LabelGlide glide;
  RunLeg(glide);  // now at 0, Timer3 enabled
  // A late Timer1 tick (already queued when it was disabled) only counts.
  glide.Timer1Tick();
  EXPECT_EQ(glide.Left(), 0);
  EXPECT_EQ(glide.LeftStep(), 97);
  EXPECT_FALSE(glide.MovingLeft());
}

TEST(LabelGlideTest, StepsStopGrowingAtTheLargestSixteenBitValue) {
  LabelGlide glide;
  // Far more ticks than a 16-bit step can count: days of an open window.
  for (int tick = 0; tick < 200000; ++tick) {
    if (glide.MovingLeft()) {
      glide.Timer1Tick();
    } else {
      glide.Timer3Tick();
    }
    ASSERT_GE(glide.LeftStep(), 0);
    ASSERT_GE(glide.RightStep(), 0);
  }
  EXPECT_EQ(glide.LeftStep(), std::numeric_limits<std::int16_t>::max());
  EXPECT_EQ(glide.RightStep(), std::numeric_limits<std::int16_t>::max());
  // It still swings between the two sides, one step beyond each.
  const float before = glide.Left();
  RunLeg(glide);
  RunLeg(glide);
  EXPECT_NE(glide.Left(), before);
  EXPECT_GT(glide.Left(), -32768.0f);
  EXPECT_LT(glide.Left(), 3500.0f + 2 * 32767.0f + 1);
}

}  // namespace
}  // namespace tavilo
