#include "tools/logic/CaptionLoop.h"

#include <utility>

namespace tavilo {

CaptionLoop::CaptionLoop(std::wstring strTitle) : strTitle_(std::move(strTitle)) {}

CaptionLoop::Tick CaptionLoop::Next() {
  Tick tick{strTitle_.substr(0, static_cast<std::size_t>(iTitleLen_)), intervalMs_};
  const auto length = static_cast<std::int16_t>(strTitle_.size());
  iTitleLen_ = static_cast<std::int16_t>(iTitleLen_ + iTitleDir_);
  // The turning ticks repeat the full title and the single first letter.
  if (iTitleLen_ == length + 1) {
    iTitleDir_ = -1;
    iTitleLen_ = length;
    intervalMs_ = kShrinkIntervalMs;
  } else if (iTitleLen_ == 0) {
    iTitleDir_ = +1;
    iTitleLen_ = 1;
    intervalMs_ = kGrowIntervalMs;
  }
  tick.nextIntervalMs = intervalMs_;
  return tick;
}

}  // namespace tavilo
