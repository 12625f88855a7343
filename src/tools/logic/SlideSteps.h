// The slide-out algorithm on an abstract window, so that its arithmetic and
// its re-entrancy can be tested without a window system.
#pragma once

#include <cstdint>

namespace tavilo {

// What the slide needs of the window it moves. Geometry is in twips,
// relative to the screen, read afresh on every call.
class SlideSubject {
 public:
  virtual ~SlideSubject() = default;
  virtual float Left() = 0;
  virtual float Top() = 0;
  virtual float Width() = 0;
  virtual float Height() = 0;
  virtual void SetLeft(float twips) = 0;
  virtual void SetTop(float twips) = 0;
  virtual float ScreenWidth() = 0;
  virtual float ScreenHeight() = 0;
  // One pass of the event loop. False when the slide must stop at once: the
  // window is gone or the program is ending.
  virtual bool ProcessEvents() = 0;
};

struct SlideRun {
  int rightSteps = 0;
  int downSteps = 0;
  // The slide was cut short by ProcessEvents.
  bool interrupted = false;
};

// Phase 1: while Left + Width < screen width, process events and add `iSpeed`
// to Left. Phase 2: while Top - Height < screen height, process events and
// add `iSpeed` to Top. Sums are rounded to single precision before they are
// compared or stored. A step below 1 does not move the window at all (it
// could never arrive).
SlideRun SlideOut(SlideSubject& subject, std::int16_t iSpeed);

}  // namespace tavilo
