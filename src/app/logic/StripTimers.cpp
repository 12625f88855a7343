#include "app/logic/StripTimers.h"

namespace tavilo {

namespace {

constexpr int kUnknownRefreshFallbackHz = 60;

}  // namespace

uint32_t FramePeriodMs(int refreshHz) {
  const int hz = refreshHz > 1 ? refreshHz : kUnknownRefreshFallbackHz;
  return hz >= 1000 ? 1u : static_cast<uint32_t>(1000 / hz);
}

StripTimerSettings StripTimers(const Motion& motion, int refreshHz) {
  // MoveX is False only while the strip is parked.
  return {motion.Timer1(), motion.Timer2(), {true, kAutoHideIntervalMs},
          {motion.MoveX(), FramePeriodMs(refreshHz)}};
}

}  // namespace tavilo
