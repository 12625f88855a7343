#include "calendar/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tavilo {
namespace {

TEST(LeadingNumber, ReadsTheNumberAFieldStartsWith) {
  EXPECT_EQ(LeadingNumber(L"1387"), 1387);
  EXPECT_EQ(LeadingNumber(L" 1 2\t3\n"), 123);  // blanks, tabs, line feeds anywhere
  EXPECT_EQ(LeadingNumber(L"-1.5e2x"), -150);
  EXPECT_EQ(LeadingNumber(L"+7"), 7);
  EXPECT_EQ(LeadingNumber(L".5"), 0.5);
  EXPECT_EQ(LeadingNumber(L"1.2.3"), 1.2);
  EXPECT_EQ(LeadingNumber(L"1D2"), 100);
  EXPECT_EQ(LeadingNumber(L"1e"), 1);
  EXPECT_EQ(LeadingNumber(L"1e+"), 1);
  EXPECT_EQ(LeadingNumber(L"07"), 7);
  EXPECT_EQ(LeadingNumber(L"3a"), 3);
}

TEST(LeadingNumber, TextsThatDoNotStartWithANumberReadAsZero) {
  for (const wchar_t* text : {L"", L"abc", L"-", L"+", L".", L"&", L"&H", L"&Z1", L"\r1", L"۱۳۸۷"})
    EXPECT_EQ(LeadingNumber(text), 0) << static_cast<const void*>(text);
}

TEST(LeadingNumber, HexAndOctalReadAs16BitThen32BitValues) {
  EXPECT_EQ(LeadingNumber(L"&HFF"), 255);
  EXPECT_EQ(LeadingNumber(L"&hff"), 255);
  EXPECT_EQ(LeadingNumber(L"&HFFFF"), -1);
  EXPECT_EQ(LeadingNumber(L"&H10000"), 65536);
  EXPECT_EQ(LeadingNumber(L"&HFFFFFFFF"), -1);
  EXPECT_EQ(LeadingNumber(L"&O17"), 15);
  EXPECT_EQ(LeadingNumber(L"&O19"), 1);  // stops at the first non-octal digit
  EXPECT_THROW(LeadingNumber(L"&H100000000"), OverflowError);
}

TEST(LeadingNumber, HugeExponentOverflows) { EXPECT_THROW(LeadingNumber(L"1e999"), OverflowError); }

TEST(WholeTextNumber, AcceptsOnlyTextsThatAreOneNumber) {
  EXPECT_EQ(WholeTextNumber(L" 07 "), 7);
  EXPECT_EQ(WholeTextNumber(L"1.5"), 1.5);
  EXPECT_EQ(WholeTextNumber(L"&H10"), 16);
  EXPECT_EQ(WholeTextNumber(L"-3e1"), -30);
  EXPECT_FALSE(WholeTextNumber(L"7a"));
  EXPECT_FALSE(WholeTextNumber(L""));
  EXPECT_FALSE(WholeTextNumber(L"  "));
  EXPECT_FALSE(WholeTextNumber(L"1 2"));
  EXPECT_FALSE(WholeTextNumber(L"-"));
}

TEST(Rounding, RoundsToNearestWithTiesToEven) {
  EXPECT_EQ(RoundToInt16(0.5), 0);
  EXPECT_EQ(RoundToInt16(1.5), 2);
  EXPECT_EQ(RoundToInt16(2.5), 2);
  EXPECT_EQ(RoundToInt16(3.5), 4);
  EXPECT_EQ(RoundToInt16(-0.5), 0);
  EXPECT_EQ(RoundToInt16(-1.5), -2);
  EXPECT_EQ(RoundToInt16(2.4999), 2);
  EXPECT_EQ(RoundToInt32(2147483647.4), 2147483647);
  EXPECT_EQ(RoundToInt32(-2147483648.5), -2147483647 - 1);
}

TEST(Rounding, RaisesOverflowOutsideTheType) {
  EXPECT_EQ(RoundToInt16(32767.4), 32767);
  EXPECT_THROW(RoundToInt16(32767.5), OverflowError);
  EXPECT_EQ(RoundToInt16(-32768.5), -32768);  // ties to even stay inside
  EXPECT_THROW(RoundToInt16(-32768.6), OverflowError);
  EXPECT_THROW(RoundToInt16(99999), OverflowError);
  EXPECT_THROW(RoundToInt16(std::numeric_limits<double>::quiet_NaN()), OverflowError);
  EXPECT_THROW(RoundToInt32(2147483647.5), OverflowError);
  EXPECT_THROW(RoundToInt32(std::numeric_limits<double>::infinity()), OverflowError);
}

TEST(IntegerDivision, TruncatesTowardZeroAndFloorVariantRoundsDown) {
  EXPECT_EQ(DivTrunc(-7, 2), -3);
  EXPECT_EQ(ModTrunc(-7, 2), -1);
  EXPECT_EQ(ModTrunc(7, -2), 1);
  EXPECT_EQ(DivFloor(-7, 2), -4);
  EXPECT_EQ(ModFloor(-7, 2), 1);
  EXPECT_EQ(DivFloor(-6, 2), -3);
  EXPECT_EQ(ModFloor(-15, 7), 6);
  EXPECT_EQ(DivFloor(7, 2), 3);
}

TEST(IntegerDivision, FloorVariantRoundsDownForEverySignCombination) {
  for (int32_t a = -100; a <= 100; ++a) {
    for (int32_t b = -13; b <= 13; ++b) {
      if (b == 0) continue;
      const auto floor = static_cast<int32_t>(std::floor(static_cast<double>(a) / b));
      ASSERT_EQ(DivFloor(a, b), floor) << a << " / " << b;
      const int32_t remainder = ModFloor(a, b);
      ASSERT_TRUE(b > 0 ? remainder >= 0 && remainder < b : remainder <= 0 && remainder > b)
          << a << " mod " << b << " = " << remainder;
    }
  }
}

TEST(NumberText, WritesNumbersWithoutPaddingOrBlanks) {
  EXPECT_EQ(NumberText(1387), L"1387");
  EXPECT_EQ(NumberText(-1), L"-1");
  EXPECT_EQ(NumberText(0), L"0");
  EXPECT_EQ(NumberText(1387.5), L"1387.5");
  EXPECT_EQ(NumberText(0.1), L"0.1");
  EXPECT_EQ(NumberText(13870719), L"13870719");
  EXPECT_EQ(NumberText(1e20), L"1E+20");
  EXPECT_EQ(TwoDigitText(7), L"07");
  EXPECT_EQ(TwoDigitText(12), L"12");
  EXPECT_EQ(TwoDigitText(-1), L"-1");
  EXPECT_EQ(TwoDigitText(0.5), L"0.5");
}

TEST(DateValues, BuildFromYearMonthDay) {
  EXPECT_EQ(DateSerial(1899, 12, 30), 0);
  EXPECT_EQ(DateSerial(1900, 1, 1), 2);
  EXPECT_EQ(DateSerial(1921, 3, 21), 7751);
  EXPECT_EQ(DateSerial(2001, 3, 24), 36974);
  EXPECT_EQ(DateSerial(100, 1, 1), kMinDateValue);
  EXPECT_EQ(DateSerial(9999, 12, 31), kMaxDateValue);
}

TEST(DateValues, OutOfRangeMonthsAndDaysCarry) {
  EXPECT_EQ(DateSerial(2008, 13, 1), DateSerial(2009, 1, 1));
  EXPECT_EQ(DateSerial(2008, 3, 0), DateSerial(2008, 2, 29));
  EXPECT_EQ(DateSerial(2008, 0, 1), DateSerial(2007, 12, 1));
  EXPECT_EQ(DateSerial(2008, -11, 1), DateSerial(2007, 1, 1));
  EXPECT_EQ(DateSerial(2008, -12, 1), DateSerial(2006, 12, 1));
  EXPECT_EQ(DateSerial(2008, 2, 30), DateSerial(2008, 3, 1));
}

TEST(DateValues, OutsideTheDateRangeOverflow) {
  EXPECT_THROW(DateSerial(10000, 1, 1), OverflowError);
  EXPECT_THROW(DateSerial(99, 12, 31), OverflowError);
  EXPECT_THROW(DateSerial(2147483647, 12, 31), OverflowError);
  EXPECT_THROW(DayOfDate(kMaxDateValue + 1), OverflowError);
  EXPECT_THROW(DayOfDate(std::nan("")), OverflowError);
}

TEST(DateValues, SplitIntoYearMonthDayDroppingTheTime) {
  const CivilDate leap_day = CivilFromDate(DateSerial(2008, 2, 29) + 0.999);
  EXPECT_EQ(leap_day.year, 2008);
  EXPECT_EQ(leap_day.month, 2);
  EXPECT_EQ(leap_day.day, 29);
  // Before 30 December 1899 the fraction still counts forward from midnight.
  const CivilDate before_epoch = CivilFromDate(-1.25);
  EXPECT_EQ(before_epoch.year, 1899);
  EXPECT_EQ(before_epoch.month, 12);
  EXPECT_EQ(before_epoch.day, 29);
  EXPECT_EQ(DayOfDate(-0.5), 0);
  for (double v = kMinDateValue; v <= kMaxDateValue; v += 997) {
    const CivilDate c = CivilFromDate(v);
    ASSERT_EQ(DateSerial(c.year, c.month, c.day), v);
  }
}

}  // namespace
}  // namespace tavilo
