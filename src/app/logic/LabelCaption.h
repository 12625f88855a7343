// The caption of a label that the window draws itself, and when its rectangle
// has to be redrawn. A change made while the label cannot be seen (the strip
// parked above the screen) is remembered and drawn once it can be seen again;
// an unchanged caption is never redrawn.
#pragma once

#include <string>

namespace tavilo {

class LabelCaption {
 public:
  // Takes the caption; true when the label's rectangle must be invalidated now.
  bool Update(std::wstring text, bool visible);
  const std::wstring& Text() const { return text_; }

 private:
  std::wstring text_;
  bool stale_ = false;  // the drawn caption differs from text_
};

}  // namespace tavilo
