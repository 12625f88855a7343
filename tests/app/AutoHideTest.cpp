#include "app/logic/AutoHide.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavilo {
namespace {

enum class Input { kMove, kHold, kRelease, kClick, kCheck, kCheckInUse };
// At its time, an input, then the motion's state and (after a check) its next wait.
struct Step { std::uint64_t at; Input input; MotionState after; std::uint32_t nextCheckMs = 0; };

// The strip comes to rest down at 1000 ms; then each case's steps.
TEST(AutoHide, CountsFromRestAndFromThePointerAndNeverWhileHeld) {
  constexpr auto kDown = MotionState::kDown, kUp = MotionState::kSlidingUp;
  using enum Input;
  const std::vector<std::vector<Step>> cases = {
      {{3000, kCheck, kDown, 8000}, {11000, kCheck, kUp, 10000}},
      {{9000, kMove, kDown}, {11000, kCheck, kDown, 8000}, {19000, kCheck, kUp, 10000}},
      {{11000, kCheckInUse, kDown, 10000}, {21000, kCheck, kUp, 10000}},
      {{2000, kHold, kDown}, {40000, kCheck, kDown, 10000}, {45000, kRelease, kDown},
       {50000, kCheck, kDown, 5000}, {55000, kCheck, kUp, 10000}},
      {{2000, kHold, kDown}, {3000, kHold, kDown}, {4000, kRelease, kDown},
       {20000, kCheck, kDown, 10000}, {21000, kRelease, kDown}, {31000, kCheck, kUp, 10000}},
      {{2000, kHold, kDown}, {3000, kClick, kUp}},
  };
  for (const std::vector<Step>& steps : cases) {
    Motion motion(2070.0f, 96);
    AutoHide autoHide;
    motion.Load(-2045.0f);
    while (motion.Timer1().Running()) motion.SlideDownStep();
    ASSERT_TRUE(autoHide.Follow(motion, 1000));
    for (const Step& step : steps) {
      std::uint32_t next = 0;
      if (step.input == kMove) autoHide.Restart(step.at);
      if (step.input == kHold) autoHide.Hold();
      if (step.input == kRelease) autoHide.Release(step.at);
      if (step.input == kClick) motion.Click();
      if (step.input >= kCheck) next = autoHide.Check(motion, step.at, step.input == kCheckInUse);
      EXPECT_FALSE(autoHide.Follow(motion, step.at)) << step.at;
      EXPECT_EQ(motion.State(), step.after) << step.at;
      EXPECT_EQ(next, step.nextCheckMs) << step.at;
    }
  }
}

}  // namespace
}  // namespace tavilo
