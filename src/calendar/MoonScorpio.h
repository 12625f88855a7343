// The Moon in Scorpio (قمر در عقرب): the hours when the Moon's apparent
// longitude (tropical, of date) is from 210° up to 240°, as Iran's official
// calendar marks them. The Moon crosses that stretch in two to two and a
// half days, once a sidereal month.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "calendar/MoonLongitude.h"

namespace tavilo {

// UTC Unix seconds, each rounded to the nearest minute.
struct MoonScorpioPeriod {
  std::int64_t enterUnixSeconds;
  std::int64_t leaveUnixSeconds;

  bool operator==(const MoonScorpioPeriod&) const = default;
};

// Every period that overlaps [fromUnixSeconds, toUnixSeconds) by its rounded
// times, in order. The search keeps to the date range (years 100 to 9999).
std::vector<MoonScorpioPeriod> MoonInScorpioPeriods(std::int64_t fromUnixSeconds, std::int64_t toUnixSeconds);

// The hours of a Shamsi day (as Iran's clock counts it) that the Moon spends
// in Scorpio: «قمر در عقرب از ۱۰:۲۳ تا پایان روز», «… از آغاز روز تا ۰۸:۱۵»,
// «… از ۰۲:۱۰ تا ۲۳:۴۰», «… از آغاز تا پایان روز»; empty when no period
// touches the day or the date does not exist. The hours are in Iran's
// official time, which withIranTimeNote says (« به وقت ایران») for a
// computer kept in another zone; Latin digits unless persianDigits.
std::wstring MoonInScorpioDayText(int shamsiYear, int shamsiMonth, int shamsiDay, bool persianDigits,
                                  bool withIranTimeNote);

}  // namespace tavilo
