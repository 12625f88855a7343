#include "app/logic/StripTimers.h"

#include <gtest/gtest.h>

namespace tavilo {
namespace {

constexpr float kHeight = 2070.0f;

// The strip's timers in each state of its motion: parked, nothing wakes the
// program more than once a second; down or moving, the counter ticks once a
// display frame (60 Hz where the rate is unknown).
TEST(StripTimers, ParkedKeepsOnlyTheTenSecondCheckAndTheCounterTicksOncePerFrame) {
  for (int refreshHz : {0, 1, 60, 75, 144}) {
    const uint32_t frame = refreshHz > 1 ? 1000u / static_cast<uint32_t>(refreshHz) : 16u;
    Motion motion(kHeight, 96);
    motion.Load(-kHeight + 25.0f);
    EXPECT_EQ(StripTimers(motion, refreshHz).timer4, (TimerSetting{true, frame})) << refreshHz;
    while (motion.Timer1().Running()) motion.SlideDownStep();
    EXPECT_EQ(StripTimers(motion, refreshHz).timer4, (TimerSetting{true, frame}));
    motion.Click();
    motion.SlideUpStep();
    EXPECT_TRUE(StripTimers(motion, refreshHz).timer4.Running());
    while (motion.Timer2().Running()) motion.SlideUpStep();
    ASSERT_EQ(motion.State(), MotionState::kParked);

    const StripTimerSettings parked = StripTimers(motion, refreshHz);
    for (const TimerSetting& timer : {parked.timer1, parked.timer2, parked.timer3, parked.timer4}) {
      EXPECT_TRUE(!timer.Running() || timer.intervalMs >= 1000) << refreshHz;
    }
    EXPECT_EQ(parked.timer3, (TimerSetting{true, 10000}));
  }
}

}  // namespace
}  // namespace tavilo
