#include "tools/logic/ScheduleEvents.h"

#include "ui/PersianDigits.h"

namespace tavilo {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// Saturday first, as WeekDayBit counts.
constexpr const wchar_t* kWeekDayNames[7] = {L"شنبه",     L"یکشنبه",  L"دوشنبه", L"سه‌شنبه",
                                             L"چهارشنبه", L"پنجشنبه", L"جمعه"};

std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
  return value / divisor - (value % divisor < 0 ? 1 : 0);
}

}  // namespace

std::uint32_t IdleWaitMs(std::uint32_t nowTick, std::uint32_t lastInputTick,
                         std::uint32_t thresholdMs) {
  std::uint32_t idle = nowTick - lastInputTick;  // wraps with the tick
  if (idle > 0x80000000u) idle = 0;              // stamped after nowTick
  return idle >= thresholdMs ? 0 : thresholdMs - idle;
}

int WeekDayBit(std::int64_t day) { return static_cast<int>(((day + 5) % 7 + 7) % 7); }

ClockTarget NextNightly(int minuteOfDay, int days, std::int64_t utcNow,
                        const ZoneRuleOfYear& ruleOf) {
  if ((days & kEveryDay) == 0) days = kEveryDay;
  const std::int64_t nowLocal = LocalFromUtc(utcNow, ruleOf(YearOfUnixTime(utcNow)));
  const std::int64_t today = FloorDiv(nowLocal, kSecondsPerDay);
  ClockTarget target;
  // Today's moment may be past, and its week day left out: eight days hold
  // the next one of any set.
  for (int ahead = 0; ahead <= 7; ++ahead) {
    if (!(days & (1 << WeekDayBit(today + ahead)))) continue;
    target.local = (today + ahead) * kSecondsPerDay + minuteOfDay * 60LL;
    target.utc = UtcFromLocal(target.local, ruleOf(YearOfUnixTime(target.local)));
    target.tomorrow = ahead == 1;
    if (target.utc > utcNow) break;
  }
  return target;
}

std::wstring NightlyText(int minuteOfDay, std::int64_t nextLocal) {
  const int minute = minuteOfDay % 60;
  const std::wstring clock = std::to_wstring(minuteOfDay / 60) + L":" +
                             (minute < 10 ? L"0" : L"") + std::to_wstring(minute);
  return L"هر روز ساعت " + PersianDigits(clock) + L"، بار بعد " +
         kWeekDayNames[WeekDayBit(FloorDiv(nextLocal, kSecondsPerDay))];
}

}  // namespace tavilo
