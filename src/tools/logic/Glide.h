// The date converter's gliding label: one timer moves it left, another right,
// each by a step that grows by one twip per tick of its own timer and is
// never reset while the window is loaded, so every leg is faster than the
// one before and the label overshoots both limits by up to one step.
#pragma once

#include <cstdint>

namespace tavilo {

class LabelGlide {
 public:
  static constexpr float kDesignLeft = 4560;
  // The leftward leg ends at or below this edge, the rightward leg turns
  // once it has passed the other.
  static constexpr float kLeftLimit = 0;
  static constexpr float kRightLimit = 3500;

  // Timer1_Timer: the leftward move.
  void Timer1Tick();
  // Timer3_Timer: the rightward move.
  void Timer3Tick();

  float Left() const { return left_; }
  // Which timer is enabled: Timer1 while moving left, Timer3 while moving right.
  bool MovingLeft() const { return movingLeft_; }
  std::int16_t LeftStep() const { return iLeftStep_; }
  std::int16_t RightStep() const { return iRightStep_; }

 private:
  float left_ = kDesignLeft;
  std::int16_t iLeftStep_ = 0;
  std::int16_t iRightStep_ = 0;
  bool movingLeft_ = true;
};

}  // namespace tavilo
