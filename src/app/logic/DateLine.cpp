#include "app/logic/DateLine.h"

#include <algorithm>
#include <cmath>

#include "calendar/Numbers.h"

namespace tavilo {

namespace {
constexpr double kMsPerDay = 86400000.0;
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

uint32_t MillisecondsToNextMidnight(double now) {
  // The fraction of a date value is the time of day, also for the negative
  // date values before 30 December 1899.
  const double timeOfDay = std::fabs(now - std::trunc(now));
  const double remaining = std::round((1.0 - timeOfDay) * kMsPerDay);
  return static_cast<uint32_t>(std::clamp(remaining, 1.0, kMsPerDay));
}

}  // namespace tavilo
