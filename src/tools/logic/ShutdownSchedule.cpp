#include "tools/logic/ShutdownSchedule.h"

#include "calendar/Numbers.h"

namespace tavilo {

namespace {

std::optional<std::int16_t> ReadField(NumericText& numbers, const std::wstring& text) {
  const std::optional<double> value = numbers.ToNumber(text);
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

bool TargetReached(const ScheduleTarget& target, std::int32_t runHour, std::int16_t runMin,
                   std::int16_t runSec) {
  return target.seconds == runSec && target.minutes == runMin && target.hours == runHour;
}

}  // namespace tavilo
