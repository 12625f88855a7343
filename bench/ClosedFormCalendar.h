// A closed-form Solar Hijri conversion written only as a yardstick for the
// engine's speed: the 33-year rule as one floor division, plus the two
// astronomical corrections (1503 and 1602 start a day early), for years
// 1 and later. It shares no code with the engine.
#pragma once

#include <cstdint>
#include <string>

namespace tavilo::bench {

// Day number of 1 Farvardin 0 under the plain 33-year rule, chosen so that
// 1 Farvardin 1300 is day 7751 (21 March 1921).
inline constexpr int32_t kRuleEpoch = -467064;

// Under the 33-year rule 1 Farvardin of year y is floor((12053 y + 21) / 33)
// days after the epoch: 365 days a year plus floor((8 y + 21) / 33) leap days.
inline int32_t FarvardinFirst(int32_t year) {
  const int32_t rule = kRuleEpoch + (12053 * year + 21) / 33;
  return rule - ((year == 1503 || year == 1602) ? 1 : 0);
}

struct Fields {
  int32_t year, month, day;
};

inline Fields FieldsFromDay(int32_t day_number) {
  // Inverse of the rule's year start; exact for the rule, so only the two
  // corrected years can move the answer, and only one year forward.
  int32_t year = (33 * (day_number - kRuleEpoch) + 11) / 12053;
  if (day_number >= FarvardinFirst(year + 1)) ++year;
  const int32_t day_of_year = day_number - FarvardinFirst(year);
  const int32_t month = day_of_year < 186 ? day_of_year / 31 : 6 + (day_of_year - 186) / 30;
  const int32_t month_start = month < 6 ? 31 * month : 186 + 30 * (month - 6);
  return {year, month + 1, day_of_year - month_start + 1};
}

inline int32_t DayFromFields(const Fields& f) {
  const int32_t month_start = f.month <= 7 ? 31 * (f.month - 1) : 186 + 30 * (f.month - 7);
  return FarvardinFirst(f.year) + month_start + f.day - 1;
}

inline bool IsLong(int32_t year) {
  return FarvardinFirst(year + 1) - FarvardinFirst(year) == 366;
}

// The 8-character YYYYMMDD text of a date value (time of day dropped).
inline std::wstring MiladiToShamsi(double date) {
  const Fields f = FieldsFromDay(static_cast<int32_t>(date));
  wchar_t text[8];
  int32_t year = f.year;
  for (int i = 3; i >= 0; --i, year /= 10) text[i] = static_cast<wchar_t>(L'0' + year % 10);
  text[4] = static_cast<wchar_t>(L'0' + f.month / 10);
  text[5] = static_cast<wchar_t>(L'0' + f.month % 10);
  text[6] = static_cast<wchar_t>(L'0' + f.day / 10);
  text[7] = static_cast<wchar_t>(L'0' + f.day % 10);
  return std::wstring(text, 8);
}

// The date value of a YYYYMMDD text of a valid date in 1305..1600, or 0.
inline double ShamsiToMiladi(const std::wstring& text) {
  if (text.size() != 8) return 0.0;
  int32_t digits[8];
  for (int i = 0; i < 8; ++i) {
    const int32_t digit = text[i] - L'0';
    if (digit < 0 || digit > 9) return 0.0;
    digits[i] = digit;
  }
  const Fields f{digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3],
                 digits[4] * 10 + digits[5], digits[6] * 10 + digits[7]};
  const int32_t month_length = f.month <= 6 ? 31 : f.month <= 11 ? 30 : IsLong(f.year) ? 30 : 29;
  if (f.year < 1305 || f.year > 1600 || f.month < 1 || f.month > 12 || f.day < 1 ||
      f.day > month_length) {
    return 0.0;
  }
  return DayFromFields(f);
}

}  // namespace tavilo::bench
