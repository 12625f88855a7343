// The date line of the drop-down strip: today's Persian week-day name and
// Solar Hijri date, then the Gregorian date with the locale's month name.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "calendar/Class1.h"

namespace tavilo {

// The locale's full name of a Gregorian month, 1 to 12.
using MonthNameFn = std::function<std::wstring(int month)>;

// "امروز <week day> <yyyy/mm/dd> هجري شمسي مطابق با <day> <month> سال  <year> ميلادي".
// `calendar` must read the same clock as `clock`. All parts describe one day:
// a reading that straddles midnight is taken again.
std::wstring DateLineText(const Class1& calendar, const ClockFn& clock,
                          const MonthNameFn& monthName);

}  // namespace tavilo
