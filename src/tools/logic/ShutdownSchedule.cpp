#include "tools/logic/ShutdownSchedule.h"

#include <algorithm>

#include "calendar/Numbers.h"
#include "tools/logic/ConverterInput.h"
#include "ui/PersianDigits.h"

namespace tavilo {

namespace {

// Persian and Arabic-Indic digits, as a Persian keyboard types them, read as
// the converter's boxes read them; the rest is the locale's numeric test.
std::optional<std::int16_t> ReadField(NumericText& numbers, const std::wstring& text) {
  const std::optional<double> value = numbers.ToNumber(WithAsciiDigits(text));
  if (!value) return std::nullopt;
  try {
    return RoundToInt16(*value);
  } catch (const OverflowError&) {
    return std::nullopt;  // refused like text that is not a number
  }
}

}  // namespace

std::optional<ScheduleTarget> ReadScheduleTarget(NumericText& numbers, const std::wstring& hourText,
                                                 const std::wstring& minuteText,
                                                 const std::wstring& secondText) {
  const auto seconds = ReadField(numbers, secondText);
  const auto minutes = ReadField(numbers, minuteText);
  const auto hours = ReadField(numbers, hourText);
  if (!seconds || !minutes || !hours) return std::nullopt;
  return ScheduleTarget{*hours, *minutes, *seconds};
}

bool IsTooLargeField(NumericText& numbers, const std::wstring& text) {
  return numbers.ToNumber(WithAsciiDigits(text)) && !ReadField(numbers, text);
}

std::int64_t RunningSecond(std::uint64_t tickCount) {
  return static_cast<std::int64_t>(tickCount / 1000);
}

std::int64_t TargetSecond(const ScheduleTarget& target) {
  return (static_cast<std::int64_t>(target.hours) * 60 + target.minutes) * 60 + target.seconds;
}

ScheduleTarget TargetOfSecond(std::int64_t second) {
  second = std::max<std::int64_t>(second, 0);
  const std::int64_t hours = std::min<std::int64_t>(second / 3600, INT16_MAX);
  return {static_cast<std::int16_t>(hours), static_cast<std::int16_t>(second / 60 % 60),
          static_cast<std::int16_t>(second % 60)};
}

TargetCheck CheckTarget(const ScheduleTarget& target, std::int64_t nowSecond) {
  const auto clockField = [](std::int16_t field) { return field >= 0 && field <= 59; };
  if (target.hours < 0 || !clockField(target.minutes) || !clockField(target.seconds)) {
    return TargetCheck::kUnreachable;
  }
  return TargetSecond(target) <= nowSecond ? TargetCheck::kPassed : TargetCheck::kArmable;
}

std::wstring CountdownText(std::int64_t seconds) {
  seconds = std::max<std::int64_t>(seconds, 0);
  const auto twoDigits = [](std::int64_t value) {
    return (value < 10 ? L"0" : L"") + std::to_wstring(value);
  };
  return PersianDigits(std::to_wstring(seconds / 3600) + L":" + twoDigits(seconds / 60 % 60) +
                       L":" + twoDigits(seconds % 60));
}

std::int64_t ArmedSchedule::SecondsLeft(std::int64_t nowSecond) const {
  return std::max<std::int64_t>(deadline_ - nowSecond, 0);
}

std::wstring ArmedSchedule::Summary(std::int64_t nowSecond) const {
  if (phase_ == Phase::kIdle) return {};
  const std::wstring detail = phase_ == Phase::kWaiting ? waitingFor_ : CountdownText(SecondsLeft(nowSecond));
  return verb_ + L" (" + detail + L")";
}

void ArmedSchedule::Arm(std::int64_t targetSecond) {
  phase_ = Phase::kArmed;
  deadline_ = targetSecond;
  ended_ = false;
}

void ArmedSchedule::Wait(std::wstring waitingFor) {
  phase_ = Phase::kWaiting;
  waitingFor_ = std::move(waitingFor);
  ended_ = false;
}

ArmedSchedule::Step ArmedSchedule::Look(std::int64_t nowSecond) {
  if (phase_ == Phase::kIdle || phase_ == Phase::kWaiting) return Step::kNothing;
  if (nowSecond == deadline_) {
    ended_ = true;
    return Step::kEnd;
  }
  if (nowSecond > deadline_) {
    if (ended_) {  // the system refused to end the session: nothing more to do
      Cancel();
      return Step::kDisarmed;
    }
    deadline_ = nowSecond + kWarningSeconds;
    phase_ = Phase::kWarning;
    return Step::kWarn;
  }
  if (phase_ == Phase::kArmed && deadline_ - nowSecond <= kWarningSeconds) {
    phase_ = Phase::kWarning;
    return Step::kWarn;
  }
  return Step::kNothing;
}

void ArmedSchedule::Postpone() {
  if (phase_ == Phase::kIdle || phase_ == Phase::kWaiting) return;
  deadline_ += kPostponeSeconds;
  phase_ = Phase::kArmed;
  ended_ = false;
}

bool ArmedSchedule::Reaim(std::int64_t deadline) {
  if (phase_ == Phase::kIdle || phase_ == Phase::kWaiting || deadline == deadline_) return false;
  deadline_ = deadline;
  phase_ = Phase::kArmed;
  ended_ = false;
  return true;
}

void ArmedSchedule::Cancel() {
  phase_ = Phase::kIdle;
  ended_ = false;
}

ArmedSchedule& ProgramSchedule() {
  static ArmedSchedule schedule;
  return schedule;
}

}  // namespace tavilo
