// Both conversions of the calendar engine side by side with ICU's Persian
// calendar and with a closed form (ClosedFormCalendar.h), each run over a
// ring of every day of the Shamsi years 1305..1500 (from the first year
// checkDate accepts). The lunar calendar and the occasions run over the same
// days.
#include <benchmark/benchmark.h>
#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ClosedFormCalendar.h"
#include "calendar/Class1.h"
#include "calendar/Occasions.h"
#include "calendar/Qamari.h"
#include "calendar/ShamsiArithmetic.h"

namespace tavilo::bench {
namespace {

constexpr double kUnixEpochDay = 25569.0;  // 1 January 1970 as a date value
constexpr double kMillisPerDay = 86400000.0;

struct Ring {
  std::vector<double> days;
  std::vector<std::wstring> texts;
  std::vector<Fields> fields;
};

const Ring& TheRing() {
  static const Ring ring = [] {
    Ring r;
    for (int32_t day = FarvardinFirst(1305); day < FarvardinFirst(1501); ++day) {
      r.days.push_back(day);
      r.texts.push_back(MiladiToShamsi(day));
      r.fields.push_back(FieldsFromDay(day));
    }
    return r;
  }();
  return ring;
}

// The ring's days split by what the lunar calendar and the occasions do on them.
struct LunarRing {
  std::vector<int32_t> announced;  // inside the announced lunar months (to March 2027)
  std::vector<int32_t> estimated;  // after them
  std::vector<int32_t> all;
  std::vector<int32_t> no_occasion;
};

const LunarRing& TheLunarRing() {
  static const LunarRing ring = [] {
    LunarRing r;
    for (double value : TheRing().days) {
      const auto day = static_cast<int32_t>(value);
      (QamariFromDay(day).estimated ? r.estimated : r.announced).push_back(day);
      r.all.push_back(day);
      if (OccasionsOn(day).empty()) r.no_occasion.push_back(day);
    }
    return r;
  }();
  return ring;
}

// Walks the ring one element per call.
class Cursor {
 public:
  explicit Cursor(std::size_t size) : size_(size) {}
  std::size_t Next() {
    const std::size_t at = at_;
    at_ = at_ + 1 == size_ ? 0 : at_ + 1;
    return at;
  }

 private:
  std::size_t size_;
  std::size_t at_ = 0;
};

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "calendar_bench: %s\n", what);
  std::abort();
}

Class1 MakeEngine() {
  return Class1([] { return 46363.4375; },  // 7 December 2026, 10:30
                [](const std::wstring&) { Fail("the engine showed a message"); });
}

std::unique_ptr<icu::Calendar> MakeIcuCalendar() {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Calendar> calendar(icu::Calendar::createInstance(
      icu::TimeZone::createTimeZone("UTC"), icu::Locale("@calendar=persian"), status));
  if (U_FAILURE(status)) Fail("ICU has no Persian calendar");
  return calendar;
}

Fields IcuFieldsFromDay(icu::Calendar& calendar, double day) {
  UErrorCode status = U_ZERO_ERROR;
  calendar.setTime((day - kUnixEpochDay) * kMillisPerDay, status);
  const Fields f{calendar.get(UCAL_YEAR, status), calendar.get(UCAL_MONTH, status) + 1,
                 calendar.get(UCAL_DATE, status)};
  if (U_FAILURE(status)) Fail("ICU day to fields failed");
  return f;
}

double IcuDayFromFields(icu::Calendar& calendar, const Fields& f) {
  UErrorCode status = U_ZERO_ERROR;
  calendar.clear();
  calendar.set(f.year, f.month - 1, f.day);
  const double day = calendar.getTime(status) / kMillisPerDay + kUnixEpochDay;
  if (U_FAILURE(status)) Fail("ICU fields to day failed");
  return day;
}

void BM_MiladiToShamsi_Engine(benchmark::State& state) {
  const Ring& ring = TheRing();
  const Class1 engine = MakeEngine();
  Cursor cursor(ring.days.size());
  for (auto _ : state) benchmark::DoNotOptimize(engine.MiladiToShamsi(ring.days[cursor.Next()]));
}

void BM_MiladiToShamsi_Icu(benchmark::State& state) {
  const Ring& ring = TheRing();
  auto calendar = MakeIcuCalendar();
  Cursor cursor(ring.days.size());
  for (auto _ : state) {
    benchmark::DoNotOptimize(IcuFieldsFromDay(*calendar, ring.days[cursor.Next()]));
  }
}

void BM_MiladiToShamsi_ClosedForm(benchmark::State& state) {
  const Ring& ring = TheRing();
  Cursor cursor(ring.days.size());
  for (auto _ : state) benchmark::DoNotOptimize(MiladiToShamsi(ring.days[cursor.Next()]));
}

void BM_ShamsiToMiladi_Engine(benchmark::State& state) {
  const Ring& ring = TheRing();
  const Class1 engine = MakeEngine();
  Cursor cursor(ring.texts.size());
  for (auto _ : state) benchmark::DoNotOptimize(engine.ShamsiToMiladi(ring.texts[cursor.Next()]));
}

void BM_ShamsiToMiladi_Icu(benchmark::State& state) {
  const Ring& ring = TheRing();
  auto calendar = MakeIcuCalendar();
  Cursor cursor(ring.fields.size());
  for (auto _ : state) {
    benchmark::DoNotOptimize(IcuDayFromFields(*calendar, ring.fields[cursor.Next()]));
  }
}

void BM_ShamsiToMiladi_ClosedForm(benchmark::State& state) {
  const Ring& ring = TheRing();
  Cursor cursor(ring.texts.size());
  for (auto _ : state) benchmark::DoNotOptimize(ShamsiToMiladi(ring.texts[cursor.Next()]));
}

// The engine's day arithmetic alone, without building the returned text:
// the like-for-like counterpart of ICU's day-to-fields.
void BM_DayToFields_Engine(benchmark::State& state) {
  const Ring& ring = TheRing();
  Cursor cursor(ring.days.size());
  for (auto _ : state)
    benchmark::DoNotOptimize(tavilo::ShamsiFromDay(static_cast<int32_t>(ring.days[cursor.Next()])));
}

template <typename Convert>
void RunOverDays(benchmark::State& state, const std::vector<int32_t>& days, Convert convert) {
  Cursor cursor(days.size());
  for (auto _ : state) benchmark::DoNotOptimize(convert(days[cursor.Next()]));
}

void BM_QamariFromDay_Announced(benchmark::State& state) {
  RunOverDays(state, TheLunarRing().announced, [](int32_t day) { return QamariFromDay(day); });
}

void BM_QamariFromDay_Estimated(benchmark::State& state) {
  RunOverDays(state, TheLunarRing().estimated, [](int32_t day) { return QamariFromDay(day); });
}

void BM_OccasionsOn_NoOccasion(benchmark::State& state) {
  RunOverDays(state, TheLunarRing().no_occasion, [](int32_t day) { return OccasionsOn(day); });
}

void BM_OccasionsOn_AnyDay(benchmark::State& state) {
  RunOverDays(state, TheLunarRing().all, [](int32_t day) { return OccasionsOn(day); });
}

void BM_IsDayOff(benchmark::State& state) {
  RunOverDays(state, TheLunarRing().all, [](int32_t day) { return IsDayOff(day); });
}

BENCHMARK(BM_MiladiToShamsi_Engine);
BENCHMARK(BM_DayToFields_Engine);
BENCHMARK(BM_MiladiToShamsi_Icu);
BENCHMARK(BM_MiladiToShamsi_ClosedForm);
BENCHMARK(BM_ShamsiToMiladi_Engine);
BENCHMARK(BM_ShamsiToMiladi_Icu);
BENCHMARK(BM_ShamsiToMiladi_ClosedForm);
BENCHMARK(BM_QamariFromDay_Announced);
BENCHMARK(BM_QamariFromDay_Estimated);
BENCHMARK(BM_OccasionsOn_NoOccasion);
BENCHMARK(BM_OccasionsOn_AnyDay);
BENCHMARK(BM_IsDayOff);

// Timing code that gives wrong answers proves nothing: all three must agree
// on every day of the ring before anything is measured.
void CheckAgreement() {
  const Ring& ring = TheRing();
  const Class1 engine = MakeEngine();
  auto calendar = MakeIcuCalendar();
  for (std::size_t i = 0; i < ring.days.size(); ++i) {
    const Fields icu = IcuFieldsFromDay(*calendar, ring.days[i]);
    const Fields& closed = ring.fields[i];
    if (icu.year != closed.year || icu.month != closed.month || icu.day != closed.day) {
      Fail("ICU and the closed form disagree");
    }
    if (IcuDayFromFields(*calendar, closed) != ring.days[i]) Fail("ICU fields to day differs");
    if (ShamsiToMiladi(ring.texts[i]) != ring.days[i]) Fail("closed form does not round-trip");
    if (engine.MiladiToShamsi(ring.days[i]) != ring.texts[i]) Fail("engine MiladiToShamsi differs");
    if (engine.ShamsiToMiladi(ring.texts[i]) != ring.days[i]) Fail("engine ShamsiToMiladi differs");
  }
  for (int32_t day : TheLunarRing().all) {
    const QamariDate lunar = QamariFromDay(day);
    if (DayFromQamari(lunar.year, lunar.month, lunar.day) != day) {
      Fail("lunar date does not round-trip");
    }
  }
}

}  // namespace
}  // namespace tavilo::bench

int main(int argc, char** argv) {
  tavilo::bench::CheckAgreement();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
