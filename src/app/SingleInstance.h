// One Tavilo a user session: a second start (the Run value and a start by
// hand, say) shows the running strip instead of opening another. A start
// that meets a Tavilo on its way out (Exit chosen a moment before) waits for
// it to end and then runs in its place.
#pragma once

#include <windows.h>

namespace tavilo {

class SingleInstance {
 public:
  // Claims the session's name, or has the Tavilo that holds it show its
  // strip; `First()` tells whether this start is to run. Waits up to five
  // seconds for a Tavilo that is starting or ending.
  SingleInstance();
  // Lets go of the name: a start waiting for it runs.
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  bool First() const { return first_; }

 private:
  // Takes the name when nobody holds it, waiting up to `waitMs` for the
  // holder to let go.
  bool Claim(DWORD waitMs);
  // Asks the running program to slide its strip down; false when there is
  // no strip yet or no more (the program is starting or ending).
  static bool ShowRunningStrip();

  HANDLE mutex_ = nullptr;
  bool first_ = false;
};

}  // namespace tavilo
