#!/usr/bin/env bash
# End to end with the real program, the real pointer and the real keyboard:
#   1. on the parked strip, a mouse move, a click and a move a few
#      milliseconds apart (the move starts the slide down, the click the
#      slide up), then a short random pause before the pointer leaves; ten
#      rounds, each from the parked strip: after each the strip comes to
#      rest, parked or down, and takes input, and at the end a right-button
#      press still opens its menu, which Esc closes;
#   2. in the date converter opened from the menu, a date typed into the
#      three boxes (Tab from the selected option to each) and Enter: the
#      converted date shows in the three result boxes (screenshot);
#   3. Esc on the About window slides it out, right and then down off the
#      screen, and it is gone; the converter stays;
#   4. Exit ends the program.
#   strip-race-and-keys.sh <e2e_tools_probe.exe>
# Needs TAVILO_EXE and the shared test session (ctest provides both).
set -euo pipefail

e2e_name=race-keys
. "${TAVILO_SOURCE_DIR:?}/tests/e2e/session.sh"

# At rest: parked or down, taking input, and neither moving nor changing that
# for half a second. A strip caught between its two motions moves a step
# each way every few milliseconds and takes no input. Sets LEFT TOP RIGHT
# BOTTOM ENABLED and REST_STATE.
strip_at_rest() {
  local state status=0
  state=$(probe rest TaviloForm1 500) || status=$?
  [[ -n $state ]] || { REST_STATE="no strip"; return 1; }
  read -r LEFT TOP RIGHT BOTTOM ENABLED <<<"$state"
  REST_STATE="$LEFT,$TOP-$RIGHT,$BOTTOM, enabled $ENABLED"
  ((status == 0)) || { REST_STATE+=", never still for half a second"; return 1; }
  ((ENABLED == 1)) && { ((BOTTOM >= 1 && BOTTOM <= 2)) || ((TOP >= -2 && TOP <= 0)); }
}

away_x=$((screen_width / 2)) away_y=400
pointer_away
start_tavilo

# --- 1. Click and mouse move racing on the parked strip ---

# Parks the strip for a round. It must first come to rest (a strip caught
# between its two motions never does); a click sends one resting down up.
park_strip() {
  poll 30 strip_at_rest || fail "$1 the strip did not come to rest: $REST_STATE"
  ((BOTTOM <= 2)) && return 0
  click_at "$(bare_spot_x)" "$(bare_spot_y)" 1
  xdotool mousemove "$away_x" "$away_y"
  wait_for 30 "the strip to park" strip_parked
}

wait_for 60 "the strip to come down at start" strip_down
# The move onto the strip's visible row starts the slide down; the click,
# queued right behind it, comes before the first step and starts the slide
# up; the last move lands on the strip while either may still run.
for round in {1..10}; do
  park_strip "before round $round"
  x=$(((LEFT + RIGHT) / 2 + RANDOM % 40 - 20))
  xdotool mousemove "$x" 0 click 1 mousemove "$x" 1
  sleep "0.$((RANDOM % 3))$((RANDOM % 10))"
  xdotool mousemove "$away_x" "$away_y"
done
poll 30 strip_at_rest || fail "after the last round the strip did not come to rest: $REST_STATE"
echo "e2e: at rest after 10 rounds from the parked strip: $REST_STATE"

open_menu
echo "e2e: the strip still opens its menu"
xdotool key Escape
wait_for 10 "Esc to close the menu" no_menu

# --- 2. Enter in the date converter ---

choose_from_menu 'تنظيمات' 'مبدل تاريخ'
wait_for 15 "the date converter" locate TaviloDateConvert
convert_left=$LEFT convert_top=$TOP convert_right=$RIGHT convert_bottom=$BOTTOM
# Keys go to the window under the pointer (no window manager).
xdotool mousemove $(((LEFT + RIGHT) / 2)) $((BOTTOM - 20))
sleep 0.5
# Not today's date, so that the result cannot be today's date shown by mistake.
# The focus starts on the selected option Gregorian to Shamsi; Tab goes to
# the year, month and day boxes in turn.
xdotool key Tab
xdotool type 2024
xdotool key Tab
xdotool type 3
xdotool key Tab
xdotool type 20
xdotool key Return

# The boxes by control id: 103-105 typed, 107-109 converted.
# Sets DATE to the texts of the converter's boxes $1 $2 $3 as year/month/day.
read_date() {
  DATE="$(probe text TaviloDateConvert "$1")/$(probe text TaviloDateConvert "$2")"
  DATE+="/$(probe text TaviloDateConvert "$3")"
}
typed_date() { read_date 103 104 105 && [[ $DATE == 2024/3/20 ]]; }
converted_date() { read_date 107 108 109 && [[ $DATE == 1403/01/01 ]]; }
DATE=
poll 10 typed_date || fail "the year, month and day boxes hold $DATE, not 2024/3/20"
poll 15 converted_date || fail "Enter converted 2024/3/20 to \"$DATE\", not 1403/01/01"
echo "e2e: Enter converted 2024/3/20 to $DATE"
sleep 0.3  # let it paint
import -window root -crop \
  "$((convert_right - convert_left))x$((convert_bottom - convert_top))+$convert_left+$convert_top" \
  +repage "$shots/e2e-date-convert-enter.png"
echo "e2e: screenshot $shots/e2e-date-convert-enter.png"

# --- 3. Esc on the About window ---

choose_from_menu 'درباره ما ...'
wait_for 15 "the About window" locate TaviloFrmAbout
escape_slides_out TaviloFrmAbout about
locate TaviloDateConvert || fail "Esc on the About window closed the converter"

# --- 4. Exit ---

exit_through_menu
echo "e2e: strip race and keys passed"
