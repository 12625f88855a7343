// The slide-down / slide-up motion of the drop-down strip: `MoveX`, the two
// motion timers, the window's Enabled flag and its Top in twips.
//
// Every write of Top goes through the window system, which keeps whole pixels,
// so the model snaps each written value to the pixel grid of the window's DPI
// and works on that value from then on. The Win32 window only applies what
// this model holds after each handler.
#pragma once

#include <cstdint>

namespace tavilo {

struct TimerSetting {
  bool enabled = false;
  uint32_t intervalMs = 0;
  // A timer with interval 0 never fires, even when enabled.
  bool Running() const { return enabled && intervalMs > 0; }
  bool operator==(const TimerSetting&) const = default;
};

enum class MotionState {
  kSlidingDown,
  kDown,
  kSlidingUp,
  kParked,
  // Combinations outside the four resting/moving states, e.g. a click while
  // parked (Timer2 on with MoveX False) until the next Timer2 tick.
  kTransient,
};

class Motion {
 public:
  static constexpr uint32_t kStepIntervalMs = 10;
  static constexpr float kStep = 30.0f;

  // `height` is the window's height in twips as the window system holds it.
  Motion(float height, unsigned dpi);

  // Form_Load: the window is placed at `top` and starts sliding down.
  void Load(float top);
  // Timer1 tick.
  void SlideDownStep();
  // Timer2 tick.
  void SlideUpStep();
  // Timer3 tick.
  void AutoHideCheck();
  // A click on the window's own surface.
  void Click();
  // The mouse moving over the window's own surface.
  void MouseMove();
  // The window moved to a screen of another DPI and was resized to `height`
  // twips there: Top keeps its place in twips on the new pixel grid, and
  // every flag and timer stays as it was.
  void ChangeDpi(float height, unsigned dpi);

  float Top() const { return top_; }
  float Height() const { return height_; }
  bool MoveX() const { return moveX_; }
  bool Enabled() const { return enabled_; }
  const TimerSetting& Timer1() const { return timer1_; }
  const TimerSetting& Timer2() const { return timer2_; }
  MotionState State() const;

 private:
  void WriteTop(float top);

  unsigned dpi_;
  float height_;
  float top_ = 0.0f;
  bool moveX_ = false;
  bool enabled_ = true;
  // Design-time timer settings.
  TimerSetting timer1_{true, kStepIntervalMs};
  TimerSetting timer2_{false, kStepIntervalMs};
};

}  // namespace tavilo
