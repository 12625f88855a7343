// A stand-in for the locale's numeric-text test in portable tests: plain
// decimal notation with the point as separator, surrounding blanks allowed,
// nothing else.
#pragma once

#include <cwchar>
#include <optional>
#include <string>

#include "tools/logic/NumericInput.h"

namespace tavilo::testing {

class PlainNumericText final : public NumericText {
 public:
  std::optional<double> ToNumber(const std::wstring& text) override {
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return std::nullopt;
    const std::wstring trimmed = text.substr(first, text.find_last_not_of(L' ') - first + 1);
    wchar_t* end = nullptr;
    const double value = std::wcstod(trimmed.c_str(), &end);
    if (end != trimmed.c_str() + trimmed.size()) return std::nullopt;
    return value;
  }
};

}  // namespace tavilo::testing
