#!/usr/bin/env bash
# End to end with the real program, pointer and keyboard: the month calendar
#   1. opens from the first item of the strip's menu, under the strip, with
#      today's month (screenshot); Esc slides it out, right and then down
#      off the screen, and it is gone;
#   2. opens again with a click on the strip's calendar picture, which leaves
#      the strip down; Exit ends the program.
#   month-calendar.sh <e2e_tools_probe.exe>
# Needs TAVILO_EXE and the shared test session (ctest provides both).
set -euo pipefail

e2e_name=calendar
. "${TAVILO_SOURCE_DIR:?}/tests/e2e/session.sh"

pointer_away
start_tavilo
strip_bottom_when_down=$((BOTTOM - TOP - 2))

# --- 1. From the menu, and Esc ---

choose_from_menu 'تقویم'
wait_for 15 "the calendar" locate TaviloFrmCalendar
calendar_left=$LEFT calendar_top=$TOP calendar_right=$RIGHT calendar_bottom=$BOTTOM
echo "e2e: the calendar opened at $LEFT,$TOP-$RIGHT,$BOTTOM"
((calendar_top >= strip_bottom_when_down - 4)) || fail "the calendar covers the strip"
((calendar_right <= screen_width && calendar_bottom <= screen_height)) ||
  fail "the calendar is not wholly on the screen"
heading=$(probe text TaviloFrmCalendar 107)
[[ -n $heading ]] || fail "the calendar has no heading"
echo "e2e: heading $heading"
sleep 0.5  # let it paint
import -window root -crop \
  "$((calendar_right - calendar_left))x$((calendar_bottom - calendar_top))+$calendar_left+$calendar_top" \
  +repage "$shots/e2e-month-calendar.png"
echo "e2e: screenshot $shots/e2e-month-calendar.png"

escape_slides_out TaviloFrmCalendar calendar

# --- 2. From the strip's calendar picture ---

# A click on the picture's centre (in the skin's pixels from the strip's
# corner) opens the calendar; the strip stays down. The ten-second check may
# send the strip up just then: three clicks that all sent it up are a fault.
picture_click_keeps_strip_down() {
  bring_strip_down
  click_at $((LEFT + 48)) $((TOP + 116)) 1
  poll 5 locate TaviloFrmCalendar || return 1
  sleep 0.3
  strip_down
}
for attempt in 1 2 3; do
  picture_click_keeps_strip_down && break
  ((attempt < 3)) || fail "a click on the calendar picture did not open the calendar" \
    "with the strip left down"
done
echo "e2e: the calendar picture opens the calendar and the strip stays down"

exit_through_menu
echo "e2e: month calendar passed"
