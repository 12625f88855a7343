// Messages to the user: a modal box with only an OK button and no icon,
// titled with the program's name, reading right to left for the Persian text.
#pragma once

#include "calendar/Class1.h"
#include "platform/Platform.h"
#include "ui/ApplicationTitle.h"

namespace tavilo {

inline MessageFn TaviloMessageBox(Platform& platform) {
  return [&platform](const std::wstring& text) {
    platform.ShowMessageBox(nullptr, text, kApplicationTitle, kMbOk | kMbRight | kMbRtlReading);
  };
}

}  // namespace tavilo
