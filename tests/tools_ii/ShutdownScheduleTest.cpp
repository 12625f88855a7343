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
  // Persian and Arabic-Indic digits, as the keyboards type them.
  EXPECT_EQ(ReadScheduleTarget(numbers, L"۱", L"۳۰", L"٤٥"), (ScheduleTarget{1, 30, 45}));
  EXPECT_EQ(ReadScheduleTarget(numbers, L"۱a", L"0", L"0"), std::nullopt);
}

TEST(ReadScheduleTarget, FractionsRoundWithTiesToEven) {
  PlainNumericText numbers;
  EXPECT_EQ(ReadScheduleTarget(numbers, L"1.5", L"2.5", L"3.5"), (ScheduleTarget{2, 2, 4}));
  EXPECT_EQ(ReadScheduleTarget(numbers, L" 0.5 ", L"-0.5", L"1e1"), (ScheduleTarget{0, 0, 10}));
  EXPECT_EQ(ReadScheduleTarget(numbers, L"-1.5", L"2.4999", L"2.5001"), (ScheduleTarget{-2, 2, 3}));
}

TEST(ReadScheduleTarget, ANumberBeyondItsFieldIsTooLargeNotText) {
  PlainNumericText numbers;
  const std::pair<const wchar_t*, bool> cases[] = {
      {L"99999999999", true}, {L"32768", true}, {L"-40000", true}, {L"32767", false},
      {L"abc", false}};
  for (const auto& [text, tooLarge] : cases) EXPECT_EQ(IsTooLargeField(numbers, text), tooLarge) << text;
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

// --- Which targets can be armed ---

TEST(CheckTarget, OnlyATargetTheRunningTimeWillStillShowCanBeArmed) {
  const std::int64_t now = TargetSecond({2, 30, 15});
  struct Case {
    ScheduleTarget target;
    TargetCheck expected;
  };
  const Case cases[] = {
      {{2, 30, 16}, TargetCheck::kArmable},
      {{26, 30, 15}, TargetCheck::kArmable},  // hours are not taken modulo 24
      {{32767, 59, 59}, TargetCheck::kArmable},
      {{2, 30, 15}, TargetCheck::kPassed},  // the target second has begun
      {{2, 29, 59}, TargetCheck::kPassed},
      {{0, 0, 0}, TargetCheck::kPassed},
      {{3, 60, 0}, TargetCheck::kUnreachable},  // no running time shows 60
      {{3, 0, 60}, TargetCheck::kUnreachable},
      {{3, -1, 0}, TargetCheck::kUnreachable},
      {{-1, 0, 0}, TargetCheck::kUnreachable},
      {{32767, -32768, 0}, TargetCheck::kUnreachable},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckTarget(c.target, now), c.expected)
        << c.target.hours << ":" << c.target.minutes << ":" << c.target.seconds;
  }
  // Postponing past the largest target still names a second the boxes hold.
  EXPECT_EQ(TargetOfSecond(TargetSecond({32767, 59, 59}) + kPostponeSeconds),
            (ScheduleTarget{32767, 9, 59}));
  EXPECT_EQ(TargetOfSecond(TargetSecond({1, 55, 30}) + kPostponeSeconds),
            (ScheduleTarget{2, 5, 30}));
  EXPECT_EQ(CountdownText(754), L"۰:۱۲:۳۴");
  EXPECT_EQ(CountdownText(-3), L"۰:۰۰:۰۰");
}

// --- The armed schedule ---

// An armed schedule looks at the running time on its own timer, however late
// its ticks come (up to 900 ms each): it ends the session in the target
// second, on every look of that second, never outside it, and warns once
// first.
TEST(ArmedSchedule, EveryLookInTheTargetSecondEndsAndNoOtherDoes) {
  constexpr std::uint64_t kSecondStart = 3600000;
  for (std::uint64_t lateness : {0ull, 17ull, 49ull, 400ull, 900ull}) {
    for (std::uint64_t phase = 0; phase < kScheduleCheckIntervalMs; phase += 7) {
      ArmedSchedule schedule;
      schedule.Arm(TargetSecond({1, 0, 0}));
      int ends = 0, warnings = 0;
      std::uint64_t first = 0;
      for (std::uint64_t tick = kSecondStart - 90000 + phase; tick < kSecondStart + 2000;
           tick += kScheduleCheckIntervalMs + lateness) {
        const ArmedSchedule::Step step = schedule.Look(RunningSecond(tick));
        if (step == ArmedSchedule::Step::kWarn) {
          ++warnings;
          EXPECT_GE(tick, kSecondStart - 60000);
          EXPECT_LT(tick, kSecondStart - 59000);
        }
        if (step != ArmedSchedule::Step::kEnd) continue;
        EXPECT_GE(tick, kSecondStart);
        EXPECT_LT(tick, kSecondStart + 1000);
        if (ends++ == 0) first = tick;
      }
      ASSERT_GE(ends, 1) << "lateness " << lateness << " phase " << phase;
      EXPECT_EQ(warnings, 1);
      EXPECT_LT(first - kSecondStart, kScheduleCheckIntervalMs + lateness);
      EXPECT_FALSE(schedule.IsArmed());  // the system refused: disarmed after the second
    }
  }
}

// Armed, warned, postponed, cancelled, fired, missed while asleep.
TEST(ArmedSchedule, WalksThroughEachStateOnTheFakeClock) {
  using Step = ArmedSchedule::Step;
  using Phase = ArmedSchedule::Phase;
  ArmedSchedule schedule;
  EXPECT_EQ(schedule.Look(100), Step::kNothing);

  schedule.Arm(1000);
  EXPECT_EQ(schedule.Look(939), Step::kNothing);
  EXPECT_EQ(schedule.Look(940), Step::kWarn);
  EXPECT_EQ(schedule.Look(941), Step::kNothing);  // once
  EXPECT_EQ(schedule.SecondsLeft(941), 59);
  schedule.Postpone();
  EXPECT_EQ(schedule.phase(), Phase::kArmed);
  EXPECT_EQ(schedule.Deadline(), 1600);
  EXPECT_EQ(schedule.Look(1000), Step::kNothing);  // the old deadline is gone
  EXPECT_EQ(schedule.Look(1540), Step::kWarn);
  schedule.Cancel();
  EXPECT_EQ(schedule.Look(1600), Step::kNothing);

  // Less than a minute left at confirmation: the warning comes at once.
  schedule.Arm(2030);
  EXPECT_EQ(schedule.Look(2000), Step::kWarn);
  EXPECT_EQ(schedule.Look(2030), Step::kEnd);

  // Asleep through the deadline: at the first look after it, a warning and a
  // minute more; then the end.
  schedule.Arm(3000);
  EXPECT_EQ(schedule.Look(2000), Step::kNothing);
  EXPECT_EQ(schedule.Look(5000), Step::kWarn);
  EXPECT_EQ(schedule.Deadline(), 5060);
  EXPECT_EQ(schedule.Look(5059), Step::kNothing);
  EXPECT_EQ(schedule.Look(5060), Step::kEnd);
  EXPECT_EQ(schedule.Look(5060), Step::kEnd);
  EXPECT_EQ(schedule.Look(5061), Step::kDisarmed);
  EXPECT_EQ(schedule.phase(), Phase::kIdle);

  // The clock moved under a clock-time target in its last minute: the
  // warning comes again before the new deadline.
  schedule.Arm(7000);
  EXPECT_EQ(schedule.Look(6950), Step::kWarn);
  EXPECT_FALSE(schedule.Reaim(7000));
  EXPECT_TRUE(schedule.Reaim(10600));
  EXPECT_EQ(schedule.Look(6951), Step::kNothing);
  EXPECT_EQ(schedule.Look(10540), Step::kWarn);
}

}  // namespace
}  // namespace tavilo
