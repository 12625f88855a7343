#include "app/logic/AutoHide.h"

namespace tavilo {

void AutoHide::Release(std::uint64_t nowMs) {
  if (holds_ > 0 && --holds_ == 0) Restart(nowMs);
}

bool AutoHide::Follow(const Motion& motion, std::uint64_t nowMs) {
  const bool arrived = motion.State() == MotionState::kDown && !restingDown_;
  restingDown_ = motion.State() == MotionState::kDown;
  if (arrived) Restart(nowMs);
  return arrived;
}

std::uint32_t AutoHide::Check(Motion& motion, std::uint64_t nowMs, bool inUse) {
  if (motion.State() != MotionState::kDown) return kAutoHideIntervalMs;
  if (inUse || holds_ > 0) Restart(nowMs);
  // A clock set back counts afresh.
  const std::uint64_t elapsed = nowMs > countFrom_ ? nowMs - countFrom_ : 0;
  if (elapsed < kAutoHideIntervalMs) {
    return static_cast<std::uint32_t>(kAutoHideIntervalMs - elapsed);
  }
  motion.AutoHideCheck();
  return kAutoHideIntervalMs;
}

}  // namespace tavilo
