#include "ui/GregorianMonths.h"

#include <cstdint>

namespace tavilo {

namespace {

constexpr const wchar_t* kEnglishMonths[12] = {
    L"January", L"February", L"March",     L"April",   L"May",      L"June",
    L"July",    L"August",   L"September", L"October", L"November", L"December"};

}  // namespace

std::wstring GregorianMonthName(Platform& platform, const std::wstring& locale, int month,
                                const wchar_t* fallback) {
  if (month < 1 || month > 12) return std::wstring();
  std::wstring name = platform.CalendarInfo(
      locale, kCalGregorian, kCalSMonthName1 + static_cast<std::uint32_t>(month - 1));
  if (!name.empty()) return name;
  return fallback ? fallback : kEnglishMonths[month - 1];
}

}  // namespace tavilo
