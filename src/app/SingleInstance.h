// One Tavilo a user session: a second start (the Run value and a start by
// hand, say) shows the running strip instead of opening another.
#pragma once

#include <windows.h>

namespace tavilo {

class SingleInstance {
 public:
  // Claims the session's name; `First()` tells whether this start got it.
  SingleInstance();
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  bool First() const { return first_; }
  // Asks the running program to slide its strip down, waiting a little for
  // its window when it is only starting.
  static void ShowRunningStrip();

 private:
  HANDLE mutex_ = nullptr;
  bool first_ = true;
};

}  // namespace tavilo
