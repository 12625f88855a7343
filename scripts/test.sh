#!/usr/bin/env bash
# Builds and tests everything from a fresh Debian 12 machine:
#   1. installs the missing Debian packages (as root; otherwise names them),
#   2. native build (host g++, AddressSanitizer + UBSan) and its tests,
#   3. MinGW build (tavilo.exe and the Windows tests) and its tests under
#      Wine, in a private Xvfb display (TAVILO_TEST_ON_DISPLAY=1 keeps
#      $DISPLAY instead),
#   4. a short libFuzzer run of the calendar engine (when fuzz/ has one).
# Ends with "N passed, N failed" and a non-zero status on any failure.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
. scripts/deps.sh
tavilo_ensure_packages || exit 1

# Without a DISPLAY the Wine session starts its own 1280x800 Xvfb.
if [[ ${TAVILO_TEST_ON_DISPLAY:-0} != 1 ]]; then
  unset DISPLAY
fi
fuzz_seconds=${TAVILO_FUZZ_SECONDS:-30}
logs=$root/build/logs
mkdir -p "$logs"

passed=0
failed=0
problems=()

# Never leave a Wine session behind, even when interrupted.
trap 'bash scripts/wine-session.sh stop "$root/build/mingw" >/dev/null 2>&1' EXIT

note_problem() {
  problems+=("$1")
  failed=$((failed + 1))
  echo "*** $1" >&2
}

# Adds one ctest run's counts, read from its summary line
# "NN% tests passed, F tests failed out of T".
count_ctest_results() {
  local log=$1 preset=$2 summary total failures
  summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n1)
  if [[ -z $summary ]]; then
    if grep -q 'No tests were found' "$log"; then
      return 0
    fi
    note_problem "$preset: ctest gave no summary (see $log)"
    return 0
  fi
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
  failures=$(sed -E 's/.*, ([0-9]+) tests? failed.*/\1/' <<<"$summary")
  passed=$((passed + total - failures))
  failed=$((failed + failures))
  if ((failures > 0)); then
    problems+=("$preset: $failures of $total tests failed")
  fi
}

build_and_test() {
  local preset=$1 log=$logs/ctest-$1.log
  echo "=== $preset: configure and build"
  if ! cmake --preset "$preset"; then
    note_problem "$preset: configure failed"
    return
  fi
  if ! cmake --build --preset "$preset"; then
    note_problem "$preset: build failed"
    return
  fi
  echo "=== $preset: tests"
  ctest --preset "$preset" 2>&1 | tee "$log"
  count_ctest_results "$log" "$preset"
}

build_and_test native
build_and_test mingw

if [[ -f fuzz/run.sh ]]; then
  echo "=== fuzz: calendar engine for ${fuzz_seconds}s"
  if bash fuzz/run.sh "$fuzz_seconds" >"$logs/fuzz.log" 2>&1; then
    passed=$((passed + 1))
    tail -n 12 "$logs/fuzz.log"
  else
    tail -n 40 "$logs/fuzz.log"
    note_problem "fuzz: the calendar fuzzer failed (see $logs/fuzz.log)"
  fi
elif [[ -f fuzz/CMakeLists.txt ]]; then
  build_and_test fuzz
fi

echo
for problem in "${problems[@]}"; do
  echo "FAILED: $problem"
done
echo "$passed passed, $failed failed"
((failed == 0 && ${#problems[@]} == 0))
