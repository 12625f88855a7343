// The date converter's caption loop: the title is typed out one character
// per slow tick, then erased one character per fast tick down to its first
// letter, and again, without end. The caption is never empty.
#pragma once

#include <cstdint>
#include <string>

namespace tavilo {

class CaptionLoop {
 public:
  static constexpr unsigned kGrowIntervalMs = 200;
  static constexpr unsigned kShrinkIntervalMs = 50;

  // `strTitle` must not be empty.
  explicit CaptionLoop(std::wstring strTitle);

  struct Tick {
    std::wstring caption;  // what the window shows from this tick on
    unsigned nextIntervalMs;
  };
  // One tick of the caption timer: the caption to show, and the interval the
  // timer runs at from now on.
  Tick Next();

 private:
  std::wstring strTitle_;
  std::int16_t iTitleLen_ = 1;
  std::int16_t iTitleDir_ = +1;
  unsigned intervalMs_ = kGrowIntervalMs;
};

}  // namespace tavilo
