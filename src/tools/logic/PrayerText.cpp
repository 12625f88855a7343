#include "tools/logic/PrayerText.h"

#include <algorithm>
#include <array>
#include <vector>

#include "tools/logic/PrayerChoice.h"
#include "ui/PersianDigits.h"

namespace tavilo {
namespace {

constexpr std::array<std::wstring_view, 8> kNames = {
    L"اذان صبح", L"طلوع آفتاب", L"اذان ظهر",  L"اذان عصر",
    L"غروب آفتاب", L"اذان مغرب", L"اذان عشا", L"نیمه‌شب شرعی",
};

// The names without "اذان" and "آفتاب", for the short form.
constexpr std::array<std::wstring_view, 8> kShortNames = {
    L"صبح", L"طلوع", L"ظهر", L"عصر", L"غروب", L"مغرب", L"عشا", L"نیمه‌شب",
};

constexpr std::array<PrayerTimeKind, 8> kInDayOrder = {
    PrayerTimeKind::kFajr,   PrayerTimeKind::kSunrise, PrayerTimeKind::kDhuhr, PrayerTimeKind::kAsr,
    PrayerTimeKind::kSunset, PrayerTimeKind::kMaghrib, PrayerTimeKind::kIsha,  PrayerTimeKind::kMidnight,
};

constexpr int32_t kUnixEpochDay = 25569;  // 1 January 1970
constexpr int64_t kSecondsPerDay = 86400;
constexpr int kTimesPerLine = 2;

int64_t FloorToMinute(int64_t seconds) { return seconds - ((seconds % 60) + 60) % 60; }

// The day number of a local wall-clock time in Unix seconds.
int32_t LocalDayOf(int64_t localSeconds) {
  const int64_t days = localSeconds / kSecondsPerDay - (localSeconds % kSecondsPerDay < 0 ? 1 : 0);
  return static_cast<int32_t>(days + kUnixEpochDay);
}

std::wstring Number(int64_t value) { return PersianDigits(std::to_wstring(value)); }

}  // namespace

std::wstring_view PrayerTimeName(PrayerTimeKind kind) { return kNames[static_cast<std::size_t>(kind)]; }

int64_t MomentOf(const PrayerTimes& times, PrayerTimeKind kind) {
  switch (kind) {
    case PrayerTimeKind::kFajr: return times.fajr;
    case PrayerTimeKind::kSunrise: return times.sunrise;
    case PrayerTimeKind::kDhuhr: return times.dhuhr;
    case PrayerTimeKind::kAsr: return times.asr;
    case PrayerTimeKind::kSunset: return times.sunset;
    case PrayerTimeKind::kMaghrib: return times.maghrib;
    case PrayerTimeKind::kIsha: return times.isha;
    case PrayerTimeKind::kMidnight: return times.midnight;
  }
  return kNoTime;
}

bool ShowsAsrAndIsha(PrayerMethod method, bool asked) {
  return asked || (method != PrayerMethod::kTehran && method != PrayerMethod::kJafari);
}

std::wstring ClockText(int64_t localSeconds) {
  const int64_t minuteOfDay = ((FloorToMinute(localSeconds) / 60) % 1440 + 1440) % 1440;
  const auto twoDigits = [](int64_t value) { return Number(value / 10) + Number(value % 10); };
  return twoDigits(minuteOfDay / 60) + L":" + twoDigits(minuteOfDay % 60);
}

std::optional<UpcomingTime> NextPrayerTime(int64_t now, std::span<const PrayerTimes> days,
                                           bool withAsrAndIsha) {
  const int64_t nowMinute = FloorToMinute(now);
  std::optional<UpcomingTime> next;
  for (const PrayerTimes& day : days) {
    for (PrayerTimeKind kind : kInDayOrder) {
      if (!withAsrAndIsha && (kind == PrayerTimeKind::kAsr || kind == PrayerTimeKind::kIsha)) continue;
      const int64_t moment = MomentOf(day, kind);
      if (moment == kNoTime || ShownMinute(moment) < nowMinute) continue;
      if (!next || moment < next->moment) next = UpcomingTime{kind, moment};
    }
  }
  return next;
}

std::wstring UpcomingTimeText(Platform& platform, int64_t now, const UpcomingTime& next) {
  const int64_t shown = ShownMinute(next.moment);
  std::wstring text(PrayerTimeName(next.kind));
  text.append(L" ").append(ClockText(platform.LocalTimeOf(shown))).append(L" (");
  const int64_t minutes = (shown - FloorToMinute(now)) / 60;
  if (minutes <= 0) return text + L"اکنون)";
  if (minutes >= 60) {
    text.append(Number(minutes / 60)).append(L" ساعت");
    if (minutes % 60 != 0) text.append(L" و ");
  }
  if (minutes % 60 != 0) text.append(Number(minutes % 60)).append(L" دقیقه");
  return text + L" دیگر)";
}

std::wstring ShortUpcomingTimeText(Platform& platform, int64_t now, const UpcomingTime& next) {
  const int64_t shown = ShownMinute(next.moment);
  std::wstring text(kShortNames[static_cast<std::size_t>(next.kind)]);
  text.append(L" ").append(ClockText(platform.LocalTimeOf(shown))).append(L" · ");
  const int64_t minutes = (shown - FloorToMinute(now)) / 60;
  if (minutes <= 0) return text + L"اکنون";
  return text + Number(minutes / 60) + L":" + Number(minutes % 60 / 10) + Number(minutes % 10);
}

std::optional<PrayerSource> ChosenPrayerSource(const Settings& settings) {
  const std::optional<PrayerPlaceChoice> place = ChosenPrayerPlace(settings);
  if (!place) return std::nullopt;
  const PrayerSettings method = ChosenPrayerSettings(settings);
  return PrayerSource{place->coordinates, method,
                      ShowsAsrAndIsha(method.method, settings.prayerAsrIsha)};
}

std::optional<DayPrayers> ChosenDayPrayers(int32_t day, const Settings& settings) {
  const std::optional<PrayerPlaceChoice> place = ChosenPrayerPlace(settings);
  const std::optional<PrayerSource> source = ChosenPrayerSource(settings);
  if (!place || !source) return std::nullopt;
  DayPrayers prayers{PrayerTimesOn(day, source->place, source->method), {},
                     source->withAsrAndIsha, true};
  if (place->known) {
    prayers.placeName = place->known->persianName;
    prayers.inComputerZone = !place->known->inIran;
  } else {
    prayers.placeName = CoordinatesName(settings.prayerLatitude, settings.prayerLongitude);
  }
  return prayers;
}

// An Iranian place on a computer set elsewhere is shown in the computer's
// time, and says so.
bool InIranZone(Platform& platform, int64_t moment) {
  constexpr int64_t kIranOffset = 12600;
  constexpr int64_t kLastIranSummerTime = 1663788600;  // 30 Shahrivar 1401, 24:00 in Tehran
  const int64_t offset = platform.LocalTimeOf(moment) - moment;
  return offset == kIranOffset || (offset == kIranOffset + 3600 && moment < kLastIranSummerTime);
}

std::wstring PrayerHeading(Platform& platform, const DayPrayers& prayers) {
  std::wstring text = L"اوقات شرعی " + prayers.placeName;
  if (prayers.inComputerZone || !InIranZone(platform, prayers.times.dhuhr)) {
    text += L"، به وقت این رایانه";
  }
  return text;
}

std::wstring PrayerDayText(Platform& platform, int32_t day, const DayPrayers& prayers,
                           std::optional<PrayerTimeKind> next) {
  std::wstring text = L"\u200F" + PrayerHeading(platform, prayers);
  int onLine = kTimesPerLine;
  for (PrayerTimeKind kind : ShownKinds(prayers.withAsrAndIsha)) {
    text += onLine == kTimesPerLine ? L"\r\n\u200F" : L"، ";
    onLine = onLine == kTimesPerLine ? 1 : onLine + 1;
    text.append(PrayerTimeName(kind)).append(L" ");
    text += DayTimeText(DayTimeOf(platform, day, MomentOf(prayers.times, kind)));
    if (kind == next) text += L" (بعدی)";
  }
  return text;
}

std::optional<UpcomingTime> NextTimeOfDay(int64_t now, const DayPrayers& prayers) {
  return NextPrayerTime(now, std::span(&prayers.times, 1), prayers.withAsrAndIsha);
}

uint32_t MillisecondsUntilPassed(int64_t now, const UpcomingTime& next) {
  return static_cast<uint32_t>(std::max<int64_t>(ShownMinute(next.moment) + 60 - now, 1) * 1000);
}

DayTime DayTimeOf(Platform& platform, int32_t day, int64_t moment) {
  if (moment == kNoTime) return {};
  const int64_t local = platform.LocalTimeOf(ShownMinute(moment));
  const int32_t localDay = LocalDayOf(local);
  return {local, localDay > day ? 1 : localDay < day ? -1 : 0};
}

std::wstring DayTimeText(const DayTime& time) {
  if (!time.local) return L"ندارد";
  std::wstring text = ClockText(*time.local);
  if (time.dayShift > 0) text += L" (فردا)";
  if (time.dayShift < 0) text += L" (دیروز)";
  return text;
}

std::vector<PrayerTimeKind> ShownKinds(bool withAsrAndIsha) {
  std::vector<PrayerTimeKind> kinds;
  for (PrayerTimeKind kind : kInDayOrder) {
    if (withAsrAndIsha || (kind != PrayerTimeKind::kAsr && kind != PrayerTimeKind::kIsha)) {
      kinds.push_back(kind);
    }
  }
  return kinds;
}

std::optional<UpcomingTime> NextChosenPrayer(Platform& platform, int64_t now,
                                             const Settings& settings) {
  const std::optional<PrayerSource> source = ChosenPrayerSource(settings);
  if (!source) return std::nullopt;
  // From yesterday, whose midnight may still be ahead, to the day after
  // tomorrow, for a place whose date runs ahead of the computer's.
  std::array<PrayerTimes, 4> days{};
  PrayerTimesOfDays(LocalDayOf(platform.LocalTimeOf(now)) - 1, days, source->place,
                    source->method);
  return NextPrayerTime(now, days, source->withAsrAndIsha);
}

std::wstring NextPrayerLine(Platform& platform, int64_t now, const Settings& settings) {
  const std::optional<UpcomingTime> next = NextChosenPrayer(platform, now, settings);
  return next ? UpcomingTimeText(platform, now, *next) : std::wstring();
}

}  // namespace tavilo
