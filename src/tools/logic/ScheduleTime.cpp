#include "tools/logic/ScheduleTime.h"

#include <algorithm>
#include <string>

#include "tools/logic/ConverterInput.h"
#include "tools/logic/ShutdownSchedule.h"

namespace tavilo {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
  return value / divisor - (value % divisor < 0 ? 1 : 0);
}

}  // namespace

std::optional<int> ReadWholeNumber(std::wstring_view text, int maximum) {
  const std::wstring digits = WithAsciiDigits(text);
  const auto first = digits.find_first_not_of(L' ');
  if (first == std::wstring::npos) return std::nullopt;
  const auto last = digits.find_last_not_of(L' ');
  int value = 0;
  for (std::size_t at = first; at <= last; ++at) {
    if (digits[at] < L'0' || digits[at] > L'9') return std::nullopt;
    value = value * 10 + (digits[at] - L'0');
    if (value > maximum) return std::nullopt;
  }
  return value;
}

std::optional<int> ReadBoxOrZero(std::wstring_view text, int maximum) {
  if (text.find_first_not_of(L' ') == std::wstring_view::npos) return 0;
  return ReadWholeNumber(text, maximum);
}

const wchar_t* WhyConfirmGreyed(ScheduleMode mode, int filled, int boxes) {
  switch (mode) {
    case ScheduleMode::kAfter:
      return filled == 0 ? L"ساعت یا دقیقه را بنویسید." : nullptr;
    case ScheduleMode::kAt:
    case ScheduleMode::kNightly:
      return filled == 0 ? L"ساعت را بنویسید." : nullptr;
    case ScheduleMode::kProgram:
      return filled == 0 ? L"برنامه‌ای را از فهرست انتخاب کنید." : nullptr;
    case ScheduleMode::kIdle:
      return filled == 0 ? L"دقیقه‌های بیکاری را بنویسید." : nullptr;
    case ScheduleMode::kRunningTime:
      return filled < boxes ? L"ساعت، دقیقه و ثانیه را بنویسید." : nullptr;
  }
  return nullptr;
}

std::int64_t RunningSecondAfter(std::uint64_t tick, std::int64_t minutes) {
  return RunningSecond(tick + static_cast<std::uint64_t>(minutes) * 60000);
}

std::int64_t UtcFromLocal(std::int64_t local, const TimeZoneRule& rule) {
  const std::int64_t standard = local + (rule.biasMinutes + rule.standardBiasMinutes) * 60LL;
  const std::int64_t daylight = local + (rule.biasMinutes + rule.daylightBiasMinutes) * 60LL;
  const std::int64_t earlier = std::min(standard, daylight);
  const std::int64_t later = std::max(standard, daylight);
  if (LocalFromUtc(earlier, rule) == local) return earlier;
  if (LocalFromUtc(later, rule) == local) return later;
  // In the gap: the first moment whose local time is past it.
  std::int64_t low = earlier;
  std::int64_t high = later;
  while (low < high) {
    const std::int64_t middle = low + (high - low) / 2;
    if (LocalFromUtc(middle, rule) >= local) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return low;
}

ClockTarget NextClockTime(int hour, int minute, std::int64_t utcNow,
                          const ZoneRuleOfYear& ruleOf) {
  const std::int64_t nowLocal = LocalFromUtc(utcNow, ruleOf(YearOfUnixTime(utcNow)));
  const std::int64_t today = FloorDiv(nowLocal, kSecondsPerDay);
  ClockTarget target;
  for (int ahead = 0; ahead < 2; ++ahead) {
    target.local = (today + ahead) * kSecondsPerDay + hour * 3600 + minute * 60;
    target.utc = UtcFromLocal(target.local, ruleOf(YearOfUnixTime(target.local)));
    target.tomorrow = ahead == 1;
    if (target.utc > utcNow) break;
  }
  return target;
}

std::int64_t RunningSecondAt(std::uint64_t tick, std::int64_t utcNow, std::int64_t utc) {
  const std::int64_t aheadMs = (utc - utcNow) * 1000;
  if (aheadMs < 0 && static_cast<std::uint64_t>(-aheadMs) > tick) return -1;
  return RunningSecond(static_cast<std::uint64_t>(static_cast<std::int64_t>(tick) + aheadMs));
}

}  // namespace tavilo
