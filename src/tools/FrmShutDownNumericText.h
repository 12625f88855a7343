// The numeric-text test of the user's locale: oleaut32's text-to-number
// conversion (VarR8FromStr with LOCALE_USER_DEFAULT), the same test Windows
// programs apply to typed numbers. It accepts surrounding blanks, a sign or
// parentheses, the locale's decimal and group separators, an exponent and
// "&H" hexadecimal, and rejects anything else.
#pragma once

#include "tools/logic/NumericInput.h"

namespace tavilo {

class UserLocaleNumericText final : public NumericText {
 public:
  std::optional<double> ToNumber(const std::wstring& text) override;
};

}  // namespace tavilo
