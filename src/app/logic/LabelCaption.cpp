#include "app/logic/LabelCaption.h"

#include <utility>

namespace tavilo {

bool LabelCaption::Update(std::wstring text, bool visible) {
  if (text != text_) {
    text_ = std::move(text);
    stale_ = true;
  }
  if (!visible || !stale_) return false;
  stale_ = false;
  return true;
}

}  // namespace tavilo
