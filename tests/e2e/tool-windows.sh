#!/usr/bin/env bash
# End to end with the real program and the real pointer:
#   1. the date converter and the transparency window are opened from the
#      Settings submenu of the strip's popup menu, the About window from the
#      menu itself; each is photographed;
#   2. the About window is closed with its close box: it glides right to the
#      screen's edge, then down until it is below the screen, and only then
#      is it gone;
#   3. Exit ends the program.
#   tool-windows.sh <e2e_tools_probe.exe>
# Needs TAVILO_EXE and the shared test session (ctest provides both).
set -euo pipefail

probe=${1:?usage: $0 <e2e_tools_probe.exe>}
exe=${TAVILO_EXE:?TAVILO_EXE names tavilo.exe}
. "${TAVILO_SOURCE_DIR:?}/scripts/wine-env.sh"
[[ -n ${DISPLAY:-} ]] || { echo "no display: run it under ctest" >&2; exit 1; }
export DISPLAY

shots=$TAVILO_WINE_BUILD_DIR/screenshots
mkdir -p "$shots"
program=
watcher=

fail() {
  echo "e2e: $*" >&2
  import -window root "$shots/e2e-tools-failure.png" 2>/dev/null || true
  exit 1
}
cleanup() {
  for pid in $program $watcher; do
    kill -0 "$pid" 2>/dev/null && kill "$pid" 2>/dev/null || true
  done
}
trap cleanup EXIT

# Runs `command` every 0.1 s until it succeeds; fails after `seconds`.
wait_for() {
  local seconds=$1 what=$2
  shift 2
  local tries=$((seconds * 10))
  until "$@"; do
    ((--tries > 0)) || fail "timed out waiting for $what"
    sleep 0.1
  done
}

rects() { "$TAVILO_WINE_RUN" "$probe" rects "$1" 2>/dev/null | tr -d '\r'; }
# Sets LEFT TOP RIGHT BOTTOM of the first visible window of class $1.
locate() {
  local rect
  rect=$(rects "$1" | head -n 1)
  [[ -n $rect ]] || return 1
  read -r LEFT TOP RIGHT BOTTOM <<<"$rect"
}
menu_count() { rects '#32768' | wc -l; }
one_menu() { (($(menu_count) == 1)) && locate '#32768'; }
two_menus() { (($(menu_count) == 2)); }
no_menu() { (($(menu_count) == 0)); }
strip_down() { locate TaviloForm1 && ((TOP >= -2 && TOP <= 0)); }
program_ended() { ! kill -0 "$program" 2>/dev/null; }

click_at() {
  xdotool mousemove "$1" "$2"
  sleep 0.2
  xdotool mousedown "$3"
  sleep 0.05
  xdotool mouseup "$3"
}

# The strip comes down under the pointer moving along its visible rows. Its
# ten-second check may send it up again at any moment: keep touching it.
touch_strip() {
  strip_down && return 0
  locate TaviloForm1 || fail "the strip is gone"
  local x=$(((LEFT + RIGHT) / 2 + RANDOM % 20))
  xdotool mousemove "$x" 0
  return 1
}
bring_strip_down() { wait_for 15 "the strip to come down" touch_strip; }

# Opens the popup menu on a bare spot of the strip; sets MENU_* and ITEM_H.
open_menu() {
  local attempt
  for attempt in 1 2 3; do
    bring_strip_down
    click_at $((LEFT + 230)) $((TOP + 50)) 3
    local tries=30
    until one_menu; do
      ((--tries > 0)) || break
      sleep 0.1
    done
    ((tries > 0)) && break
    ((attempt < 3)) || fail "no popup menu"
    xdotool key Escape  # in case the menu opened late
  done
  MENU_LEFT=$LEFT MENU_TOP=$TOP MENU_RIGHT=$RIGHT MENU_BOTTOM=$BOTTOM
  # Settings, About, Exit: three equally tall items, no separators.
  ITEM_H=$(((MENU_BOTTOM - MENU_TOP) / 3))
  sleep 0.3
}

# Chooses item $1 (from 1) of the Settings submenu: play, turn off, date
# converter, transparency.
choose_setting() {
  open_menu
  xdotool mousemove $(((MENU_LEFT + MENU_RIGHT) / 2)) $((MENU_TOP + ITEM_H / 2))
  wait_for 5 "the Settings submenu" two_menus
  local rect sub
  while read -r rect; do
    [[ $rect == "$MENU_LEFT $MENU_TOP $MENU_RIGHT $MENU_BOTTOM" ]] || sub=$rect
  done < <(rects '#32768')
  read -r LEFT TOP RIGHT BOTTOM <<<"$sub"
  sleep 0.3
  import -window root "$shots/e2e-tools-submenu.png"
  local item_h=$(((BOTTOM - TOP) / 4))
  # Along the submenu's own row first, so the pointer never crosses the menu.
  xdotool mousemove $(((LEFT + RIGHT) / 2)) $((MENU_TOP + ITEM_H / 2))
  sleep 0.2
  click_at $(((LEFT + RIGHT) / 2)) $((TOP + item_h * ($1 - 1) + item_h / 2)) 1
  wait_for 5 "the menu to close" no_menu
}

# Photographs the window of class $1 as $2.png once it is shown.
photograph() {
  wait_for 10 "window $1" locate "$1"
  sleep 1.2  # painted, and the converter's caption partly typed
  locate "$1"
  import -window root -crop "$((RIGHT - LEFT))x$((BOTTOM - TOP))+$LEFT+$TOP" +repage \
    "$shots/$2.png"
  echo "e2e: $1 at $LEFT,$TOP-$RIGHT,$BOTTOM; screenshot $shots/$2.png"
}

eval "$(xdotool getdisplaygeometry --shell)"
screen_width=$WIDTH screen_height=$HEIGHT
xdotool mousemove $((screen_width / 2)) 400

"$TAVILO_WINE_RUN" "$exe" >/dev/null 2>&1 &
program=$!
wait_for 30 "the strip" locate TaviloForm1
wait_for 15 "the strip to come down at start" strip_down

choose_setting 3
photograph TaviloDateConvert e2e-date-convert
choose_setting 4
photograph TaviloFrmTrans e2e-transparency
open_menu
click_at $(((MENU_LEFT + MENU_RIGHT) / 2)) $((MENU_TOP + ITEM_H + ITEM_H / 2)) 1
photograph TaviloFrmAbout e2e-about
about_left=$LEFT about_top=$TOP about_width=$((RIGHT - LEFT)) about_height=$((BOTTOM - TOP))

# The close box: the last button of the caption, top right of the frame
# (Wine draws frames itself: the session hands no window to a manager).
trail=$shots/e2e-about-slide.txt
"$TAVILO_WINE_RUN" "$probe" watch TaviloFrmAbout >"$trail" 2>/dev/null &
watcher=$!
wait_for 10 "the watcher" test -s "$trail"
click_at $((about_left + about_width - 13)) $((about_top + 11)) 1
wait "$watcher" || fail "the About window did not go"
watcher=
tr -d '\r' <"$trail" >"$trail.tmp" && mv "$trail.tmp" "$trail"
[[ $(tail -n 1 "$trail") == gone ]] || fail "no end in $trail"
positions=$(($(wc -l <"$trail") - 1))
read -r last_left last_top _ <<<"$(tail -n 2 "$trail" | head -n 1)"
echo "e2e: About slid through $positions positions to $last_left,$last_top before it went"
((positions > 20)) || fail "the About window went after only $positions positions"
((last_left + about_width >= screen_width)) || fail "it never reached the right edge"
# Sampled, so the last positions (a further window height down) may be
# missed; it must at least have been wholly below the screen.
((last_top >= screen_height)) || fail "it went while still on the screen"
# First right along its row, then straight down.
awk -v top="$about_top" '
  NF == 4 { if (phase == 0 && $2 != top) { phase = 1; left = $1 }
            if (phase == 0 && $1 < prev) bad = 1
            if (phase == 1 && $1 != left) bad = 1
            prev = $1 }
  END { exit bad }' "$trail" || fail "the About window did not go right, then down: $trail"
locate TaviloFrmAbout && fail "the About window is still there"
locate TaviloDateConvert || fail "the converter closed with the About window"

open_menu
click_at $(((MENU_LEFT + MENU_RIGHT) / 2)) $((MENU_BOTTOM - ITEM_H / 2)) 1
wait_for 10 "tavilo.exe to end" program_ended
status=0
wait "$program" || status=$?
program=
((status == 0)) || fail "tavilo.exe ended with status $status"
echo "e2e: tool windows passed"
