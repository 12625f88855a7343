#!/usr/bin/env bash
# Builds the calendar and events benchmarks as a native Release build (no
# sanitizers) and runs them, then prints the engine's speed against ICU and
# against the closed form, by CPU time, the lunar calendar's and occasions'
# times, and what the user's events cost the month view and reading.
#
# Usage: bench/run.sh [extra Google Benchmark flags...]
# Build tree: build/bench (the bench preset's), or $TAVILO_BENCH_BUILD_DIR.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TAVILO_BENCH_BUILD_DIR:-$root/build/bench}

if [[ ! -f $build/CMakeCache.txt ]]; then
  (cd "$root" && cmake --preset bench -B "$build")
fi
cmake --build "$build" --target calendar_bench events_bench moon_bench -j2

bench=$(find "$build" -type f -name calendar_bench -perm -u+x | head -n 1)
results=$build/calendar_bench.csv
"$bench" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
  --benchmark_out="$results" --benchmark_out_format=csv "$@"

# Ratios of the median CPU times; the targets are the engine's budget.
awk -F, '
  { gsub(/"/, "", $1) }
  $1 ~ /_median$/ { sub(/^BM_/, "", $1); sub(/_median$/, "", $1); cpu[$1] = $4 }
  function report(op, other, label, target, faster,   ratio, ok) {
    if (!((op "_Engine") in cpu) || !((op "_" other) in cpu)) return
    ratio = faster ? cpu[op "_" other] / cpu[op "_Engine"] : cpu[op "_Engine"] / cpu[op "_" other]
    if (target == 0) { printf "%-18s %-32s %6.2fx\n", op, label, ratio; return }
    ok = faster ? ratio >= target : ratio <= target
    printf "%-18s %-32s %6.2fx  (target %s%g: %s)\n", op, label, ratio,
           faster ? ">= " : "<= ", target, ok ? "met" : "MISSED"
  }
  END {
    report("MiladiToShamsi", "Icu", "engine speed-up over ICU", 20, 1)
    report("MiladiToShamsi", "ClosedForm", "engine time / closed form time", 3, 0)
    if (("DayToFields_Engine" in cpu) && ("MiladiToShamsi_Icu" in cpu))
      printf "%-18s %-32s %6.2fx\n", "DayToFields", "engine arithmetic over ICU",
             cpu["MiladiToShamsi_Icu"] / cpu["DayToFields_Engine"]
    report("ShamsiToMiladi", "Icu", "engine speed-up over ICU", 0, 1)
    report("ShamsiToMiladi", "ClosedForm", "engine time / closed form time", 1.5, 0)
    # The lunar calendar and the occasions: well under a microsecond a call.
    n = split("QamariFromDay_Announced QamariFromDay_Estimated OccasionsOn_NoOccasion " \
              "OccasionsOn_AnyDay IsDayOff", lunar, " ")
    for (i = 1; i <= n; ++i)
      if (lunar[i] in cpu)
        printf "%-26s %8.1f ns  (target < 1000 ns: %s)\n", lunar[i], cpu[lunar[i]],
               cpu[lunar[i]] < 1000 ? "met" : "MISSED"
  }' "$results"

# The user's events: ratios of median CPU times within one run.
events=$(find "$build" -type f -name events_bench -perm -u+x | head -n 1)
events_results=$build/events_bench.csv
"$events" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_out="$events_results" --benchmark_out_format=csv "$@" >/dev/null
awk -F, '
  { gsub(/"/, "", $1) }
  $1 ~ /_median$/ { sub(/^BM_/, "", $1); sub(/_median$/, "", $1); cpu[$1] = $4 }
  function ratio(slow, base, label, target,   r) {
    r = cpu[slow] / cpu[base]
    printf "%-44s %6.2fx  (target <= %.1f: %s)\n", label, r, target, r <= target ? "met" : "MISSED"
  }
  END {
    ratio("MonthView_1000Events", "MonthView_NoEvents", "month view with 1,000 events / without", 1.5)
    ratio("File10000_Events", "File10000_Lines", "reading 10,000 events / their lines", 3)
    printf "%-44s %6.2fx  (from memory, no file read)\n", "parsing them / splitting the lines",
           cpu["Read10000_Events"] / cpu["Read10000_Lines"]
    printf "%-44s %6.1f us\n", "arranging 1,000 events for the view", cpu["Arrange1000Events"] / 1000
  }' "$events_results"

# The Moon in Scorpio: a month's periods well under a millisecond.
moon=$(find "$build" -type f -name moon_bench -perm -u+x | head -n 1)
moon_results=$build/moon_bench.csv
"$moon" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_out="$moon_results" --benchmark_out_format=csv "$@" >/dev/null
awk -F, '
  { gsub(/"/, "", $1) }
  $1 ~ /_median$/ { sub(/^BM_/, "", $1); sub(/_median$/, "", $1); cpu[$1] = $4 }
  END {
    t = cpu["MoonInScorpioPeriods_Month"] / 1000
    printf "%-44s %6.1f us  (target < 1000 us: %s)\n", "a month of the Moon in Scorpio", t, t < 1000 ? "met" : "MISSED"
    printf "%-44s %6.1f us\n", "the Moon in Scorpio text of one day", cpu["MoonInScorpioDayText"] / 1000
  }' "$moon_results"
