#include "app/logic/LabelCaption.h"

#include <utility>

namespace tavilo {

void LabelCaption::Set(std::wstring text) {
  if (text == text_) return;
  text_ = std::move(text);
  stale_ = true;
}

bool LabelCaption::TakeRedraw(bool visible) {
  if (!visible || !stale_) return false;
  stale_ = false;
  return true;
}

}  // namespace tavilo
