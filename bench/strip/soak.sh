#!/usr/bin/env bash
# Does the program grow while it runs? Starts the real tavilo.exe under Wine
# (a private Xvfb, prefix and wineserver, like measure.sh) and drives it with
# soak_driver.exe: slide cycles of the strip and open/close cycles of every
# tool window, by posting the timer, mouse and menu-command messages. Reports
# live GDI objects, owned windows and the Wine process's anonymous resident
# memory (RssAnon) after a warm-up and at the end.
#
#   bench/strip/soak.sh            1,000 slide cycles, 100 tool-window cycles
#   bench/strip/soak.sh --long     10,000 and 1,000
#   TAVILO_SOAK_SLIDES=N TAVILO_SOAK_TOOL_CYCLES=M bench/strip/soak.sh
#
# Goal: no growth beyond noise, at most 1 MB and 10 objects. Not part of the
# test command: it takes minutes (--long: an hour or more).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${TAVILO_STRIP_BENCH_BUILD_DIR:-$root/build/strip-bench}
slides=${TAVILO_SOAK_SLIDES:-1000}
tool_cycles=${TAVILO_SOAK_TOOL_CYCLES:-100}
if [[ ${1:-} == --long ]]; then
  slides=10000
  tool_cycles=1000
fi

cd "$root"
program=
cleanup() {
  [[ -n $program ]] && kill "$program" 2>/dev/null
  stop_bench_session
}
trap cleanup EXIT
. bench/strip/session.sh strip_soak_driver

env LC_ALL=en_US.UTF-8 "$WINELOADER" "$bin/tavilo.exe" >/dev/null 2>&1 &
program=$!
rss_anon() { awk '/^RssAnon:/ { print $2 }' /proc/"$program"/status; }

echo "soak: $slides slide cycles, $tool_cycles tool-window cycles"
start=$SECONDS
while read -r when counts; do
  echo "$when $counts rss_anon_kb=$(rss_anon)"
done < <(env LC_ALL=en_US.UTF-8 "$WINELOADER" "$bin/strip_soak_driver.exe" "$slides" "$tool_cycles")
echo "soak: $((SECONDS - start)) s"
