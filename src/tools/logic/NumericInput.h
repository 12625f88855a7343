// Numbers typed into the shutdown scheduler's boxes. Whether a text is a
// number is the user's locale's business (decimal and group separators,
// blanks, sign, exponent), so the test goes through a seam: the window uses
// the system's own conversion, tests hand in a plain parser.
#pragma once

#include <cstdint>
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

// The nearest whole number, a tie going to the even neighbour (1.5 -> 2,
// 2.5 -> 2, -0.5 -> 0); nothing when that number does not fit a 16-bit
// signed integer or the value is not finite.
std::optional<std::int16_t> RoundToInt16(double value);

}  // namespace tavilo
