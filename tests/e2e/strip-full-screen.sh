#!/usr/bin/env bash
# End to end with the real program and the real pointer:
#   1. with the strip parked, a window covering the whole screen comes in
#      front, as a full-screen program's;
#   2. the pointer touches the line the strip leaves on the screen: the strip
#      stays up and its line goes, and further touches bring nothing down;
#   3. the covering window goes: the line is back within the ten-second
#      check, a touch brings the strip down, and Exit ends the program.
#   strip-full-screen.sh <e2e_tools_probe.exe>
# Needs TAVILO_EXE and the shared test session (ctest provides both).
set -euo pipefail

e2e_name=full-screen
. "${TAVILO_SOURCE_DIR:?}/tests/e2e/session.sh"
strip_hidden() { ! locate TaviloForm1; }

pointer_away
start_tavilo
wait_for 60 "the strip to come down at start" strip_down
wait_for 60 "the strip to park itself" strip_parked
line_x=$(((LEFT + RIGHT) / 2))

cover_log=$shots/e2e-full-screen-cover.txt
"$TAVILO_WINE_RUN" "$E2E_PROBE" cover 25 >"$cover_log" 2>/dev/null &
watcher=$!
wait_for 20 "the covering window" grep -q covering "$cover_log"

xdotool mousemove "$line_x" 0
wait_for 15 "the parked line to go" strip_hidden
for offset in 10 20 30 40 50; do
  xdotool mousemove $((line_x + offset)) 0
  sleep 0.5
  strip_hidden || fail "the strip showed while the screen was covered"
done
echo "e2e: touched under a full-screen window, the strip stayed up and hidden"

wait "$watcher" || fail "the covering window could not come in front"
watcher=
xdotool mousemove $((WIDTH / 2)) 400
wait_for 30 "the parked line to come back" strip_parked
bring_strip_down
echo "e2e: the line came back and a touch brought the strip down"
exit_through_menu
echo "e2e: passed"
