#include "app/logic/Motion.h"

#include <algorithm>

#include "ui/Twips.h"

namespace tavilo {

Motion::Motion(float height, unsigned dpi) : dpi_(dpi), height_(SnapToPixel(height, dpi)) {}

void Motion::WriteTop(float top) { top_ = SnapToPixel(top, dpi_); }

void Motion::Load(float top) {
  WriteTop(top);
  moveX_ = true;
  timer1_ = {true, kStepIntervalMs};
}

void Motion::SlideDownStep() {
  if (top_ < -kStep && moveX_) {
    WriteTop(top_ + kStep);
    enabled_ = false;  // no input while the window moves
  } else {
    timer1_ = {false, 0};
    enabled_ = true;
  }
}

void Motion::SlideUpStep() {
  const float onScreen = height_ + top_;
  if (onScreen > kStep) {
    // Rounding to pixels must never lift the strip wholly off the screen:
    // at least one pixel row stays for the mouse to find.
    const float highest = TwipsPerPixel(dpi_) - height_;
    WriteTop(std::max(top_ - kStep, highest));
  } else {
    timer2_.enabled = false;
    moveX_ = false;
  }
}

void Motion::AutoHideCheck() {
  if (moveX_ && !timer1_.enabled) timer2_.enabled = true;
}

// The two motions exclude each other: starting one stops the other. Were
// both to run, each slide-down step would be undone by a slide-up step and
// the strip would stay between the two, disabled, for good.
void Motion::Click() {
  timer1_.enabled = false;
  enabled_ = true;
  timer2_.enabled = true;
}

void Motion::MouseMove() {
  if (moveX_) return;
  moveX_ = true;
  timer2_.enabled = false;
  timer1_ = {true, kStepIntervalMs};
}

void Motion::ChangeDpi(float height, unsigned dpi) {
  dpi_ = dpi;
  height_ = SnapToPixel(height, dpi);
  // A parked strip keeps at least one pixel row on the screen.
  WriteTop(std::max(top_, TwipsPerPixel(dpi_) - height_));
}

MotionState Motion::State() const {
  const bool down = timer1_.Running();
  const bool up = timer2_.Running();
  if (moveX_ && down && !up) return MotionState::kSlidingDown;
  if (moveX_ && !down && !up && enabled_) return MotionState::kDown;
  if (moveX_ && !down && up && enabled_) return MotionState::kSlidingUp;
  if (!moveX_ && !down && !up && enabled_) return MotionState::kParked;
  return MotionState::kTransient;
}

}  // namespace tavilo
