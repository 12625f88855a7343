// A month's prayer times for one place against building that month's view,
// in the same run: the times must cost no more than the view they go with.
// Both run over the Shamsi months of 1400..1409, Tehran's times for every
// day of the month shown; and, for comparison, asking for each day alone.
#include <benchmark/benchmark.h>

#include <span>
#include <vector>

#include "calendar/Places.h"
#include "calendar/PrayerTimes.h"
#include "calendar/ShamsiArithmetic.h"
#include "tools/logic/MonthView.h"

namespace tavilo::bench {
namespace {

std::vector<ShamsiMonth> Months() {
  std::vector<ShamsiMonth> months;
  for (int year = 1400; year < 1410; ++year) {
    for (int month = 1; month <= 12; ++month) months.push_back({year, month});
  }
  return months;
}

void BM_BuildMonthView(benchmark::State& state) {
  const auto months = Months();
  std::size_t at = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(BuildMonthView(months[at], 0, PersianGregorianMonthNames()));
    at = (at + 1) % months.size();
  }
}

void BM_PrayerTimesOfMonth(benchmark::State& state) {
  const auto months = Months();
  const Place tehran = FindPlace(112931)->Coordinates();
  std::size_t at = 0;
  for (auto _ : state) {
    const int32_t first = DayFromShamsi({months[at].year, months[at].month, 1});
    const int32_t next = months[at].month == 12 ? FarvardinFirst(months[at].year + 1)
                                                : DayFromShamsi({months[at].year, months[at].month + 1, 1});
    PrayerTimes times[31];
    PrayerTimesOfDays(first, std::span(times, static_cast<std::size_t>(next - first)), tehran, {});
    benchmark::DoNotOptimize(times);
    at = (at + 1) % months.size();
  }
}

void BM_PrayerTimesOfMonthDayByDay(benchmark::State& state) {
  const Place tehran = FindPlace(112931)->Coordinates();
  const int32_t first = DayFromShamsi({1405, 9, 1});
  for (auto _ : state) {
    for (int32_t day = first; day < first + 30; ++day) benchmark::DoNotOptimize(PrayerTimesOn(day, tehran, {}));
  }
}

BENCHMARK(BM_BuildMonthView);
BENCHMARK(BM_PrayerTimesOfMonth);
BENCHMARK(BM_PrayerTimesOfMonthDayByDay);

}  // namespace
}  // namespace tavilo::bench

BENCHMARK_MAIN();
