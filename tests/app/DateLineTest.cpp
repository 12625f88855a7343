#include "app/logic/DateLine.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "calendar/Numbers.h"
#include "ui/Midnight.h"

namespace tavilo {
namespace {

std::wstring EnglishMonth(int month) {
  static const std::array<const wchar_t*, 12> names = {
      L"January", L"February", L"March",     L"April",   L"May",      L"June",
      L"July",    L"August",   L"September", L"October", L"November", L"December"};
  return names.at(month - 1);
}

void IgnoreMessage(const std::wstring&) {}

TEST(DateLine, SaturdayFourteenAzar1405) {
  const double now = DateSerial(2026, 12, 5) + 0.75;
  const ClockFn clock = [now] { return now; };
  const Class1 calendar(clock, IgnoreMessage);
  EXPECT_EQ(DateLineText(calendar, clock, EnglishMonth),
            L"امروز شنبه 1405/09/14 هجري شمسي مطابق با 5 December سال  2026 ميلادي");
}

TEST(DateLine, LiteralsUseArabicYeh) {
  const double now = DateSerial(2026, 3, 21);
  const ClockFn clock = [now] { return now; };
  const std::wstring line = DateLineText(Class1(clock, IgnoreMessage), clock, EnglishMonth);
  EXPECT_EQ(line.find(L'\u06CC'), std::wstring::npos);  // no Persian yeh
  EXPECT_NE(line.find(L"\u0647\u062C\u0631\u064A \u0634\u0645\u0633\u064A"), std::wstring::npos);
  EXPECT_TRUE(line.ends_with(L" \u0645\u064A\u0644\u0627\u062F\u064A"));
  EXPECT_NE(line.find(L" 21 March \u0633\u0627\u0644  2026 "), std::wstring::npos);
}

TEST(DateLine, MonthNameComesFromTheLocaleFunction) {
  const double now = DateSerial(2027, 1, 9);
  const ClockFn clock = [now] { return now; };
  std::vector<int> asked;
  const MonthNameFn persianMonth = [&asked](int month) {
    asked.push_back(month);
    return std::wstring(L"ژانویه");
  };
  const std::wstring line = DateLineText(Class1(clock, IgnoreMessage), clock, persianMonth);
  EXPECT_EQ(asked, std::vector<int>{1});
  EXPECT_TRUE(line.ends_with(L"9 ژانویه سال  2027 ميلادي"));
}

TEST(DateLine, ReadingAcrossMidnightDescribesOneDay) {
  // Friday 4 December 2026 23:59:59.9, then Saturday a moment later for good.
  const double friday = DateSerial(2026, 12, 4) + (86399.9 / 86400.0);
  const double saturday = DateSerial(2026, 12, 5) + (0.1 / 86400.0);
  int readings = 0;
  const ClockFn clock = [&] { return readings++ < 2 ? friday : saturday; };
  const std::wstring line = DateLineText(Class1(clock, IgnoreMessage), clock, EnglishMonth);
  EXPECT_EQ(line, L"امروز شنبه 1405/09/14 هجري شمسي مطابق با 5 December سال  2026 ميلادي");
}

TEST(DateLine, ClockJumpingOnEveryReadingStillGivesALine) {
  double now = DateSerial(2026, 12, 1);
  const ClockFn clock = [&now] { return now += 1.0; };
  const std::wstring line = DateLineText(Class1(clock, IgnoreMessage), clock, EnglishMonth);
  EXPECT_TRUE(line.starts_with(L"امروز "));
  EXPECT_TRUE(line.ends_with(L" 2026 ميلادي"));
}

TEST(NextMidnight, MillisecondsLeftInTheDay) {
  const double day = DateSerial(2026, 12, 5);
  EXPECT_EQ(MillisecondsToNextMidnight(day), 86400000u);
  EXPECT_EQ(MillisecondsToNextMidnight(day + 0.5), 43200000u);
  EXPECT_EQ(MillisecondsToNextMidnight(day + 86399.0 / 86400.0), 1000u);
  EXPECT_EQ(MillisecondsToNextMidnight(day + 86399.9995 / 86400.0), 1u);
}

TEST(NextMidnight, DateValuesBeforeTheEpochKeepTheirTimeOfDay) {
  // -1.25 is 29 December 1899, 06:00.
  EXPECT_EQ(MillisecondsToNextMidnight(-1.25), 64800000u);
}

}  // namespace
}  // namespace tavilo
