#include "tools/logic/Glide.h"

#include <limits>

namespace tavilo {

namespace {

// The window may stay open for days: a step stops growing at the largest
// 16-bit value instead of wrapping round to a negative one.
std::int16_t Grown(std::int16_t step) {
  return step < std::numeric_limits<std::int16_t>::max() ? static_cast<std::int16_t>(step + 1)
                                                         : step;
}

}  // namespace

void LabelGlide::Timer1Tick() {
  if (left_ > kLeftLimit) left_ = left_ - static_cast<float>(iLeftStep_);
  if (left_ <= kLeftLimit) movingLeft_ = false;
  iLeftStep_ = Grown(iLeftStep_);
}

void LabelGlide::Timer3Tick() {
  // The turning tick still moves the label once more.
  if (left_ > kRightLimit) movingLeft_ = true;
  left_ = left_ + static_cast<float>(iRightStep_);
  iRightStep_ = Grown(iRightStep_);
}

}  // namespace tavilo
