// What a screen reader says of a day cell of the month grid.
#pragma once

#include <string>

#include "tools/logic/MonthView.h"

namespace tavilo {

// The day's FullDateLine, then "، تعطیل" for a day off, the name of each of
// its occasions, and "، ۲ رویداد" for the user's events on it.
std::wstring CellSpokenName(const MonthCell& cell, int correctionDays,
                            const GregorianMonthNames& names);

}  // namespace tavilo
