// libFuzzer target for the calendar engine: every operation that reads a
// Shamsi date text or a number gets arbitrary text, and the properties that
// must hold for any input are checked; a broken one traps.
//
// Input layout (missing bytes read as zero):
//   byte 0      flags: bit 0 set = text is UTF-16LE code units, else one
//               character per byte; bit 1 set = date from bytes 3..10 as a
//               day (int32, folded into the date range) plus a fraction,
//               else the raw bits of a double
//   bytes 1-2   month count for AddNMonth (int16, little-endian)
//   bytes 3-10  the date value for MiladiToShamsi / LongShamsiDateToStr
//   rest        text; a '|' splits it into the two texts DiffShamsiInDay
//               compares (without one, the text is compared with itself)
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "calendar/Class1.h"
#include "calendar/Numbers.h"

namespace tavilo {
namespace {

constexpr std::size_t kHeaderSize = 11;
constexpr double kNow = 46363.4375;  // 7 December 2026, 10:30

void Require(bool property) {
  if (!property) __builtin_trap();
}

struct Input {
  int16_t months = 0;
  double date = 0.0;
  std::wstring first;
  std::wstring second;
};

Input Decode(const uint8_t* data, std::size_t size) {
  const std::size_t header_size = size < kHeaderSize ? size : kHeaderSize;
  uint8_t header[kHeaderSize] = {};
  if (header_size > 0) std::memcpy(header, data, header_size);
  const bool utf16 = header[0] & 1;
  const bool folded_date = header[0] & 2;
  Input input;
  input.months = static_cast<int16_t>(header[1] | (header[2] << 8));
  if (folded_date) {
    int32_t day = 0;
    uint32_t fraction = 0;
    std::memcpy(&day, header + 3, 4);
    std::memcpy(&fraction, header + 7, 4);
    constexpr int64_t kSpan = static_cast<int64_t>(kMaxDateValue - kMinDateValue) + 3;
    const int64_t folded = day % kSpan;
    input.date = static_cast<double>(folded + (folded < 0 ? kSpan : 0)) + kMinDateValue - 1 +
                 fraction / 4294967296.0;
  } else {
    std::memcpy(&input.date, header + 3, sizeof input.date);
  }

  std::wstring text;
  const uint8_t* rest = data + header_size;
  const std::size_t rest_size = size - header_size;
  if (utf16) {
    for (std::size_t i = 0; i + 1 < rest_size; i += 2) {
      text += static_cast<wchar_t>(rest[i] | (rest[i + 1] << 8));
    }
  } else {
    for (std::size_t i = 0; i < rest_size; ++i) text += static_cast<wchar_t>(rest[i]);
  }
  const std::size_t bar = text.find(L'|');
  input.first = text.substr(0, bar);
  input.second = bar == std::wstring::npos ? input.first : text.substr(bar + 1);
  return input;
}

bool IsEightDigits(const std::wstring& text) {
  if (text.size() != 8) return false;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return false;
  }
  return true;
}

int32_t DigitsValue(const std::wstring& text, std::size_t from, std::size_t count) {
  int32_t value = 0;
  for (std::size_t i = from; i < from + count; ++i) value = value * 10 + (text[i] - L'0');
  return value;
}

bool IsKnownMessage(const std::wstring& text) {
  return text == kInvalidDateMessage || text == kCalculationErrorMessage ||
         text == kConversionErrorMessage;
}

class Checker {
 public:
  explicit Checker(const Input& input) : input_(input) {}

  void Run() {
    CheckText(input_.first);
    if (input_.second != input_.first) CheckText(input_.second);
    CheckDayDifference();
    CheckDateValue(input_.date);
    CheckNumbers(input_.first);
  }

 private:
  void CheckText(const std::wstring& text) {
    const bool accepted = calendar_.checkDate(text);
    const bool canonical = accepted && IsEightDigits(text);

    // Whatever it is given, CorrectDate yields a date checkDate accepts.
    Require(calendar_.checkDate(calendar_.CorrectDate(text)));
    if (canonical) Require(calendar_.CorrectDate(text) == text);

    const std::size_t shown_before = shown_;
    double value = 0.0;
    try {
      value = calendar_.ShamsiToMiladi(text);
    } catch (...) {
      __builtin_trap();  // it reports its own failures and never throws
    }
    if (canonical) {
      Require(shown_ == shown_before);
      Require(value == std::trunc(value));
      Require(calendar_.MiladiToShamsi(value) == text);
      Require(calendar_.StrShamsiDateToLong(text) == DigitsValue(text, 0, 8));
      Require(calendar_.ShowDate(text) ==
              text.substr(0, 4) + L"/" + text.substr(4, 2) + L"/" + text.substr(6, 2));
    } else if (!accepted) {
      Require(value == 0.0);
      Require(shown_ == shown_before + 1);
    }
    CheckPacked(text, accepted);

    calendar_.ShowDate(text);  // any text, no failure
    const std::wstring next = calendar_.AddOneMonth(text);
    if (canonical && DigitsValue(text, 0, 4) < 1600) Require(calendar_.checkDate(next));
    CheckAddMonths(text, canonical);
  }

  // Rejected texts pack to 0; so do accepted ones whose fields are not whole
  // numbers. Anything else is an accepted date.
  void CheckPacked(const std::wstring& text, bool accepted) {
    const int32_t packed = calendar_.StrShamsiDateToLong(text);
    Require(packed == 0 || (accepted && packed >= 13050101 && packed <= 16001230));
  }

  void CheckAddMonths(const std::wstring& text, bool canonical) {
    std::wstring moved;
    try {
      moved = calendar_.AddNMonth(text, input_.months);
    } catch (const OverflowError&) {
      // For an accepted date only the month sum can leave the int16 range.
      Require(!canonical || DigitsValue(text, 4, 2) + input_.months > INT16_MAX);
      return;
    }
    if (!canonical) return;
    // Months count on from year * 12 + month - 1, whatever the sign.
    const int32_t total = DigitsValue(text, 0, 4) * 12 + DigitsValue(text, 4, 2) - 1 +
                          input_.months;
    const int32_t year = DivFloor(total, 12);
    const int32_t month = ModFloor(total, 12) + 1;
    if (year < 1305 || year > 1600) return;
    Require(calendar_.checkDate(moved));
    Require(DigitsValue(moved, 0, 4) == year && DigitsValue(moved, 4, 2) == month);
  }

  void CheckDayDifference() {
    const int32_t forward = calendar_.DiffShamsiInDay(input_.first, input_.second);
    const bool both_canonical = calendar_.checkDate(input_.first) &&
                                IsEightDigits(input_.first) &&
                                calendar_.checkDate(input_.second) && IsEightDigits(input_.second);
    if (!both_canonical) return;
    Require(calendar_.DiffShamsiInDay(input_.second, input_.first) == -forward);
    Require(forward == calendar_.ShamsiToMiladi(input_.second) -
                           calendar_.ShamsiToMiladi(input_.first));
  }

  void CheckDateValue(double date) {
    const bool in_range = date >= kMinDateValue && date <= kMaxDateValue;
    const bool far_outside = !(date > kMinDateValue - 1 && date < kMaxDateValue + 1);
    std::wstring text;
    try {
      text = calendar_.MiladiToShamsi(date);
    } catch (const OverflowError&) {
      Require(!in_range);
    }
    if (far_outside) Require(text.empty());
    if (!text.empty() && calendar_.checkDate(text)) {
      Require(IsEightDigits(text));
      Require(calendar_.ShamsiToMiladi(text) == std::trunc(date));
    }

    std::wstring packed_text;
    try {
      packed_text = calendar_.LongShamsiDateToStr(date);
    } catch (const OverflowError&) {
      return;
    }
    if (date < 10000000) Require(packed_text.empty());
    if (date >= 10000000 && date <= 99999999 && date == std::trunc(date)) {
      Require(packed_text == std::to_wstring(static_cast<int32_t>(date)));
    }
  }

  // Both readers raise OverflowError for a number beyond a double (as in
  // "1E999"). A text of nothing but a few ASCII digits reads as that number
  // both ways.
  void CheckNumbers(const std::wstring& text) {
    double leading = 0;
    std::optional<double> whole;
    try {
      leading = LeadingNumber(text);
      whole = WholeTextNumber(text);
    } catch (const OverflowError&) {
      return;
    }
    if (text.empty() || text.size() > 15) return;
    double digits = 0;
    for (wchar_t c : text) {
      if (c < L'0' || c > L'9') return;
      digits = digits * 10 + (c - L'0');
    }
    Require(leading == digits);
    Require(whole.has_value() && *whole == digits);
  }

  const Input& input_;
  std::size_t shown_ = 0;
  Class1 calendar_{[] { return kNow; },
                   [this](const std::wstring& message) {
                     Require(IsKnownMessage(message));
                     ++shown_;
                   }};
};

}  // namespace
}  // namespace tavilo

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const tavilo::Input input = tavilo::Decode(data, size);
  tavilo::Checker(input).Run();
  return 0;
}
