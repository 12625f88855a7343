#include "app/logic/DateLine.h"

#include "calendar/Numbers.h"

namespace tavilo {

namespace {
// Two readings of the clock on the same day are expected long before this;
// the bound only keeps a clock that jumps on every reading from looping.
constexpr int kMaxReadings = 3;
}  // namespace

std::wstring DateLineText(const Class1& calendar, const ClockFn& clock,
                          const MonthNameFn& monthName) {
  double now = clock();
  std::wstring weekDay;
  std::wstring shamsi;
  for (int reading = 0; reading < kMaxReadings; ++reading) {
    weekDay = calendar.WeekDaysStrName();
    shamsi = calendar.ShowDate(calendar.today());
    const double after = clock();
    const bool sameDay = DayOfDate(after) == DayOfDate(now);
    now = after;
    if (sameDay) break;
  }
  const CivilDate gregorian = CivilFromDate(now);
  return L"امروز " + weekDay + L" " + shamsi + L" " + L"هجري شمسي" + L" " + L"مطابق با " +
         std::to_wstring(gregorian.day) + L" " + monthName(gregorian.month) + L" سال  " +
         std::to_wstring(gregorian.year) + L" ميلادي";
}

}  // namespace tavilo
