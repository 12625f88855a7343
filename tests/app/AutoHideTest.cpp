#include "app/logic/AutoHide.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavilo {
namespace {

enum class Input { kMove, kHold, kRelease, kClick, kCheck, kCheckInUse };
struct Step {
  std::uint64_t at;
  Input input;
  MotionState after;
  std::uint32_t nextCheckMs = 0;  // checks only
};

// The strip comes to rest down at 1000 ms; then the steps, each at its time.
TEST(AutoHide, CountsFromRestAndFromThePointerAndNeverWhileHeld) {
  constexpr auto kDown = MotionState::kDown, kUp = MotionState::kSlidingUp;
  using enum Input;
  const std::vector<std::vector<Step>> cases = {
      {{3000, kCheck, kDown, 8000}, {11000, kCheck, kUp, 10000}},
      {{9000, kMove, kDown}, {11000, kCheck, kDown, 8000}, {19000, kCheck, kUp, 10000}},
      {{11000, kCheckInUse, kDown, 10000}, {21000, kCheck, kUp, 10000}},
      {{2000, kHold, kDown}, {11000, kCheck, kDown, 10000}, {40000, kCheck, kDown, 10000},
       {45000, kRelease, kDown}, {50000, kCheck, kDown, 5000}, {55000, kCheck, kUp, 10000}},
      {{2000, kHold, kDown}, {3000, kHold, kDown}, {4000, kRelease, kDown},
       {20000, kCheck, kDown, 10000}, {21000, kRelease, kDown}, {31000, kCheck, kUp, 10000}},
      {{2000, kHold, kDown}, {3000, kClick, kUp}},
  };
  for (size_t index = 0; index < cases.size(); ++index) {
    Motion motion(2070.0f, 96);
    AutoHide autoHide;
    motion.Load(-2045.0f);
    while (motion.Timer1().Running()) motion.SlideDownStep();
    ASSERT_TRUE(autoHide.Follow(motion, 1000));
    for (const Step& step : cases[index]) {
      std::uint32_t next = 0;
      switch (step.input) {
        case kMove: autoHide.Restart(step.at); break;
        case kHold: autoHide.Hold(); break;
        case kRelease: autoHide.Release(step.at); break;
        case kClick: motion.Click(); break;
        case kCheck: next = autoHide.Check(motion, step.at, false); break;
        case kCheckInUse: next = autoHide.Check(motion, step.at, true); break;
      }
      EXPECT_FALSE(autoHide.Follow(motion, step.at)) << "case " << index << " at " << step.at;
      EXPECT_EQ(motion.State(), step.after) << "case " << index << " at " << step.at;
      EXPECT_EQ(next, step.nextCheckMs) << "case " << index << " at " << step.at;
    }
  }
}

}  // namespace
}  // namespace tavilo
