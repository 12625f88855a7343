#include "calendar/Numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace tavilo {
namespace {

bool IsIgnorableBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

int DigitValue(wchar_t c, int radix) {
  int v = -1;
  if (c >= L'0' && c <= L'9') v = c - L'0';
  else if (c >= L'a' && c <= L'f') v = c - L'a' + 10;
  else if (c >= L'A' && c <= L'F') v = c - L'A' + 10;
  return v < radix ? v : -1;
}

// Hexadecimal and octal literals read as a 16-bit value while they fit in
// 16 bits (so &HFFFF is -1) and as a 32-bit value while they fit in 32.
double RadixValue(std::wstring_view digits, int radix, size_t* used) {
  uint64_t value = 0;
  size_t i = 0;
  for (; i < digits.size(); ++i) {
    const int d = DigitValue(digits[i], radix);
    if (d < 0) break;
    value = value * radix + d;
    if (value > 0xFFFFFFFFull) throw OverflowError();
  }
  if (used) *used = i;
  if (value <= 0xFFFF) return static_cast<int16_t>(static_cast<uint16_t>(value));
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

// Reads a decimal number (sign, digits, fraction, exponent) from the start
// of `s`; `used` receives how many characters it took (0 when there is no
// number).
double DecimalPrefix(std::wstring_view s, size_t* used) {
  std::string ascii;
  size_t i = 0;
  if (i < s.size() && (s[i] == L'+' || s[i] == L'-')) ascii += static_cast<char>(s[i++]);
  size_t mantissa_digits = 0;
  while (i < s.size() && IsDigit(s[i])) { ascii += static_cast<char>(s[i++]); ++mantissa_digits; }
  if (i < s.size() && s[i] == L'.') {
    ascii += '.';
    ++i;
    while (i < s.size() && IsDigit(s[i])) { ascii += static_cast<char>(s[i++]); ++mantissa_digits; }
  }
  if (mantissa_digits == 0) { *used = 0; return 0.0; }
  if (i < s.size() && (s[i] == L'e' || s[i] == L'E' || s[i] == L'd' || s[i] == L'D')) {
    size_t j = i + 1;
    std::string exponent = "e";
    if (j < s.size() && (s[j] == L'+' || s[j] == L'-')) exponent += static_cast<char>(s[j++]);
    const size_t first_digit = j;
    while (j < s.size() && IsDigit(s[j])) exponent += static_cast<char>(s[j++]);
    if (j > first_digit) { ascii += exponent; i = j; }
    else i = j;  // a bare exponent letter (and sign) is taken and means nothing
  }
  *used = i;
  const double value = std::strtod(ascii.c_str(), nullptr);
  if (std::isinf(value)) throw OverflowError();
  return value;
}

// A number with an optional &H / &O prefix at the start of `s`.
double NumberPrefix(std::wstring_view s, size_t* used) {
  if (!s.empty() && s[0] == L'&') {
    if (s.size() >= 2 && (s[1] == L'H' || s[1] == L'h' || s[1] == L'O' || s[1] == L'o')) {
      const int radix = (s[1] == L'H' || s[1] == L'h') ? 16 : 8;
      size_t digits = 0;
      const double v = RadixValue(s.substr(2), radix, &digits);
      *used = digits ? digits + 2 : 0;
      return v;
    }
    *used = 0;
    return 0.0;
  }
  return DecimalPrefix(s, used);
}

int64_t CheckedRound(double value, double lo, double hi) {
  const double r = std::nearbyint(value);  // default rounding: ties to even
  if (!(r >= lo && r <= hi)) throw OverflowError();
  return static_cast<int64_t>(r);
}

// Days since 1 January 1970 of a proleptic Gregorian date (month 1..12).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

constexpr int64_t kUnixEpochDateValue = 25569;  // 1 January 1970

}  // namespace

double LeadingNumber(std::wstring_view text) {
  std::wstring compact;
  compact.reserve(text.size());
  for (wchar_t c : text)
    if (!IsIgnorableBlank(c)) compact += c;
  size_t used = 0;
  return NumberPrefix(compact, &used);
}

std::optional<double> WholeTextNumber(std::wstring_view text) {
  size_t first = 0, last = text.size();
  while (first < last && text[first] == L' ') ++first;
  while (last > first && text[last - 1] == L' ') --last;
  const std::wstring_view body = text.substr(first, last - first);
  if (body.empty()) return std::nullopt;
  size_t used = 0;
  const double value = NumberPrefix(body, &used);
  if (used != body.size()) return std::nullopt;
  return value;
}

int16_t RoundToInt16(double value) {
  return static_cast<int16_t>(CheckedRound(value, -32768.0, 32767.0));
}

int32_t RoundToInt32(double value) {
  return static_cast<int32_t>(CheckedRound(value, -2147483648.0, 2147483647.0));
}

std::wstring NumberText(double value) {
  if (value == 0) return L"0";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::general, 15);
  std::wstring text;
  for (const char* p = buffer; p != result.ptr; ++p)
    text += *p == 'e' ? L'E' : static_cast<wchar_t>(*p);
  return text;
}

std::wstring TwoDigitText(double value) {
  std::wstring text = NumberText(value);
  if (text.size() == 1) text.insert(text.begin(), L'0');
  return text;
}

int32_t DayOfDate(double date) {
  if (!(date > kMinDateValue - 1.0 && date < kMaxDateValue + 1.0)) throw OverflowError();
  return static_cast<int32_t>(std::trunc(date));
}

double DateSerial(int32_t year, int32_t month, int32_t day) {
  const int64_t months = static_cast<int64_t>(year) * 12 + (static_cast<int64_t>(month) - 1);
  const int64_t y = months >= 0 ? months / 12 : -((-months + 11) / 12);
  const int64_t m = months - y * 12 + 1;
  if (y < -100000 || y > 100000) throw OverflowError();
  const int64_t value = DaysFromCivil(y, m, 1) + kUnixEpochDateValue + (static_cast<int64_t>(day) - 1);
  if (value < kMinDateValue || value > kMaxDateValue) throw OverflowError();
  return static_cast<double>(value);
}

CivilDate CivilFromDate(double date) {
  const int64_t z = static_cast<int64_t>(DayOfDate(date)) - kUnixEpochDateValue + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const int64_t m = mp < 10 ? mp + 3 : mp - 9;
  const int64_t y = yoe + era * 400 + (m <= 2);
  return {static_cast<int32_t>(y), static_cast<int32_t>(m), static_cast<int32_t>(d)};
}

}  // namespace tavilo
