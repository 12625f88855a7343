# Shared by the end-to-end scripts, which drive the real tavilo.exe with the
# real pointer and keyboard and look at its windows through e2e_tools_probe.
# Source it after setting E2E_PROBE to the probe's path; the script defines
# `fail <message>`. E2E_PROBE_BUILD_DIR names the Wine session the program
# runs in when it is not the shared one.
# shellcheck shell=bash

# Runs `command` every 0.1 s until it succeeds or `seconds` have passed on
# the clock (however long each try takes); returns whether it succeeded.
poll() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}
# The same, failing the test when time runs out. The limits are generous
# (two busy cores slow Wine several times over); a wait ends at success.
wait_for() {
  local seconds=$1 what=$2
  shift 2
  poll "$seconds" "$@" || fail "timed out after $seconds s waiting for $what"
}

# The probe, run in the program's Wine session; its output without the
# carriage returns, its exit status kept.
probe() {
  TAVILO_WINE_BUILD_DIR=${E2E_PROBE_BUILD_DIR:-$TAVILO_WINE_BUILD_DIR} \
    "$TAVILO_WINE_RUN" "$E2E_PROBE" "$@" 2>/dev/null | tr -d '\r'
}

# Sets LEFT TOP RIGHT BOTTOM of the first visible window of class $1.
locate() {
  local rect
  rect=$(probe rects "$1" | head -n 1) && [[ -n $rect ]] || return 1
  read -r LEFT TOP RIGHT BOTTOM <<<"$rect"
}
menu_count() { { probe rects '#32768' || true; } | wc -l; }
menu_open() { (($(menu_count) > 0)); }
no_menu() { (($(menu_count) == 0)); }

# Moves the pointer, lets Wine see it arrive, then presses and releases.
click_at() {
  xdotool mousemove "$1" "$2"
  sleep 0.2
  xdotool mousedown "${3:-1}"
  sleep 0.05
  xdotool mouseup "${3:-1}"
}

# --- The strip ---

# Down: at most 30 twips (two pixels) above the screen edge.
strip_down() { locate TaviloForm1 && ((TOP >= -2 && TOP <= 0)); }
# Parked: one or two pixel rows left on the screen.
strip_parked() { locate TaviloForm1 && ((BOTTOM >= 1 && BOTTOM <= 2)); }

# The strip comes down under the pointer moving along its visible rows. Its
# ten-second check may send it up again at any moment: keep touching it.
touch_strip() {
  strip_down && return 0
  locate TaviloForm1 || fail "the strip is gone"
  xdotool mousemove $(((LEFT + RIGHT) / 2 + RANDOM % 20)) 0
  return 1
}
bring_strip_down() { wait_for 30 "the strip to come down under the pointer" touch_strip; }

# A spot of the strip's own surface, right of the counter (the labels swallow
# presses); valid after strip_down or locate.
bare_spot_x() { echo $((LEFT + 230)); }
bare_spot_y() { echo $((TOP + 50)); }

# --- The strip's popup menu ---

# Opens it with a right-button press on the strip. Should the ten-second check
# have sent the strip up just before the press, the press finds nothing:
# bring it down and press again.
open_menu() {
  local attempt
  for attempt in 1 2 3 4 5; do
    bring_strip_down
    click_at "$(bare_spot_x)" "$(bare_spot_y)" 3
    poll 5 menu_open && return 0
    echo "e2e: no menu after right-button press $attempt"
    xdotool key Escape  # a menu that opens late closes before the next try
    poll 5 no_menu || true
  done
  fail "no popup menu after $attempt right-button presses on the strip"
}

# Sets ITEM_X ITEM_Y to the centre of the item captioned exactly $1 in an open
# popup menu, as the menu itself places it (separators and submenus
# included).
find_menu_item() {
  local rect status=0 left top right bottom
  rect=$(probe item "$1") || status=$?
  ((status != 2)) || fail "e2e_tools_probe cannot load its menu hook library"
  ((status == 0)) && [[ -n $rect ]] || return 1
  read -r left top right bottom <<<"$rect"
  ITEM_X=$(((left + right) / 2)) ITEM_Y=$(((top + bottom) / 2))
}
# Rests the pointer on an item: an item with a submenu opens it.
point_at_menu_item() {
  wait_for 10 "the menu item \"$1\"" find_menu_item "$1"
  xdotool mousemove "$ITEM_X" "$ITEM_Y"
}
# Clicks an item; the menu closes.
click_menu_item() {
  wait_for 10 "the menu item \"$1\"" find_menu_item "$1"
  click_at "$ITEM_X" "$ITEM_Y" 1
  wait_for 10 "the menu to close" no_menu
}
# Opens the menu and chooses the last caption, through the submenus of the
# ones before it: choose_from_menu 'تنظيمات' 'مبدل تاريخ'
choose_from_menu() {
  open_menu
  while (($# > 1)); do
    point_at_menu_item "$1"
    shift
  done
  click_menu_item "$1"
}

# --- Tool windows ---

# Checks the positions `e2e_tools_probe watch` wrote to file $1 while a tool
# window slid out: it went right along its row (top $2) until it reached the
# screen's right edge, then straight down until it was below the screen, and
# only then was it gone. $3 is its width; $4 $5 the screen's width and height.
check_slide_out() {
  local trail=$1 row_top=$2 width=$3 screen_width=$4 screen_height=$5
  tr -d '\r' <"$trail" >"$trail.tmp" && mv "$trail.tmp" "$trail"
  [[ $(tail -n 1 "$trail") == gone ]] || fail "no end in $trail"
  SLIDE_POSITIONS=$(($(wc -l <"$trail") - 1))
  local last_left last_top
  read -r last_left last_top _ <<<"$(tail -n 2 "$trail" | head -n 1)"
  echo "e2e: it slid through $SLIDE_POSITIONS positions to $last_left,$last_top before it went"
  ((last_left + width >= screen_width)) || fail "it never reached the right edge: $trail"
  # Sampled, so the last positions (a further window height down) may be
  # missed; it must at least have been wholly below the screen.
  ((last_top >= screen_height)) || fail "it went while still on the screen: $trail"
  awk -v top="$row_top" '
    NF == 4 { if (phase == 0 && $2 != top) { phase = 1; left = $1 }
              if (phase == 0 && $1 < prev) bad = 1
              if (phase == 1 && $1 != left) bad = 1
              prev = $1 }
    END { exit bad }' "$trail" || fail "it did not go right, then down: $trail"
}

# Esc, with the pointer on the window of class $1 (named $2 in messages and
# in the trail's file name), slides it out: right, then down off the screen,
# and it is gone. Needs screen_width and screen_height.
escape_slides_out() {
  local class=$1 name=$2 trail=$shots/e2e-$2-escape.txt top width
  locate "$class" || fail "no $name to press Esc on"
  top=$TOP width=$((RIGHT - LEFT))
  xdotool mousemove $(((LEFT + RIGHT) / 2)) $(((TOP + BOTTOM) / 2))
  sleep 0.5
  # A trail left by an earlier run must not pass for this watcher's first line.
  rm -f "$trail"
  "$TAVILO_WINE_RUN" "$E2E_PROBE" watch "$class" >"$trail" 2>/dev/null &
  watcher=$!
  wait_for 10 "the watcher" test -s "$trail"
  xdotool key Escape
  # The watcher itself gives up after 60 s.
  wait "$watcher" || fail "the $name did not go after Esc"
  watcher=
  check_slide_out "$trail" "$top" "$width" "$screen_width" "$screen_height"
  ((SLIDE_POSITIONS > 20)) || fail "the $name went after only $SLIDE_POSITIONS positions"
  ! locate "$class" || fail "the $name is still there after Esc"
}
