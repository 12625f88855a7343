// Numbers typed into the shutdown scheduler's boxes. Whether a text is a
// number is the user's locale's business (decimal and group separators,
// blanks, sign, exponent), so the test goes through a seam: the window uses
// the system's own conversion, tests hand in a plain parser.
#pragma once

#include <optional>
#include <string>

namespace tavilo {

class NumericText {
 public:
  virtual ~NumericText() = default;
  // The value of `text` read as a number under the user's locale, or nothing
  // when the text is not a number.
  virtual std::optional<double> ToNumber(const std::wstring& text) = 0;
};

}  // namespace tavilo
