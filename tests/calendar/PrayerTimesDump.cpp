// Prints PrayerTimesOn for each line of standard input, "day latitude
// longitude method asr", as eight Unix times ("-" where none), for the
// comparison with an independent implementation (prayer-times-vs-adhan.mjs).
#include <cstdio>
#include <initializer_list>

#include "calendar/PrayerTimes.h"

int main() {
  int day = 0, method = 0, asr = 0;
  double latitude = 0, longitude = 0;
  while (std::scanf("%d %lf %lf %d %d", &day, &latitude, &longitude, &method, &asr) == 5) {
    const tavilo::PrayerTimes t =
        tavilo::PrayerTimesOn(day, {latitude, longitude},
                              {static_cast<tavilo::PrayerMethod>(method), static_cast<tavilo::AsrShadow>(asr)});
    for (int64_t moment : {t.fajr, t.sunrise, t.dhuhr, t.asr, t.sunset, t.maghrib, t.isha, t.midnight}) {
      std::printf(moment == tavilo::kNoTime ? " -" : " %lld", static_cast<long long>(moment));
    }
    std::printf("\n");
  }
  return 0;
}
