#include "app/logic/Motion.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <tuple>
#include <vector>

#include "ui/Twips.h"

namespace tavilo {
namespace {

constexpr float kHeight = 2070.0f;
constexpr float kStartTop = -kHeight + 25.0f;  // -2045
// At 1440 DPI one pixel is one twip: positions follow the unrounded arithmetic.
constexpr unsigned kTwipDpi = 1440;

int SlideDownToRest(Motion& motion) {
  int steps = 0;
  while (motion.Timer1().Running()) {
    const float before = motion.Top();
    motion.SlideDownStep();
    if (motion.Top() != before) ++steps;
    if (steps > 1000) break;
  }
  return steps;
}

int SlideUpToPark(Motion& motion) {
  int steps = 0;
  while (motion.Timer2().Running()) {
    const float before = motion.Top();
    motion.SlideUpStep();
    if (motion.Top() != before) ++steps;
    if (steps > 1000) break;
  }
  return steps;
}

Motion LoadedMotion(unsigned dpi = kTwipDpi) {
  Motion motion(kHeight, dpi);
  motion.Load(kStartTop);
  return motion;
}

Motion DownMotion(unsigned dpi = kTwipDpi) {
  Motion motion = LoadedMotion(dpi);
  SlideDownToRest(motion);
  return motion;
}

Motion SlidingUpMotion() {
  Motion motion = DownMotion();
  motion.Click();
  motion.SlideUpStep();
  return motion;
}

Motion ParkedMotion() {
  Motion motion = DownMotion();
  motion.Click();
  SlideUpToPark(motion);
  return motion;
}

TEST(MotionSlide, SixtyEightStepsDownFromMinus2045RestAtMinus5) {
  Motion motion = LoadedMotion();
  std::vector<float> tops;
  while (motion.Timer1().Running()) {
    motion.SlideDownStep();
    if (motion.Timer1().Running()) tops.push_back(motion.Top());
  }
  ASSERT_EQ(tops.size(), 68u);
  for (size_t i = 0; i < tops.size(); ++i) EXPECT_EQ(tops[i], kStartTop + 30.0f * (i + 1)) << i;
  EXPECT_EQ(motion.Top(), -5.0f);
  EXPECT_EQ(motion.State(), MotionState::kDown);
}

TEST(MotionSlide, SixtyEightStepsUpFromMinus5ParkAtMinus2045) {
  Motion motion = DownMotion();
  motion.Click();
  std::vector<float> tops;
  while (motion.Timer2().Running()) {
    motion.SlideUpStep();
    if (motion.Timer2().Running()) tops.push_back(motion.Top());
  }
  ASSERT_EQ(tops.size(), 68u);
  for (size_t i = 0; i < tops.size(); ++i) EXPECT_EQ(tops[i], -5.0f - 30.0f * (i + 1)) << i;
  EXPECT_EQ(motion.Top(), kStartTop);
  EXPECT_EQ(motion.State(), MotionState::kParked);
}

TEST(MotionSlide, At96DpiPositionsAreWholePixels) {
  Motion motion = LoadedMotion(96);
  EXPECT_EQ(motion.Top(), -2040.0f);  // -136.33 px read back as -136 px
  EXPECT_EQ(SlideDownToRest(motion), 67);
  EXPECT_EQ(motion.Top(), -30.0f);
  motion.Click();
  EXPECT_EQ(SlideUpToPark(motion), 67);
  EXPECT_EQ(motion.Top(), -2040.0f);  // two pixel rows left on the screen
}

class MotionAtDpi : public ::testing::TestWithParam<unsigned> {};

TEST_P(MotionAtDpi, RestsAtMostThirtyTwipsAboveAndParksWithAVisibleStrip) {
  const unsigned dpi = GetParam();
  Motion motion = LoadedMotion(dpi);
  for (int cycle = 0; cycle < 3; ++cycle) {
    const int down = SlideDownToRest(motion);
    EXPECT_GT(down, 0);
    EXPECT_LT(down, 1000);
    EXPECT_GE(motion.Top(), -30.0f);
    EXPECT_LE(motion.Top(), 0.0f);
    EXPECT_EQ(motion.State(), MotionState::kDown);

    motion.AutoHideCheck();
    const int up = SlideUpToPark(motion);
    EXPECT_GT(up, 0);
    EXPECT_LT(up, 1000);
    const float onScreen = motion.Height() + motion.Top();
    EXPECT_GE(PixelsFromTwips(onScreen, dpi), 1);
    EXPECT_LE(onScreen, 30.0f);
    EXPECT_EQ(motion.State(), MotionState::kParked);
    EXPECT_EQ(motion.Top(), SnapToPixel(motion.Top(), dpi));

    motion.MouseMove();
  }
}

INSTANTIATE_TEST_SUITE_P(CommonDpis, MotionAtDpi,
                         ::testing::Values(96u, 120u, 144u, 168u, 192u, 240u, 288u));

TEST(MotionTransitions, LoadStartsSlidingDownFromThePlacementTop) {
  Motion motion(kHeight, kTwipDpi);
  EXPECT_FALSE(motion.MoveX());
  motion.Load(kStartTop);
  EXPECT_EQ(motion.Top(), kStartTop);
  EXPECT_TRUE(motion.MoveX());
  EXPECT_EQ(motion.Timer1(), (TimerSetting{true, 10}));
  EXPECT_FALSE(motion.Timer2().Running());
  EXPECT_TRUE(motion.Enabled());  // disabled only from the first step
  EXPECT_EQ(motion.State(), MotionState::kSlidingDown);
}

TEST(MotionTransitions, SlideDownStepMovesThirtyLowerAndDisablesTheWindow) {
  Motion motion = LoadedMotion();
  motion.SlideDownStep();
  EXPECT_EQ(motion.Top(), kStartTop + 30.0f);
  EXPECT_FALSE(motion.Enabled());
  EXPECT_EQ(motion.State(), MotionState::kSlidingDown);
}

TEST(MotionTransitions, SlideDownStepAtMinus30OrAboveArrives) {
  Motion motion = LoadedMotion();
  SlideDownToRest(motion);
  EXPECT_EQ(motion.Timer1(), (TimerSetting{false, 0}));
  EXPECT_TRUE(motion.Enabled());
  EXPECT_TRUE(motion.MoveX());
  EXPECT_EQ(motion.State(), MotionState::kDown);
}

TEST(MotionTransitions, DownClickStartsSlidingUp) {
  Motion motion = DownMotion();
  motion.Click();
  EXPECT_EQ(motion.State(), MotionState::kSlidingUp);
  EXPECT_EQ(motion.Top(), -5.0f);
}

TEST(MotionTransitions, DownMouseMoveChangesNothing) {
  Motion motion = DownMotion();
  motion.MouseMove();
  EXPECT_EQ(motion.State(), MotionState::kDown);
  EXPECT_FALSE(motion.Timer1().enabled);
  EXPECT_EQ(motion.Top(), -5.0f);
}

TEST(MotionTransitions, SlideUpStepMovesThirtyHigherAndLeavesEnabledAlone) {
  Motion motion = SlidingUpMotion();
  EXPECT_EQ(motion.Top(), -35.0f);
  EXPECT_TRUE(motion.Enabled());
  EXPECT_EQ(motion.State(), MotionState::kSlidingUp);
}

TEST(MotionTransitions, SlideUpStepWithThirtyOrLessOnScreenParks) {
  Motion motion = SlidingUpMotion();
  SlideUpToPark(motion);
  EXPECT_FALSE(motion.MoveX());
  EXPECT_FALSE(motion.Timer2().enabled);
  EXPECT_EQ(motion.State(), MotionState::kParked);
}

TEST(MotionTransitions, SlidingUpIgnoresClickAutoHideAndMouseMove) {
  Motion motion = SlidingUpMotion();
  motion.Click();
  motion.AutoHideCheck();
  motion.MouseMove();
  EXPECT_EQ(motion.State(), MotionState::kSlidingUp);
  EXPECT_EQ(motion.Top(), -35.0f);
  // The slide carries on to the park; only a later mouse move brings it down.
  SlideUpToPark(motion);
  EXPECT_EQ(motion.State(), MotionState::kParked);
}

TEST(MotionTransitions, ParkedMouseMoveStartsSlidingDown) {
  Motion motion = ParkedMotion();
  motion.MouseMove();
  EXPECT_TRUE(motion.MoveX());
  EXPECT_EQ(motion.Timer1(), (TimerSetting{true, 10}));
  EXPECT_EQ(motion.State(), MotionState::kSlidingDown);
  motion.SlideDownStep();
  EXPECT_EQ(motion.Top(), kStartTop + 30.0f);
}

TEST(MotionTransitions, ParkedClickReparksOnTheNextSlideUpStepWithoutMoving) {
  Motion motion = ParkedMotion();
  motion.Click();
  EXPECT_EQ(motion.State(), MotionState::kTransient);
  motion.SlideUpStep();
  EXPECT_EQ(motion.Top(), kStartTop);
  EXPECT_EQ(motion.State(), MotionState::kParked);
}

TEST(MotionAutoHide, SlidingDownIsLeftAlone) {
  Motion motion = LoadedMotion();
  motion.SlideDownStep();
  motion.AutoHideCheck();
  EXPECT_FALSE(motion.Timer2().enabled);
  EXPECT_EQ(motion.State(), MotionState::kSlidingDown);
}

TEST(MotionAutoHide, DownStartsSlidingUp) {
  Motion motion = DownMotion();
  motion.AutoHideCheck();
  EXPECT_TRUE(motion.Timer2().Running());
  EXPECT_EQ(motion.State(), MotionState::kSlidingUp);
}

TEST(MotionAutoHide, SlidingUpStaysSlidingUp) {
  Motion motion = SlidingUpMotion();
  motion.AutoHideCheck();
  EXPECT_EQ(motion.State(), MotionState::kSlidingUp);
}

TEST(MotionAutoHide, ParkedStaysParked) {
  Motion motion = ParkedMotion();
  motion.AutoHideCheck();
  EXPECT_FALSE(motion.Timer2().enabled);
  EXPECT_EQ(motion.State(), MotionState::kParked);
}

// Every interleaving of clicks, mouse moves and the three timers' ticks, from
// the loaded and from the parked strip: the two motions never run together,
// and once input stops the strip comes to rest, parked or down and enabled,
// within one full slide. Each reachable state is visited once.
TEST(MotionInterleavings, EveryInterleavingComesToRestWithinOneSlide) {
  using Key = std::tuple<float, bool, bool, bool, bool>;
  const auto key = [](const Motion& m) {
    return Key{m.Top(), m.MoveX(), m.Enabled(), m.Timer1().Running(), m.Timer2().Running()};
  };
  for (unsigned dpi : {96u, 144u}) {
    Motion parked = DownMotion(dpi);
    parked.Click();
    SlideUpToPark(parked);
    std::deque<Motion> pending{LoadedMotion(dpi), parked};
    std::set<Key> seen;
    const int fullSlide = static_cast<int>(kHeight / Motion::kStep) + 2;
    while (!pending.empty()) {
      const Motion state = pending.front();
      pending.pop_front();
      if (!seen.insert(key(state)).second) continue;
      ASSERT_FALSE(state.Timer1().Running() && state.Timer2().Running())
          << "dpi " << dpi << " top " << state.Top();

      Motion settling = state;
      int ticks = 0;
      while (settling.State() != MotionState::kParked && settling.State() != MotionState::kDown &&
             ticks <= fullSlide) {
        if (settling.Timer1().Running()) {
          settling.SlideDownStep();
        } else if (settling.Timer2().Running()) {
          settling.SlideUpStep();
        }
        ++ticks;
      }
      ASSERT_LE(ticks, fullSlide) << "dpi " << dpi << " top " << state.Top();
      EXPECT_TRUE(settling.Enabled());

      for (void (Motion::*input)() : {&Motion::Click, &Motion::MouseMove, &Motion::AutoHideCheck}) {
        Motion next = state;
        (next.*input)();
        pending.push_back(next);
      }
      if (state.Timer1().Running()) {
        pending.push_back(state);
        pending.back().SlideDownStep();
      }
      if (state.Timer2().Running()) {
        pending.push_back(state);
        pending.back().SlideUpStep();
      }
    }
    EXPECT_GT(seen.size(), 100u);  // the whole way down and up was explored
  }
}

}  // namespace
}  // namespace tavilo
