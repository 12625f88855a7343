#!/usr/bin/env bash
# End to end with the real program and the real pointer:
#   1. tavilo.exe starts with its strip at the top-right corner, comes down
#      and parks itself above the screen edge on the ten-second check;
#   2. the pointer touches the strip left on the screen: the strip comes down
#      (screenshot);
#   3. a right-button press on the strip opens the popup menu, a window of
#      class #32768 (screenshot);
#   4. a click on its last item, Exit, ends the program.
#   strip-menu-exit.sh <e2e_window_probe.exe>
# Needs TAVILO_EXE and the shared test session (ctest provides both).
set -euo pipefail

probe=${1:?usage: $0 <e2e_window_probe.exe>}
exe=${TAVILO_EXE:?TAVILO_EXE names tavilo.exe}
. "${TAVILO_SOURCE_DIR:?}/scripts/wine-env.sh"
[[ -n ${DISPLAY:-} ]] || { echo "no display: run it under ctest" >&2; exit 1; }
export DISPLAY

shots=$TAVILO_WINE_BUILD_DIR/screenshots
mkdir -p "$shots"
program=

fail() {
  echo "e2e: $*" >&2
  import -window root "$shots/e2e-strip-failure.png" 2>/dev/null || true
  exit 1
}
cleanup() {
  if [[ -n $program ]] && kill -0 "$program" 2>/dev/null; then
    kill "$program" 2>/dev/null || true
  fi
}
trap cleanup EXIT

# Runs `command` every 0.1 s until it succeeds; fails once `seconds` of
# wall-clock time have passed (each probe itself may take a while when the
# machine is busy).
wait_for() {
  local seconds=$1 what=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    ((SECONDS < deadline)) || fail "timed out after $seconds s waiting for $what"
    sleep 0.1
  done
}

# Sets LEFT TOP RIGHT BOTTOM of the visible window of class $1 (screen pixels).
locate() {
  local rect
  rect=$("$TAVILO_WINE_RUN" "$probe" "$1" 2>/dev/null | tr -d '\r') || return 1
  read -r LEFT TOP RIGHT BOTTOM <<<"$rect"
}

strip_shown() { locate TaviloForm1; }
# Down: at most 30 twips (two pixels) above the screen edge.
strip_down() { locate TaviloForm1 && ((TOP >= -2 && TOP <= 0)); }
# Parked: one or two pixel rows left on the screen.
strip_parked() { locate TaviloForm1 && ((BOTTOM >= 1 && BOTTOM <= 2)); }
menu_open() { locate '#32768'; }
program_ended() { ! kill -0 "$program" 2>/dev/null; }

# The pointer moves along the strip's visible rows until it has come down.
# Its ten-second check may send it up again at any moment: keep touching it.
touch_strip() {
  strip_down && return 0
  locate TaviloForm1 || fail "the strip is gone"
  xdotool mousemove $(((LEFT + RIGHT) / 2 + RANDOM % 20)) 0
  return 1
}

click_at() {
  xdotool mousemove "$1" "$2"
  sleep 0.2
  xdotool mousedown "$3"
  sleep 0.05
  xdotool mouseup "$3"
}

eval "$(xdotool getdisplaygeometry --shell)"
screen_width=$WIDTH
# Keep the pointer off the strip until the test moves it there.
xdotool mousemove $((screen_width / 2)) 400

"$TAVILO_WINE_RUN" "$exe" >/dev/null 2>&1 &
program=$!

wait_for 60 "the strip" strip_shown
((RIGHT - LEFT == 350 && BOTTOM - TOP == 138)) ||
  fail "strip is $((RIGHT - LEFT)) x $((BOTTOM - TOP)) pixels, not 350 x 138"
((RIGHT == screen_width - 1)) || fail "strip's right edge at $RIGHT, not $((screen_width - 1))"
echo "e2e: strip at $LEFT,$TOP"

# Down from the start until the ten-second check (the first one may fall
# inside the slide and pass), then parked.
wait_for 60 "the strip to come down at start" strip_down
wait_for 60 "the strip to park itself" strip_parked
echo "e2e: parked with $BOTTOM pixel rows on the screen"

wait_for 30 "the strip to come down under the pointer" touch_strip
sleep 0.3  # let it paint
locate TaviloForm1 || fail "the strip is gone"
import -window root -crop "360x150+$((LEFT - 5))+0" +repage "$shots/e2e-strip-down.png"
echo "e2e: down at $LEFT,$TOP; screenshot $shots/e2e-strip-down.png"

# A right-button press on a bare spot of the strip's surface, right of the
# counter (labels swallow the press). Should the ten-second check have sent
# the strip up just before it, the press finds nothing: bring it down again.
for attempt in 1 2 3 4 5; do
  if ((attempt > 1)); then
    echo "e2e: no menu on attempt $((attempt - 1)); again"
    xdotool key Escape  # in case the menu opened late
    wait_for 30 "the strip to come down under the pointer" touch_strip
  fi
  click_at $((LEFT + 230)) $((TOP + 50)) 3
  deadline=$((SECONDS + 5))
  until menu_open || ((SECONDS >= deadline)); do sleep 0.1; done
  menu_open && break
  ((attempt < 5)) || fail "no popup menu after $attempt right-button presses"
done
menu_left=$LEFT menu_top=$TOP menu_right=$RIGHT menu_bottom=$BOTTOM
sleep 0.3  # let it paint
import -window root -crop "$((menu_right - menu_left + 380))x$((menu_bottom + 10))+$((menu_left - 190))+0" \
  +repage "$shots/e2e-menu-open.png"
echo "e2e: popup menu at $menu_left,$menu_top-$menu_right,$menu_bottom;" \
  "screenshot $shots/e2e-menu-open.png"

# Exit is the last of three equally tall items (there are no separators).
item_height=$(((menu_bottom - menu_top) / 3))
click_at $(((menu_left + menu_right) / 2)) $((menu_bottom - item_height / 2)) 1
wait_for 30 "tavilo.exe to end" program_ended
status=0
wait "$program" || status=$?
program=
((status == 0)) || fail "tavilo.exe ended with status $status"
strip_shown && fail "the strip is still on the screen"
echo "e2e: Exit ended tavilo.exe; passed"
