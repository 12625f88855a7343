// Number and date-value conventions shared by the calendar engine and the
// windows: how a typed field is read as a number, how numbers are rounded to
// 16/32-bit integers, how integer division behaves, and how date values
// (days since 30 December 1899) are built from and split into year, month
// and day.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tavilo {

// Raised when a value does not fit the integer type it is rounded to, or a
// date value leaves the range 1 January 100 to 31 December 9999.
class OverflowError : public std::overflow_error {
 public:
  OverflowError() : std::overflow_error("Overflow") {}
};

// The value of the number a field starts with. Blanks, tabs and line feeds
// anywhere are ignored; then an optional sign, digits, a decimal point and
// fraction, an exponent (E or D), or &H / &O followed by hexadecimal / octal
// digits. A field that does not start with a number reads as 0.
// OverflowError for a number beyond a double (1E999) or a hexadecimal /
// octal literal beyond 32 bits.
double LeadingNumber(std::wstring_view text);

// The value of a text that holds one number as a whole (leading and trailing
// blanks allowed), or nothing when the text is not a number. Overflows as
// LeadingNumber does.
std::optional<double> WholeTextNumber(std::wstring_view text);

// Round to nearest, ties to even; OverflowError outside the type.
int16_t RoundToInt16(double value);
int32_t RoundToInt32(double value);

// Integer division truncating toward zero, and its remainder (which takes
// the sign of the dividend).
constexpr int32_t DivTrunc(int32_t a, int32_t b) { return a / b; }
constexpr int32_t ModTrunc(int32_t a, int32_t b) { return a % b; }
// Division rounding toward minus infinity, and its remainder (which takes
// the sign of the divisor).
constexpr int32_t DivFloor(int32_t a, int32_t b) {
  // Same signs (or a = 0): truncation already rounds down.
  if ((a >= 0) == (b > 0)) return a / b;
  const int32_t q = a / b;
  return q * b == a ? q : q - 1;
}
constexpr int32_t ModFloor(int32_t a, int32_t b) { return a - b * DivFloor(a, b); }

// A number as text: whole numbers without a decimal point, others with up to
// 15 significant digits, very large or small magnitudes in exponent form
// ("1E+20").
std::wstring NumberText(double value);

// A whole number in decimal, with a leading "0" when it has one character.
std::wstring TwoDigitText(double value);

struct CivilDate {
  int32_t year;
  int32_t month;
  int32_t day;
};

inline constexpr double kMinDateValue = -657434.0;  // 1 January 100
inline constexpr double kMaxDateValue = 2958465.0;  // 31 December 9999

// The day number (days since 30 December 1899) of a date value, its time
// of day dropped. OverflowError outside the date range.
int32_t DayOfDate(double date);

// The date value of a proleptic Gregorian date. Months and days outside
// their ranges carry into the year and month as a date builder does
// (month 13 is January of the next year, day 0 the last day of the month
// before). OverflowError when the result leaves the date range.
double DateSerial(int32_t year, int32_t month, int32_t day);

// The proleptic Gregorian year, month and day of a date value.
CivilDate CivilFromDate(double date);

}  // namespace tavilo
