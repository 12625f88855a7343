// The Moon in Scorpio: one Shamsi month's periods (Iran's clock) over the
// months of 1400..1409, which the calendar asks for each month it shows, and
// one day's text, which it asks for each day of the occasion list.
#include <benchmark/benchmark.h>

#include <vector>

#include "calendar/MoonScorpio.h"
#include "calendar/ShamsiArithmetic.h"
#include "calendar/ZoneTime.h"

namespace tavilo::bench {
namespace {

struct Span {
  int64_t from, to;
};

std::vector<Span> Months() {
  std::vector<Span> months;
  for (int year = 1400; year < 1410; ++year) {
    for (int month = 1; month <= 12; ++month) {
      const int32_t first = DayFromShamsi({year, month, 1});
      months.push_back({IranDayStartUtc(first), IranDayStartUtc(first + MonthLength(year, month))});
    }
  }
  return months;
}

void BM_MoonInScorpioPeriods_Month(benchmark::State& state) {
  const auto months = Months();
  std::size_t at = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(MoonInScorpioPeriods(months[at].from, months[at].to));
    at = (at + 1) % months.size();
  }
}

void BM_MoonInScorpioDayText(benchmark::State& state) {
  int day = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(MoonInScorpioDayText(1404, day / 29 + 1, day % 29 + 1, true, false));
    day = (day + 1) % (12 * 29);
  }
}

BENCHMARK(BM_MoonInScorpioPeriods_Month);
BENCHMARK(BM_MoonInScorpioDayText);

}  // namespace
}  // namespace tavilo::bench

BENCHMARK_MAIN();
