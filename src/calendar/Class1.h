// The Solar Hijri (Shamsi) calendar engine.
//
// Shamsi dates travel as 8-character texts YYYYMMDD; Gregorian dates as OLE
// Automation date values (days since 30 December 1899, the fraction being the
// time of day). The engine keeps no state of its own: every operation is a
// function of its arguments and, for some, of the clock it was given.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tavilo {

// Local "now" as a date value.
using ClockFn = std::function<double()>;
// Shows one message to the user (a modal OK box titled "Tavilo" on Windows).
using MessageFn = std::function<void(const std::wstring&)>;

// The local system clock as a date value.
double SystemNow();

// Where default-constructed calendars send their messages. The Windows
// program points it at a message box at start-up; until then messages go to
// standard error.
void SetDefaultMessageSink(MessageFn sink);

inline constexpr wchar_t kInvalidDateMessage[] = L"تاريخ وارد شده نامعتبر است";
inline constexpr wchar_t kCalculationErrorMessage[] =
    L"خطا در محاسبه تاريخ. لطفا موضوع را به مسئول سيستم كزارش دهيد";
inline constexpr wchar_t kConversionErrorMessage[] = L"خطا در محاسبه تاريخ";

class Class1 {
 public:
  Class1();
  Class1(ClockFn clock, MessageFn messages);

  std::wstring MiladiToShamsi(double date) const;
  bool checkDate(const std::wstring& text) const;
  double ShamsiToMiladi(const std::wstring& text) const;
  std::wstring AddOneMonth(const std::wstring& text) const;
  std::wstring ShowDate(const std::wstring& text) const;
  std::wstring AddNMonth(const std::wstring& text, int16_t months) const;
  std::wstring CorrectDate(const std::wstring& text) const;
  int16_t GetDays(double month, int16_t year) const;
  int16_t GetCurrentMonth() const;
  int16_t GetCurrentYear() const;
  int16_t GetCurrentDay() const;
  int32_t DiffMiladiInDay(double first, double second) const;
  int32_t DiffShamsiInDay(const std::wstring& first, const std::wstring& second) const;
  std::wstring today() const;
  int32_t StrShamsiDateToLong(const std::wstring& text) const;
  std::wstring LongShamsiDateToStr(double value) const;
  std::wstring AfterDate(int16_t days) const;
  std::wstring BeforeDate(int16_t days) const;
  int16_t WeekDaysName() const;
  std::wstring WeekDaysStrName() const;
  std::wstring GetMonthName(int16_t month) const;

 private:
  ClockFn clock_;
  MessageFn messages_;
};

}  // namespace tavilo
