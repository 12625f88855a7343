#include "tools/logic/ShutdownSchedule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "PlainNumericText.h"
#include "tools/logic/NumericInput.h"

namespace tavilo {
namespace {

using testing::PlainNumericText;

// --- Rounding into the 16-bit target fields ---

TEST(RoundToInt16, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundToInt16(0.5), 0);
  EXPECT_EQ(RoundToInt16(1.5), 2);
  EXPECT_EQ(RoundToInt16(2.5), 2);
  EXPECT_EQ(RoundToInt16(3.5), 4);
  EXPECT_EQ(RoundToInt16(-0.5), 0);
  EXPECT_EQ(RoundToInt16(-1.5), -2);
  EXPECT_EQ(RoundToInt16(-2.5), -2);
}

TEST(RoundToInt16, OtherFractionsGoToTheNearest) {
  EXPECT_EQ(RoundToInt16(2.4999999), 2);
  EXPECT_EQ(RoundToInt16(2.5000001), 3);
  EXPECT_EQ(RoundToInt16(-2.6), -3);
  EXPECT_EQ(RoundToInt16(59.0), 59);
}

TEST(RoundToInt16, RoundedValueMustFitSixteenBits) {
  EXPECT_EQ(RoundToInt16(32767.0), 32767);
  EXPECT_EQ(RoundToInt16(32767.4), 32767);
  EXPECT_EQ(RoundToInt16(32767.5), std::nullopt);  // rounds to 32768
  EXPECT_EQ(RoundToInt16(-32768.0), -32768);
  EXPECT_EQ(RoundToInt16(-32768.5), -32768);  // the even neighbour is in range
  EXPECT_EQ(RoundToInt16(-32769.0), std::nullopt);
  EXPECT_EQ(RoundToInt16(99999.0), std::nullopt);
  EXPECT_EQ(RoundToInt16(1e300), std::nullopt);
}

TEST(RoundToInt16, NonFiniteValuesAreRefused) {
  EXPECT_EQ(RoundToInt16(std::numeric_limits<double>::infinity()), std::nullopt);
  EXPECT_EQ(RoundToInt16(-std::numeric_limits<double>::infinity()), std::nullopt);
  EXPECT_EQ(RoundToInt16(std::nan("")), std::nullopt);
}

// --- Reading the three boxes ---

TEST(ReadScheduleTarget, EachBoxGoesToItsOwnField) {
  PlainNumericText numbers;
  EXPECT_EQ(ReadScheduleTarget(numbers, L"25", L"7", L"59"), (ScheduleTarget{25, 7, 59}));
}

TEST(ReadScheduleTarget, FractionsRoundWithTiesToEven) {
  PlainNumericText numbers;
  EXPECT_EQ(ReadScheduleTarget(numbers, L"1.5", L"2.5", L"3.5"), (ScheduleTarget{2, 2, 4}));
  EXPECT_EQ(ReadScheduleTarget(numbers, L" 0.5 ", L"-0.4", L"1e1"), (ScheduleTarget{0, 0, 10}));
}

TEST(ReadScheduleTarget, TextThatIsNotANumberInAnyBoxRefusesTheWholeTarget) {
  PlainNumericText numbers;
  EXPECT_EQ(ReadScheduleTarget(numbers, L"1a", L"2", L"3"), std::nullopt);
  EXPECT_EQ(ReadScheduleTarget(numbers, L"1", L"x", L"3"), std::nullopt);
  EXPECT_EQ(ReadScheduleTarget(numbers, L"1", L"2", L"three"), std::nullopt);
  EXPECT_EQ(ReadScheduleTarget(numbers, L"1", L"2", L" "), std::nullopt);
}

TEST(ReadScheduleTarget, NumbersOutsideSixteenBitsInAnyBoxRefuseTheWholeTarget) {
  PlainNumericText numbers;
  EXPECT_EQ(ReadScheduleTarget(numbers, L"99999", L"0", L"0"), std::nullopt);
  EXPECT_EQ(ReadScheduleTarget(numbers, L"0", L"99999", L"0"), std::nullopt);
  EXPECT_EQ(ReadScheduleTarget(numbers, L"0", L"0", L"-40000"), std::nullopt);
  EXPECT_EQ(ReadScheduleTarget(numbers, L"32767", L"-32768", L"0"),
            (ScheduleTarget{32767, -32768, 0}));
}

// --- Matching the running time ---

TEST(TargetReached, AllThreeFieldsMustBeEqual) {
  const ScheduleTarget target{2, 30, 15};
  EXPECT_TRUE(TargetReached(target, 2, 30, 15));
  EXPECT_FALSE(TargetReached(target, 2, 30, 14));
  EXPECT_FALSE(TargetReached(target, 2, 30, 16));
  EXPECT_FALSE(TargetReached(target, 2, 31, 15));
  EXPECT_FALSE(TargetReached(target, 3, 30, 15));
  EXPECT_FALSE(TargetReached(target, 26, 30, 15));  // hours are not taken modulo 24
}

TEST(TargetReached, HoursBeyondADayAndBeyondTheOldWrapMatch) {
  EXPECT_TRUE(TargetReached({25, 0, 0}, 25, 0, 0));
  EXPECT_TRUE(TargetReached({600, 1, 2}, 600, 1, 2));
  EXPECT_TRUE(TargetReached({32767, 59, 59}, 32767, 59, 59));
}

TEST(TargetReached, RunningHoursAreNotCutToSixteenBits) {
  // 65536 hours would look like 0 if they were truncated to the target's width.
  EXPECT_FALSE(TargetReached({0, 0, 0}, 65536, 0, 0));
  EXPECT_FALSE(TargetReached({-32768, 0, 0}, 32768, 0, 0));
}

TEST(TargetReached, MinutesOrSecondsOfSixtyNeverMatchAValidRunningTime) {
  for (std::int16_t field = 0; field <= 59; ++field) {
    EXPECT_FALSE(TargetReached({1, 60, 0}, 1, field, 0));
    EXPECT_FALSE(TargetReached({1, 0, 60}, 1, 0, field));
  }
}

}  // namespace
}  // namespace tavilo
