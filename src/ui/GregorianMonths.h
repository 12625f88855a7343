// Names of the Gregorian months as a locale writes them.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace tavilo {

// The full name of Gregorian month `month` (1-12) from the Gregorian
// calendar of `locale` (empty: the user's own), whatever calendar the
// locale's dates are written in; `fallback` when the locale has none, the
// English name when that is null too.
std::wstring GregorianMonthName(Platform& platform, const std::wstring& locale, int month,
                                const wchar_t* fallback = nullptr);

}  // namespace tavilo
