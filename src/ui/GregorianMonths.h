// Names of the Gregorian months as a locale writes them.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace tavilo {

// The full name of Gregorian month `month` (1-12) from the Gregorian
// calendar of `locale` (empty: the user's own), whatever calendar the
// locale's dates are written in; the English name when the locale has none.
std::wstring GregorianMonthName(Platform& platform, const std::wstring& locale, int month);

}  // namespace tavilo
