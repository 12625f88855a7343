#include "tools/logic/SlideSteps.h"

namespace tavilo {

namespace {

float Sum(float a, float b) { return static_cast<float>(static_cast<double>(a) + b); }

}  // namespace

SlideRun SlideOut(SlideSubject& subject, std::int16_t iSpeed) {
  SlideRun run;
  if (iSpeed < 1) return run;
  const float step = iSpeed;

  while (Sum(subject.Width(), subject.Left()) < subject.ScreenWidth()) {
    if (!subject.ProcessEvents()) {
      run.interrupted = true;
      return run;
    }
    subject.SetLeft(Sum(step, subject.Left()));
    ++run.rightSteps;
  }
  // Top minus height: the drop ends only when the window is a whole height
  // below the bottom edge.
  while (Sum(subject.Top(), -subject.Height()) < subject.ScreenHeight()) {
    if (!subject.ProcessEvents()) {
      run.interrupted = true;
      return run;
    }
    subject.SetTop(Sum(step, subject.Top()));
    ++run.downSteps;
  }
  return run;
}

}  // namespace tavilo
