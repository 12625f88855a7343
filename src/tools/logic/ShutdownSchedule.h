// The shutdown scheduler's target: a running time (whole hours since the
// system started, minutes and seconds fields) at which the session ends.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "tools/logic/NumericInput.h"

namespace tavilo {

// How often an armed schedule looks at the running time: twenty times a
// second, so the end comes within 50 ms of the target second's start, and
// even a look delayed most of a second by a busy message queue still falls
// inside it; twenty wake-ups a second only while a schedule is armed.
inline constexpr std::uint32_t kScheduleCheckIntervalMs = 50;

struct ScheduleTarget {
  std::int16_t hours = 0;
  std::int16_t minutes = 0;
  std::int16_t seconds = 0;
  bool operator==(const ScheduleTarget&) const = default;
};

// The target the three boxes describe: each text must be a number under the
// user's locale and round (ties to even) into a 16-bit integer. Nothing when
// any of them fails, so a typo never arms or changes a schedule.
std::optional<ScheduleTarget> ReadScheduleTarget(NumericText& numbers, const std::wstring& hourText,
                                                 const std::wstring& minuteText,
                                                 const std::wstring& secondText);

// A number in a running-time box too large for its field (beyond 16 bits),
// which is refused as too large rather than as "not a number".
bool IsTooLargeField(NumericText& numbers, const std::wstring& text);

// The warning comes this long before the session ends, and its "later"
// button moves the end this far.
inline constexpr std::int64_t kWarningSeconds = 60;
inline constexpr std::int64_t kPostponeSeconds = 600;

// Running time in whole seconds since the system started.
std::int64_t RunningSecond(std::uint64_t tickCount);
// The second of running time a target names; hours are not taken modulo 24.
std::int64_t TargetSecond(const ScheduleTarget& target);
// The target naming a second, minutes and seconds within 0 to 59; hours
// beyond 16 bits are held at the largest.
ScheduleTarget TargetOfSecond(std::int64_t second);

enum class TargetCheck {
  kArmable,
  // Minutes or seconds outside 0 to 59, or negative hours: the running time
  // never shows those fields, so the schedule would never act.
  kUnreachable,
  // The running time is already in or past the target second.
  kPassed,
};
TargetCheck CheckTarget(const ScheduleTarget& target, std::int64_t nowSecond);

// What precedes the time left wherever it is shown.
inline constexpr wchar_t kTimeLeftLabel[] = L"زمان باقی‌مانده: ";

// "h:mm:ss" in Persian digits, for a count of seconds (negative counts as 0).
std::wstring CountdownText(std::int64_t seconds);

// An armed schedule between confirmation and the end of the session. Each
// look at the running time says what to do. The end comes in the deadline
// second, on every look of that second. A deadline passed unseen (the machine
// slept through it, or the program could not look) is never skipped: it
// turns into a warning and a new deadline a minute later.
class ArmedSchedule {
 public:
  // Waiting: armed for an event whose moment is not known yet (a program
  // closing, the computer left idle); the deadline comes with the event.
  enum class Phase { kIdle, kWaiting, kArmed, kWarning };
  enum class Step { kNothing, kWarn, kEnd, kDisarmed };

  Phase phase() const { return phase_; }
  bool IsArmed() const { return phase_ != Phase::kIdle; }
  bool IsWaiting() const { return phase_ == Phase::kWaiting; }
  std::int64_t Deadline() const { return deadline_; }
  std::int64_t SecondsLeft(std::int64_t nowSecond) const;
  // What the end will be, in words ("خاموش شدن رایانه"), and the option's
  // verb ("خاموش کردن"), as the scheduler window's options say now.
  const std::wstring& Action() const { return action_; }
  const std::wstring& Verb() const { return verb_; }
  void SetAction(std::wstring action, std::wstring verb = {}) {
    action_ = std::move(action);
    verb_ = std::move(verb);
  }
  // What a waiting schedule waits for ("تا بسته شدن notepad.exe").
  const std::wstring& WaitingFor() const { return waitingFor_; }
  // What the menu and the tooltip say of it: the action and the time left,
  // or what it waits for.
  std::wstring Summary(std::int64_t nowSecond) const;

  // The target must have been checked armable.
  void Arm(std::int64_t targetSecond);
  // Armed with no deadline until the event comes (ArmAt then).
  void Wait(std::wstring waitingFor);
  Step Look(std::int64_t nowSecond);
  // "Later": the deadline moves on and the warning comes again before it.
  void Postpone();
  // The deadline moved (the clock or the zone changed under a clock-time
  // target): the warning comes again before the new one. False when nothing
  // changed.
  bool Reaim(std::int64_t deadline);
  void Cancel();

 private:
  Phase phase_ = Phase::kIdle;
  std::int64_t deadline_ = 0;
  bool ended_ = false;  // the end was asked for in the deadline second
  std::wstring action_;
  std::wstring verb_;
  std::wstring waitingFor_;
};

// The program's one schedule, read by the menu and the notification icon.
ArmedSchedule& ProgramSchedule();

}  // namespace tavilo
