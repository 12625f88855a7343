#include "calendar/Class1.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <cstdio>
#include <optional>
#include <string_view>
#include <utility>

#include "calendar/Numbers.h"
#include "calendar/ShamsiArithmetic.h"

namespace tavilo {
namespace {

MessageFn& DefaultSink() {
  static MessageFn sink;
  return sink;
}

void ShowOnDefaultSink(const std::wstring& text) {
  if (DefaultSink()) {
    DefaultSink()(text);
    return;
  }
  std::fputws(text.c_str(), stderr);
  std::fputwc(L'\n', stderr);
}

// A Shamsi date text is cut into the first 4 characters (year), the first 2
// of the last 4 (month) and the last 2 (day); shorter texts give what there is.
std::wstring_view YearField(std::wstring_view t) { return t.substr(0, 4); }
std::wstring_view MonthField(std::wstring_view t) {
  return t.size() <= 4 ? t.substr(0, 2) : t.substr(t.size() - 4, 2);
}
std::wstring_view DayField(std::wstring_view t) { return t.size() <= 2 ? t : t.substr(t.size() - 2); }

// Whether a year given as any number is long; the year is first rounded to a
// whole number, and a number beyond any year is not long.
bool IsLongYearNumber(double year) {
  const double whole = std::nearbyint(year);
  if (!(whole >= -2147483648.0 && whole <= 2147483647.0)) return false;
  return IsLongYear(static_cast<int32_t>(whole));
}

bool IsWhole(double v) { return std::trunc(v) == v; }

void AppendTwoDigits(std::wstring& text, size_t at, int32_t value) {
  text[at] = static_cast<wchar_t>(L'0' + value / 10);
  text[at + 1] = static_cast<wchar_t>(L'0' + value % 10);
}

std::wstring ShamsiText(const ShamsiDate& date) {
  if (date.year >= 1000 && date.year <= 9999) {
    std::wstring text(8, L'0');
    AppendTwoDigits(text, 0, date.year / 100);
    AppendTwoDigits(text, 2, date.year % 100);
    AppendTwoDigits(text, 4, date.month);
    AppendTwoDigits(text, 6, date.day);
    return text;
  }
  return std::to_wstring(date.year) + TwoDigitText(date.month) + TwoDigitText(date.day);
}

std::wstring Trimmed(std::wstring_view s) {
  size_t first = 0, last = s.size();
  while (first < last && s[first] == L' ') ++first;
  while (last > first && s[last - 1] == L' ') --last;
  return std::wstring(s.substr(first, last - first));
}

// The year, month and day of a text of exactly eight ASCII digits, read in
// one pass over the characters; nothing for any other text.
std::optional<ShamsiDate> EightDigitDate(const std::wstring& text) {
  if (text.size() != 8) return std::nullopt;
  int32_t digits[8];
  for (size_t i = 0; i < 8; ++i) {
    // Unsigned, so a character below '0' wraps past 9 as well.
    const auto digit = static_cast<uint32_t>(text[i]) - static_cast<uint32_t>(L'0');
    if (digit > 9) return std::nullopt;
    digits[i] = static_cast<int32_t>(digit);
  }
  return ShamsiDate{digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3],
                    digits[4] * 10 + digits[5], digits[6] * 10 + digits[7]};
}

constexpr ShamsiDate kReferenceSaturday{1380, 1, 4};  // 24 March 2001

constexpr const wchar_t* kWeekDayNames[] = {
    L"شنبه", L"يك شنبه", L"دو شنبه", L"سه شنبه", L"چهارشنبه", L"پنج شنبه", L"جمعه"};

constexpr const wchar_t* kMonthNames[] = {
    L"فروردين", L"ارديبهشت", L"خرداد", L"تير",  L"مرداد", L"شهريور",
    L"مهر",     L"آبان",     L"آذر",   L"دي",   L"بهمن",  L"اسفند"};

}  // namespace

double SystemNow() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(
                          now.time_since_epoch()).count() % 1000;
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  const double day = DateSerial(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  const double seconds_of_day = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
                                (millis < 0 ? 0 : millis) / 1000.0;
  // Before 30 December 1899 a date value's fraction counts away from zero.
  return day < 0 ? day - seconds_of_day / 86400.0 : day + seconds_of_day / 86400.0;
}

void SetDefaultMessageSink(MessageFn sink) { DefaultSink() = std::move(sink); }

Class1::Class1() : Class1(SystemNow, ShowOnDefaultSink) {}

Class1::Class1(ClockFn clock, MessageFn messages)
    : clock_(std::move(clock)), messages_(std::move(messages)) {}

std::wstring Class1::MiladiToShamsi(double date) const {
  return ShamsiText(ShamsiFromDay(DayOfDate(date)));
}

bool Class1::checkDate(const std::wstring& text) const {
  if (text.size() != 8) return false;
  const double year = LeadingNumber(YearField(text));
  const double month = LeadingNumber(MonthField(text));
  const int16_t day = RoundToInt16(LeadingNumber(DayField(text)));
  if (day < 1 || day > 31) return false;
  if (!(month > 0 && month <= 12)) return false;
  if (!(year > 1304 && year <= 1600)) return false;
  if (month > 6 && day == 31) return false;
  if (month == 12 && !IsLongYearNumber(year) && day >= 30) return false;
  return true;
}

double Class1::ShamsiToMiladi(const std::wstring& text) const {
  try {
    if (const std::optional<ShamsiDate> digits = EightDigitDate(text)) {
      // Eight digits read as themselves, so validating the fields directly
      // gives what checkDate would.
      const ShamsiDate& date = *digits;
      if (date.year < 1305 || date.year > 1600 || date.month < 1 || date.month > 12 ||
          date.day < 1 || date.day > MonthLength(date.year, date.month)) {
        messages_(kInvalidDateMessage);
        return 0.0;
      }
      return DayFromShamsi(date);
    }
    if (!checkDate(text)) {
      messages_(kInvalidDateMessage);
      return 0.0;
    }
    // A text accepted through the leading numbers of its fields but not
    // written as 8 digits is the date text of no day.
    messages_(kCalculationErrorMessage);
    return clock_();
  } catch (...) {
    messages_(kConversionErrorMessage);
    return 0.0;
  }
}

std::wstring Class1::AddOneMonth(const std::wstring& text) const {
  double year = LeadingNumber(YearField(text));
  int16_t month = RoundToInt16(LeadingNumber(MonthField(text)));
  double day = LeadingNumber(DayField(text));
  if ((day == 31 && month == 6) || (!IsLongYearNumber(year) && day == 30 && month == 11)) day -= 1;
  if (month == 12) {
    month = 1;
    year += 1;
  } else {
    month = static_cast<int16_t>(month + 1);
  }
  return NumberText(year) + TwoDigitText(month) + TwoDigitText(day);
}

std::wstring Class1::ShowDate(const std::wstring& text) const {
  return Trimmed(YearField(text)) + L"/" + Trimmed(MonthField(text)) + L"/" + Trimmed(DayField(text));
}

std::wstring Class1::AddNMonth(const std::wstring& text, int16_t months) const {
  const int16_t year = RoundToInt16(LeadingNumber(YearField(text)));
  int16_t day = RoundToInt16(LeadingNumber(DayField(text)));
  const int16_t sum = RoundToInt16(LeadingNumber(MonthField(text)) + months);
  // Months count from 1, so the year carry is taken on sum - 1, rounding
  // toward minus infinity: sum 0 is month 12 of the year before, sum -2
  // month 10 of the year before.
  const int32_t years = DivFloor(sum - 1, 12);
  const int32_t month = sum - 12 * years;
  const int16_t new_year = RoundToInt16(static_cast<double>(year) + years);
  if (day == 31 && month >= 7 && month <= 11) day = 30;
  if ((day == 30 || day == 31) && month == 12) day = IsLongYear(new_year) ? 30 : 29;
  return NumberText(new_year) + TwoDigitText(month) + TwoDigitText(day);
}

std::wstring Class1::CorrectDate(const std::wstring& text) const {
  double year = LeadingNumber(YearField(text));
  double month = LeadingNumber(MonthField(text));
  int16_t day = RoundToInt16(LeadingNumber(DayField(text)));
  if (day < 1 || day > 31) day = 30;
  // A month or year that is not a whole number is out of range as well, so
  // that the corrected text is always a valid date text.
  if (!(month > 0 && month <= 12) || !IsWhole(month)) month = 12;
  if (!(year > 1304 && year <= 1600) || !IsWhole(year)) year = 1355;
  if (month > 6 && day == 31) day = 30;
  if (month == 12 && !IsLongYearNumber(year) && day >= 30) day = 29;
  return NumberText(year) + TwoDigitText(month) + TwoDigitText(day);
}

int16_t Class1::GetDays(double month, int16_t year) const {
  if (month <= 6) return 31;
  if (month <= 11) return 30;
  return (month == 12 && IsLongYear(year)) ? 30 : 29;
}

int16_t Class1::GetCurrentMonth() const {
  return static_cast<int16_t>(ShamsiFromDay(DayOfDate(clock_())).month);
}

int16_t Class1::GetCurrentYear() const {
  return RoundToInt16(ShamsiFromDay(DayOfDate(clock_())).year);
}

int16_t Class1::GetCurrentDay() const {
  return static_cast<int16_t>(ShamsiFromDay(DayOfDate(clock_())).day);
}

int32_t Class1::DiffMiladiInDay(double first, double second) const {
  return RoundToInt32(std::trunc(second - first));
}

int32_t Class1::DiffShamsiInDay(const std::wstring& first, const std::wstring& second) const {
  const double from = ShamsiToMiladi(first);
  const double to = ShamsiToMiladi(second);
  return RoundToInt32(std::trunc(to - from));
}

std::wstring Class1::today() const { return MiladiToShamsi(clock_()); }

int32_t Class1::StrShamsiDateToLong(const std::wstring& text) const {
  if (!checkDate(text)) return 0;
  const auto year = WholeTextNumber(YearField(text));
  const auto month = WholeTextNumber(MonthField(text));
  const auto day = WholeTextNumber(DayField(text));
  // Fields accepted only through their leading numbers ("1" followed by a
  // letter, ".5") name no date.
  if (!year || !month || !day || !IsWhole(*year) || !IsWhole(*month) || !IsWhole(*day)) return 0;
  return RoundToInt32(*year) * 10000 + RoundToInt32(*month) * 100 + RoundToInt32(*day);
}

std::wstring Class1::LongShamsiDateToStr(double value) const {
  if (!(value >= 10000000)) return L"";
  if (std::isinf(value)) throw OverflowError();
  const std::wstring t = NumberText(value);
  const std::wstring_view v = t;
  return std::wstring(YearField(v)) + std::wstring(v.substr(4, 2)) + std::wstring(DayField(v));
}

// Whole days are counted from today's day number: before 30 December 1899 a
// date value's fraction runs the other way, so adding days to the moment
// itself could land on the wrong day.
std::wstring Class1::AfterDate(int16_t days) const {
  return MiladiToShamsi(DayOfDate(clock_()) + days);
}

std::wstring Class1::BeforeDate(int16_t days) const {
  return MiladiToShamsi(DayOfDate(clock_()) - days);
}

int16_t Class1::WeekDaysName() const {
  const int32_t days = DayOfDate(clock_()) - DayFromShamsi(kReferenceSaturday);
  return static_cast<int16_t>(ModFloor(days, 7));
}

std::wstring Class1::WeekDaysStrName() const { return kWeekDayNames[WeekDaysName()]; }

std::wstring Class1::GetMonthName(int16_t month) const {
  if (month < 1 || month > 12) return L"نامعتبر";
  return kMonthNames[month - 1];
}

}  // namespace tavilo
