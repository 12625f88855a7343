// The caption of a label that the window draws itself, and when its rectangle
// has to be redrawn. A change made while the label cannot be seen (the strip
// parked above the screen) is remembered and drawn once it can be seen again;
// an unchanged caption is never redrawn.
#pragma once

#include <string>

namespace tavilo {

class LabelCaption {
 public:
  void Set(std::wstring text);
  // True once for each change not drawn yet, and only while the label is
  // visible; the caller then invalidates the label's rectangle.
  bool TakeRedraw(bool visible);
  const std::wstring& Text() const { return text_; }

 private:
  std::wstring text_;
  bool stale_ = false;  // the drawn caption differs from text_
};

}  // namespace tavilo
