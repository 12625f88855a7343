#include "tools/logic/ConverterInput.h"

#include <cmath>
#include <cstdint>

#include "calendar/Numbers.h"

namespace tavilo {

namespace {

constexpr int32_t kFirstYear = 100;  // the range a date value holds
constexpr int32_t kLastYear = 9999;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// A whole number typed as digits, blanks around it allowed; nothing for
// anything else (signs, fractions, letters, more digits than any date needs).
std::optional<int32_t> TypedNumber(std::wstring_view typed) {
  const std::wstring text = WithAsciiDigits(typed);
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  if (first == last || last - first > 5) return std::nullopt;
  int32_t value = 0;
  for (std::size_t i = first; i < last; ++i) {
    if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
    value = value * 10 + (text[i] - L'0');
  }
  return value;
}

// The date value of the typed Gregorian date, or nothing when the numbers
// name no day (month 13, 30 February) or a year a date value cannot hold.
std::optional<double> MiladiDate(const DateFields& input) {
  const auto year = TypedNumber(input.year);
  const auto month = TypedNumber(input.month);
  const auto day = TypedNumber(input.day);
  if (!year || !month || !day) return std::nullopt;
  if (*year < kFirstYear || *year > kLastYear || *month < 1 || *month > 12 || *day < 1 ||
      *day > 31)
    return std::nullopt;
  const double date = DateSerial(*year, *month, *day);
  const CivilDate back = CivilFromDate(date);
  // DateSerial carries 31 April into May: such a day does not exist.
  if (back.month != *month || back.day != *day) return std::nullopt;
  return date;
}

std::wstring PaddedToTwo(std::wstring text) {
  if (text.size() < 2) text.insert(0, 1, L'0');
  return text;
}

// A Shamsi date text split into year (all but the last four characters),
// month and day; nothing when the year is not a positive number.
std::optional<DateFields> ShamsiFields(const std::wstring& strResult) {
  if (strResult.size() < 5) return std::nullopt;
  const std::size_t yearLength = strResult.size() - 4;
  DateFields fields{strResult.substr(0, yearLength), strResult.substr(yearLength, 2),
                    strResult.substr(yearLength + 2, 2)};
  const auto year = TypedNumber(fields.year);
  if (!year || *year < 1) return std::nullopt;
  return fields;
}

DateFields MiladiFields(double date) {
  const CivilDate civil = CivilFromDate(date);
  std::wstring year = std::to_wstring(civil.year);
  year.insert(0, year.size() < 4 ? 4 - year.size() : 0, L'0');
  return {year, TwoDigitText(civil.month), TwoDigitText(civil.day)};
}

DateFields Emptied() { return {}; }

DateFields MiladiToShamsiFields(const Class1& calendar, const DateFields& input,
                                const MessageFn& messages) {
  const auto date = MiladiDate(input);
  if (date) {
    if (auto fields = ShamsiFields(calendar.MiladiToShamsi(*date))) return *fields;
  }
  messages(kInvalidDateMessage);
  return Emptied();
}

DateFields ShamsiToMiladiFields(const Class1& calendar, const DateFields& input) {
  const std::wstring strSal = WithAsciiDigits(input.year);
  const std::wstring strMah = PaddedToTwo(WithAsciiDigits(input.month));
  const std::wstring strRoz = PaddedToTwo(WithAsciiDigits(input.day));
  const std::wstring text = strSal + strMah + strRoz;
  const double date = calendar.ShamsiToMiladi(text);
  // On failure the calendar answers 0 or the present moment; neither is the
  // midnight of the day whose Shamsi date is the text.
  if (date == 0 || date != std::trunc(date) || calendar.MiladiToShamsi(date) != text)
    return Emptied();
  return MiladiFields(date);
}

}  // namespace

bool ConvertEnabled(const DateFields& input) {
  return !input.year.empty() && !input.month.empty() && !input.day.empty();
}

std::optional<DateFields> ConvertDate(const Class1& calendar, ConvertDirection direction,
                                      const DateFields& input, const MessageFn& messages) {
  switch (direction) {
    case ConvertDirection::kMiladiToShamsi:
      return MiladiToShamsiFields(calendar, input, messages);
    case ConvertDirection::kShamsiToMiladi:
      return ShamsiToMiladiFields(calendar, input);
    case ConvertDirection::kNone:
      break;
  }
  return std::nullopt;
}

std::wstring WithAsciiDigits(std::wstring_view text) {
  std::wstring ascii(text);
  for (wchar_t& c : ascii) {
    if (c >= L'\u06F0' && c <= L'\u06F9') c = static_cast<wchar_t>(L'0' + (c - L'\u06F0'));
    if (c >= L'\u0660' && c <= L'\u0669') c = static_cast<wchar_t>(L'0' + (c - L'\u0660'));
  }
  return ascii;
}

}  // namespace tavilo
