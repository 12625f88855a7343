#!/usr/bin/env bash
# What the drop-down strip costs while it runs, measured on the whole running
# program under Wine, in a private Xvfb, prefix and wineserver of its own.
#
#   bench/strip/measure.sh
#
# CPU: the CPU time of the program's Wine process, the wineserver and Xvfb
# together (each thread's schedstat run time; utime+stime when a thread came
# or went meanwhile), per wall second, over TAVILO_STRIP_BENCH_SECONDS
# (default 20) of each case, in TAVILO_STRIP_BENCH_ROUNDS (default 3)
# interleaved rounds (the order of the cases turns each round);
# TAVILO_STRIP_BENCH_CASES picks cases; TAVILO_STRIP_BENCH_NIGHTLY=1 arms a
# nightly shutdown schedule for tavilo.exe. Cases:
#   parked      tavilo.exe, pointer away; measured from 15 s after start, once
#               the strip has slid up by itself (first ten-second check);
#   down        tavilo.exe in use, the pointer moving along the strip's top
#               row ten times a second: the strip stays down while the
#               pointer is over it, so every move reaches a strip at rest;
#   hello       a window of the strip's size and style (layered, red colour
#               key), parked, with no timer (HelloWindow.cpp);
#   naive       the same window down, the naive counter: a 1 ms timer whose
#               every tick invalidates the whole window, painted with two
#               lines of plain DrawTextW (running time and date line).
# The cases with the pointer on the strip all get the same pointer moves.
# Start-up: launch to the first painted pixels of the parked rows on the
# screen (FirstPaint.cpp), tavilo.exe and hello alternately, median of
# TAVILO_STRIP_BENCH_STARTUPS (default 9) each after one warm-up start.
# Memory: VmRSS, RssAnon (anonymous resident pages: the program's private
# memory under Wine, whose PrivateUsage is 0) and private pages of the Wine
# process (tavilo.exe parked, and hello), with the largest holders of the
# anonymous pages (holders.awk).
# Start-up times depend heavily on the machine's load: run it on a quiet one.
# Size: tavilo.exe as built, its imported DLLs checked against the prefix's
# system DLLs. Month paint: MonthPaint.cpp, the calendar grid composing a
# month against 42 plain DrawTextW cells.
#
# Build tree: TAVILO_STRIP_BENCH_BUILD_DIR (default build/strip-bench). The
# raw figures go to <build>/results.txt, the medians and verdicts
# (summary.awk) to <build>/summary.txt, both also to stdout.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${TAVILO_STRIP_BENCH_BUILD_DIR:-$root/build/strip-bench}
rounds=${TAVILO_STRIP_BENCH_ROUNDS:-3}
seconds=${TAVILO_STRIP_BENCH_SECONDS:-20}
startups=${TAVILO_STRIP_BENCH_STARTUPS:-9}
all_cases="parked down hello naive"
read -ra cases <<<"${TAVILO_STRIP_BENCH_CASES:-$all_cases}"

cd "$root"
program= jiggler=
cleanup() {
  [[ -n $jiggler ]] && kill "$jiggler" 2>/dev/null
  [[ -n $program ]] && kill "$program" 2>/dev/null
  stop_bench_session
}
trap cleanup EXIT
. bench/strip/session.sh strip_hello strip_naive strip_month_paint
g++ -std=c++20 -O2 -Wall -Wextra -o "$build/first_paint" bench/strip/FirstPaint.cpp -lX11
xvfb_pid=$(awk '$1 == "Xvfb" { print $2 }' "$TAVILO_WINE_SESSION_DIR/pids")
server_pid=$(awk '$1 == "wineserver" { print $2 }' "$TAVILO_WINE_SESSION_DIR/pids")
[[ -n $xvfb_pid && -n $server_pid ]] || { echo "measure: session without Xvfb" >&2; exit 1; }

# Prayer reminders on (a place, and each time reminded at the time), so the
# parked figure includes the reminder scheduler and its one timer.
"$WINELOADER" reg add 'HKCU\Software\Tavilo' /v PrayerPlace /t REG_DWORD /d 112931 /f >/dev/null
for time in Fajr Sunrise Dhuhr Sunset Maghrib Midnight; do
  "$WINELOADER" reg add 'HKCU\Software\Tavilo' /v "PrayerReminder$time" /t REG_DWORD /d 0 /f >/dev/null
done
# TAVILO_STRIP_BENCH_NIGHTLY=1: a nightly shutdown schedule armed at start
# (a schedule that waits: one timer, at its warning), with the strip parked.
nightly=${TAVILO_STRIP_BENCH_NIGHTLY:-0}
"$WINELOADER" reg add 'HKCU\Software\Tavilo' /v ScheduleNightlyArmed /t REG_DWORD /d "$nightly" /f \
  >/dev/null

eval "$(xdotool getdisplaygeometry --shell)"
strip_left=$((WIDTH - 351))  # 350 pixels wide, one pixel short of the edge
strip_x=$((strip_left + 175))
results=$build/results.txt
: >"$results"
report() { echo "$*" | tee -a "$results"; }

exe_of() {
  case $1 in
    tavilo | parked | down) echo "$bin/tavilo.exe" ;;
    *) echo "$bin/strip_$1.exe" ;;
  esac
}

launch() {
  env LC_ALL=en_US.UTF-8 "$WINELOADER" "$1" >/dev/null 2>&1 &
  program=$!
}

end_program() {
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  program=
  sleep 1  # let the server forget the process
}

# CPU nanoseconds of a process: the sum over its threads' schedstat, which
# is exact; when a thread came or went meanwhile, the caller falls back to
# utime+stime (10 ms ticks, but counting ended threads too).
cpu_sample() {
  local pid=$1 stat run total=0 fields
  for stat in /proc/"$pid"/task/*/schedstat; do
    read -r run _ <"$stat" 2>/dev/null && total=$((total + run))
  done
  read -ra fields <<<"$(sed 's/.*) //' /proc/"$pid"/stat)"
  # utime, stime are fields 14, 15 of stat: 12, 13 after the name is cut.
  local ticks_ns=$(((fields[11] + fields[12]) * 1000000000 / $(getconf CLK_TCK)))
  echo "$total $ticks_ns $(ls /proc/"$pid"/task | tr '\n' ,)"
}

cpu_used_ns() {
  local before=($1) after=($2)
  if [[ ${before[2]} == "${after[2]}" ]]; then
    echo $((after[0] - before[0]))
  else
    echo $((after[1] - before[1]))
  fi
}

# The strip's top edge on the screen, from Wine's X window named Tavilo (its
# title), or "?" when there is none.
strip_top() {
  local window
  window=$(xdotool search --name '^Tavilo$' 2>/dev/null | head -n1) || true
  [[ -n $window ]] || { echo "?"; return; }
  xdotool getwindowgeometry --shell "$window" | awk -F= '$1 == "Y" { print $2 }'
}

# One chained xdotool: the pointer along the strip's top row ten times a
# second.
start_jiggler() {
  local steps=$(($1 * 10)) moves=() i
  for ((i = 0; i < steps; i++)); do
    moves+=(mousemove $((strip_x + i % 2 * 3)) 0 sleep 0.1)
  done
  xdotool "${moves[@]}" &
  jiggler=$!
}

stop_jiggler() {
  kill "$jiggler" 2>/dev/null || true
  wait "$jiggler" 2>/dev/null || true
  jiggler=
}

memory_of() {
  local pid=$1
  awk '/^VmRSS:|^RssAnon:/ { printf "%s=%d ", $1, $2 }' /proc/"$pid"/status
  awk '/^Private_(Clean|Dirty):/ { sum += $2 } END { printf "Private=%d\n", sum }' \
    /proc/"$pid"/smaps_rollup
}

# The program's image ("name:base+size", hex) from its PE header, for
# holders.awk.
image_range() {
  x86_64-w64-mingw32-objdump -p "$1" | awk -v name="$(basename "$1")" '
    $1 == "ImageBase" { base = $2 } $1 == "SizeOfImage" { size = $2 }
    END { printf "%s:%s+%s\n", name, base, size }'
}

# The largest holders of the process's private memory (holders.awk).
holders_of() {
  awk -v images="$(image_range "$2")" -f bench/strip/holders.awk /proc/"$1"/smaps
}

# measure <case> <round>: one line "cpu <case> <round> exe% server% xvfb% total%".
measure() {
  local case=$1 round=$2 settle=3 t0 t1 top0 top1 used wall
  local -A before after
  xdotool mousemove 300 500
  launch "$(exe_of "$case")"
  [[ $case == parked ]] && settle=15
  case $case in
    down | naive) start_jiggler $((settle + seconds + 2)) ;;
  esac
  sleep "$settle"
  if [[ $case == parked || $case == hello ]]; then
    report "memory $case $round $(memory_of "$program")"
    report "holders $case $round $(holders_of "$program" "$(exe_of "$case")")"
  fi
  top0=$(strip_top)
  t0=$(date +%s%N)
  before[exe]=$(cpu_sample "$program")
  before[server]=$(cpu_sample "$server_pid")
  before[xvfb]=$(cpu_sample "$xvfb_pid")
  sleep "$seconds"
  t1=$(date +%s%N)
  after[exe]=$(cpu_sample "$program")
  after[server]=$(cpu_sample "$server_pid")
  after[xvfb]=$(cpu_sample "$xvfb_pid")
  top1=$(strip_top)
  [[ -n $jiggler ]] && stop_jiggler
  end_program
  wall=$((t1 - t0))
  local line="cpu $case $round" total=0 part
  for part in exe server xvfb; do
    used=$(cpu_used_ns "${before[$part]}" "${after[$part]}")
    total=$((total + used))
    line+=" $(awk -v u="$used" -v w="$wall" 'BEGIN { printf "%.3f", 100 * u / w }')"
  done
  line+=" $(awk -v u="$total" -v w="$wall" 'BEGIN { printf "%.3f", 100 * u / w }')"
  report "$line top $top0 $top1"
}

# startup <case> <round>: round 0 is a warm-up and not reported.
startup() {
  local case=$1 round=$2 ms
  ms=$("$build/first_paint" "$strip_left" 0 350 2 20000 \
    env LC_ALL=en_US.UTF-8 "$WINELOADER" "$(exe_of "$case")")
  ((round == 0)) || report "startup $case $round $ms"
  sleep 1
}

cpu_model=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2-)
report "# strip benchmark $(date -u +%FT%TZ); $(nproc) cores,$cpu_model"
report "# $("$WINELOADER" --version), Xvfb ${WIDTH}x${HEIGHT}, $seconds s per case, $rounds rounds"
report "# cpu <case> <round> exe% wineserver% Xvfb% total% top <strip Y at start> <at end>"

xdotool mousemove 300 500
startup tavilo 0  # warm-up
startup hello 0
for ((run = 1; run <= startups; run++)); do
  if ((run % 2)); then
    startup tavilo "$run"; startup hello "$run"
  else
    startup hello "$run"; startup tavilo "$run"
  fi
done

for ((round = 1; round <= rounds; round++)); do
  for ((i = 0; i < ${#cases[@]}; i++)); do
    measure "${cases[(i + round - 1) % ${#cases[@]}]}" "$round"
  done
done

report "$(env LC_ALL=en_US.UTF-8 "$WINELOADER" "$bin/strip_month_paint.exe")"

tavilo=$bin/tavilo.exe
report "size tavilo.exe $(stat -c %s "$tavilo")"
x86_64-w64-mingw32-strip -o "$build/tavilo-stripped.exe" "$tavilo"
report "size tavilo.exe-stripped $(stat -c %s "$build/tavilo-stripped.exe")"
system32=$WINEPREFIX/drive_c/windows/system32
while read -r dll; do
  if [[ -n $(find "$system32" -maxdepth 1 -iname "$dll" -print -quit) ]]; then
    report "dll $dll system"
  else
    report "dll $dll NOT-A-SYSTEM-DLL"
  fi
done < <(x86_64-w64-mingw32-objdump -p "$tavilo" | awk '/DLL Name:/ { print $3 }')

awk -f "$root/bench/strip/summary.awk" "$results" | tee "$build/summary.txt"
