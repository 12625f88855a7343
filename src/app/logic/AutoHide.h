// When the strip, at rest down, slides up by itself: ten seconds after it
// came to rest, the count starting again whenever the pointer is over it,
// and never while the user works with something of it (its popup menu, the
// transparency window). The count is a timestamp: a pointer moving over the
// strip sets no timer, and the check's timer is aimed at the count's end.
#pragma once

#include <cstdint>

#include "app/logic/Motion.h"

namespace tavilo {

inline constexpr std::uint32_t kAutoHideIntervalMs = 10000;

class AutoHide {
 public:
  // The pointer moved over the strip.
  void Restart(std::uint64_t nowMs) { countFrom_ = nowMs; }
  // Held, the strip stays down; the count starts afresh when the last hold
  // lets go.
  void Hold() { ++holds_; }
  void Release(std::uint64_t nowMs);

  // After each change of the motion: true when the strip has just come to
  // rest down, its count starting now (the check's timer starts afresh).
  bool Follow(const Motion& motion, std::uint64_t nowMs);
  // The check's tick; `inUse`: the pointer rests on the strip, or a message
  // box is open. Sends a strip whose count ran out up, and returns how long
  // the check is to wait now: the rest of the count while the strip stays
  // down, else the ten-second rhythm of the full-screen test.
  std::uint32_t Check(Motion& motion, std::uint64_t nowMs, bool inUse);

 private:
  std::uint64_t countFrom_ = 0;
  int holds_ = 0;
  bool restingDown_ = false;
};

}  // namespace tavilo
