#include "tools/logic/ShutdownSchedule.h"

#include <gtest/gtest.h>

#include "calendar/Numbers.h"
#include "platform/fake/FakePlatform.h"
#include "tools/logic/NumericInput.h"
#include "ui/RunningTime.h"

namespace tavilo {
namespace {

// Stands in for the locale's numeric test: plain notation with a point.
class PlainNumericText final : public NumericText {
 public:
  std::optional<double> ToNumber(const std::wstring& text) override {
    return WholeTextNumber(text);
  }
};

// --- Reading the three boxes ---

TEST(ReadScheduleTarget, EachBoxGoesToItsOwnField) {
  PlainNumericText numbers;
  EXPECT_EQ(ReadScheduleTarget(numbers, L"25", L"7", L"59"), (ScheduleTarget{25, 7, 59}));
}

TEST(ReadScheduleTarget, FractionsRoundWithTiesToEven) {
  PlainNumericText numbers;
  EXPECT_EQ(ReadScheduleTarget(numbers, L"1.5", L"2.5", L"3.5"), (ScheduleTarget{2, 2, 4}));
  EXPECT_EQ(ReadScheduleTarget(numbers, L" 0.5 ", L"-0.5", L"1e1"), (ScheduleTarget{0, 0, 10}));
  EXPECT_EQ(ReadScheduleTarget(numbers, L"-1.5", L"2.4999", L"2.5001"), (ScheduleTarget{-2, 2, 3}));
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
  EXPECT_EQ(ReadScheduleTarget(numbers, L"32767.5", L"0", L"0"), std::nullopt);  // 32768
  EXPECT_EQ(ReadScheduleTarget(numbers, L"-32768.5", L"0", L"0"),
            (ScheduleTarget{-32768, 0, 0}));  // the even neighbour fits
  EXPECT_EQ(ReadScheduleTarget(numbers, L"1e300", L"0", L"0"), std::nullopt);
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

// An armed schedule looks at the running time on its own timer, however late
// its ticks come (up to 900 ms each): it acts in the target second, on every
// tick of that second, and never outside it.
TEST(ScheduleChecks, EveryLookInTheTargetSecondActsAndNoOtherDoes) {
  const ScheduleTarget target{1, 0, 0};
  constexpr uint64_t kSecondStart = 3600000;
  for (uint64_t lateness : {0ull, 17ull, 49ull, 400ull, 900ull}) {
    for (uint64_t phase = 0; phase < kScheduleCheckIntervalMs; phase += 7) {
      FakePlatform clock;
      int actions = 0;
      uint64_t first = 0;
      for (clock.tickCount = kSecondStart - 3000 + phase; clock.tickCount < kSecondStart + 2000;
           clock.tickCount += kScheduleCheckIntervalMs + lateness) {
        const RunningTime now = RunningTimeNow(clock);
        if (!TargetReached(target, now.hours, now.minutes, now.seconds)) continue;
        EXPECT_GE(clock.tickCount, kSecondStart);
        EXPECT_LT(clock.tickCount, kSecondStart + 1000);
        if (actions++ == 0) first = clock.tickCount;
      }
      ASSERT_GE(actions, 1) << "lateness " << lateness << " phase " << phase;
      EXPECT_LT(first - kSecondStart, kScheduleCheckIntervalMs + lateness);
    }
  }
}

}  // namespace
}  // namespace tavilo
