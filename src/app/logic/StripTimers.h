// Which of the strip's timers run, and how often. The motion timers follow
// the motion model. The counter's timer runs only while the strip can be seen
// (down or moving), once a display frame: its text cannot be seen to change
// more often, and nothing else reads it. While the strip is parked, only the
// ten-second auto-hide check wakes the program.
#pragma once

#include <cstdint>

#include "app/logic/AutoHide.h"
#include "app/logic/Motion.h"

namespace tavilo {


struct StripTimerSettings {
  TimerSetting timer1;  // slide-down step
  TimerSetting timer2;  // slide-up step
  TimerSetting timer3;  // auto-hide check
  TimerSetting timer4;  // running-time counter
  bool operator==(const StripTimerSettings&) const = default;
};

// One frame of a display refreshed `refreshHz` times a second, in whole
// milliseconds; 60 Hz when the rate is unknown (reported as 0 or 1).
uint32_t FramePeriodMs(int refreshHz);

StripTimerSettings StripTimers(const Motion& motion, int refreshHz);

}  // namespace tavilo
