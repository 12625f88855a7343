// When "after" and "at" schedules end, on a fake clock in Toronto's zone
// (expected moments from the system's zone database); what each action asks.
#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "platform/fake/FakePlatform.h"
#include "tools/logic/ScheduleEvents.h"
#include "tools/logic/ScheduleTime.h"
#include "tools/shared/SessionEnd.h"

namespace tavilo {
namespace {

const TimeZoneRule kToronto{300, 0, -60, {0, 11, 0, 1, 2, 0, 0}, {0, 3, 0, 2, 2, 0, 0}};

TEST(NextClockTime, TodayTomorrowAndTheDaylightChanges) {
  struct Case {
    std::int64_t utcNow;
    int hour, minute;
    std::int64_t utc;
    bool tomorrow;
  };
  const Case cases[] = {
      {1768050000, 23, 30, 1768105800, false},  // 08:00, later today
      {1768107000, 0, 10, 1768108200, true},    // 23:50, across midnight
      {1768105800, 23, 30, 1768192200, true},   // that very minute has begun
      {1772938800, 2, 30, 1772953200, true},    // in the spring gap: 03:00 after it
      {1772938800, 9, 0, 1772974800, true},     // the morning after the change
      {1793498400, 1, 30, 1793511000, true},    // shown twice: the first, in daylight time
  };
  for (const Case& c : cases) {
    const ClockTarget target =
        NextClockTime(c.hour, c.minute, c.utcNow, [](int) { return kToronto; });
    EXPECT_EQ(target.utc, c.utc) << &c - cases;
    EXPECT_EQ(target.tomorrow, c.tomorrow) << &c - cases;
  }
}

// 10.5 s of running time; the target a minute ahead on the clock.
TEST(RunningSecond, AfterCountsTicksAndAtFollowsTheClockSetBack) {
  EXPECT_EQ(RunningSecondAfter(10'500, 1), 70);
  EXPECT_EQ(RunningSecondAt(10'500, 1'000'000, 1'000'060), 70);
  EXPECT_EQ(RunningSecondAt(10'500, 1'000'000 - 3600, 1'000'060), 3670);
  EXPECT_LT(RunningSecondAt(10'500, 1'000'060, 1'000'000), 10);
}

TEST(ReadWholeNumber, DigitsOfThreeScriptsWithinTheLimit) {
  const std::pair<const wchar_t*, std::optional<int>> cases[] = {
      {L"90", 90}, {L" ۹۰ ", 90}, {L"٤٥", 45},           {L"999", 999}, {L"1000", std::nullopt},
      {L"-5", {}}, {L"1a", {}},   {L"1.5", std::nullopt}, {L"", {}},     {L"  ", std::nullopt}};
  for (const auto& [text, expected] : cases) EXPECT_EQ(ReadWholeNumber(text, 999), expected) << text;
}

// An empty "after" or "at" box counts as 0; confirmation is greyed, with a
// reason, only while the mode's boxes say nothing it can use.
TEST(ScheduleBoxes, EmptyCountsAsZeroAndAGreyedConfirmSaysWhy) {
  EXPECT_EQ(ReadBoxOrZero(L"", 99), 0);
  EXPECT_EQ(ReadBoxOrZero(L" ", 99), 0);
  EXPECT_EQ(ReadBoxOrZero(L"۹۰", 999), 90);
  EXPECT_EQ(ReadBoxOrZero(L"x", 99), std::nullopt);
  using M = ScheduleMode;
  const std::tuple<M, int, int, bool> cases[] = {
      {M::kAfter, 0, 2, true},       {M::kAfter, 1, 2, false}, {M::kAt, 0, 2, true},
      {M::kAt, 1, 2, false},         {M::kRunningTime, 2, 3, true},
      {M::kRunningTime, 3, 3, false}};
  for (const auto& [mode, filled, boxes, greyed] : cases) {
    EXPECT_EQ(WhyConfirmGreyed(mode, filled, boxes) != nullptr, greyed)
        << static_cast<int>(mode) << filled;
  }
}

// Saturday 10 January 2026, 08:00 in Toronto; bit 0 is Saturday.
TEST(NextNightly, WeekDaysMidnightDaylightChangesAndMissedMoments) {
  struct Case {
    std::int64_t utcNow;
    int minute, days;
    std::int64_t utc;
  };
  const Case cases[] = {
      {1768050000, 23 * 60 + 30, kEveryDay, 1768105800},   // later today
      {1768050000, 23 * 60 + 30, 0b10, 1768192200},        // Sunday only
      {1768050000, 8 * 60, 0b1, 1768050000 + 7 * 86400},   // this very minute: next week
      {1768107000, 0, kEveryDay, 1768107600},               // 23:50: midnight
      {1768105860, 23 * 60 + 30, kEveryDay, 1768192200},   // a minute late: tomorrow
      {1772938800, 2 * 60 + 30, kEveryDay, 1772953200},    // in the spring gap: 03:00
      {1772938800, 2 * 60 + 30, 0b1, 1773469800},          // Saturday only: a week on
      {1793498400, 1 * 60 + 30, kEveryDay, 1793511000},    // shown twice: the first
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NextNightly(c.minute, c.days, c.utcNow, [](int) { return kToronto; }).utc, c.utc)
        << &c - cases;
  }
}

// When to look next for the idle time to reach the threshold, in the 32-bit
// tick that wraps.
TEST(IdleWaitMs, RemainingTimeAcrossTheWrapAndInputReadLate) {
  struct Case {
    std::uint32_t now, lastInput, threshold, wait;
  };
  const Case cases[] = {
      {100'000, 40'000, 600'000, 540'000},  // a minute idle of ten
      {700'000, 40'000, 600'000, 0},        // reached
      {5'000, 0xFFFFF000u, 600'000, 600'000 - 9'096},  // across the wrap
      {100'000, 100'050, 600'000, 600'000},  // input stamped after now
  };
  for (const Case& c : cases) EXPECT_EQ(IdleWaitMs(c.now, c.lastInput, c.threshold), c.wait) << c.now;
}

TEST(CallFor, EachActionItsCallAndFlags) {
  using K = ActionCall::Kind;
  using A = ScheduleAction;
  struct Case {
    A action;
    bool graceful, modernStandby;
    ActionCall call;
  };
  const Case cases[] = {
      {A::kSignOut, false, false, {K::kExitWindows, 4, 0xFFFFFFFF, false, false}},
      {A::kSignOut, true, false, {K::kExitWindows, 0x10, 0xFFFFFFFF, false, false}},
      {A::kShutDown, false, false, {K::kExitWindows, 5, 0, false, true}},
      {A::kShutDown, true, false, {K::kExitWindows, 0x11, 0, false, true}},
      {A::kRestart, false, false, {K::kExitWindows, 6, 0, false, true}},
      {A::kRestart, true, false, {K::kExitWindows, 0x12, 0, false, true}},
      {A::kSleep, false, false, {K::kSuspend, 0, 0, false, true}},
      {A::kSleep, false, true, {K::kDisplayOffAndLock, 0, 0, false, false}},
      {A::kHibernate, true, false, {K::kSuspend, 0, 0, true, true}},
      {A::kLock, true, false, {K::kLock, 0, 0, false, false}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CallFor(c.action, c.graceful, c.modernStandby), c.call) << &c - cases;
  }
}

TEST(CarryOut, ThePrivilegeFirstAndTheSystemsRefusal) {
  using C = PlatformCall;
  FakePlatform platform;
  EXPECT_EQ(CarryOut(platform, CallFor(ScheduleAction::kHibernate, false, false), nullptr),
            std::nullopt);
  EXPECT_EQ(platform.calls, (std::vector<C>{C::PlatformIdRead, C::ProcessTokenOpen,
                                            C::PrivilegeLookup, C::PrivilegeAdjust, C::TokenClose,
                                            C::SuspendSystem}));
  EXPECT_EQ(platform.suspends, std::vector<bool>{true});
  platform.calls.clear();
  EXPECT_EQ(CarryOut(platform, CallFor(ScheduleAction::kSleep, false, true), nullptr),
            std::nullopt);
  EXPECT_EQ(platform.calls, (std::vector<C>{C::WorkStationLock, C::DisplayOff}));

  platform.lockSucceeds = false;
  platform.lastError = 120;
  EXPECT_EQ(CarryOut(platform, CallFor(ScheduleAction::kLock, false, false), nullptr), 120u);
}

}  // namespace
}  // namespace tavilo
