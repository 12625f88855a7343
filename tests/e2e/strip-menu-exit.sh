#!/usr/bin/env bash
# End to end with the real program and the real pointer:
#   1. tavilo.exe starts with its strip at the top-right corner, comes down
#      and parks itself above the screen edge on the ten-second check;
#   2. the pointer touches the strip left on the screen: the strip comes down
#      (screenshot);
#   3. a right-button press on the strip opens the popup menu, a window of
#      class #32768 (screenshot);
#   4. a click on its item Exit (found by its caption) ends the program;
#   5. started again 0.3 s and 0.8 s after Exit, while the last one is on its
#      way out, it waits for that one to end and runs.
#   strip-menu-exit.sh <e2e_tools_probe.exe>
# Needs TAVILO_EXE and the shared test session (ctest provides both).
set -euo pipefail

e2e_name=strip
. "${TAVILO_SOURCE_DIR:?}/tests/e2e/session.sh"
strip_shown() { locate TaviloForm1; }

pointer_away
start_tavilo
((RIGHT - LEFT == 350 && BOTTOM - TOP == 138)) ||
  fail "strip is $((RIGHT - LEFT)) x $((BOTTOM - TOP)) pixels, not 350 x 138"
((RIGHT == screen_width - 1)) || fail "strip's right edge at $RIGHT, not $((screen_width - 1))"
echo "e2e: strip at $LEFT,$TOP"

# Down from the start until the ten-second check (the first one may fall
# inside the slide and pass), then parked.
wait_for 60 "the strip to come down at start" strip_down
wait_for 60 "the strip to park itself" strip_parked
echo "e2e: parked with $BOTTOM pixel rows on the screen"

bring_strip_down
sleep 0.3  # let it paint
locate TaviloForm1 || fail "the strip is gone"
import -window root -crop "360x150+$((LEFT - 5))+0" +repage "$shots/e2e-strip-down.png"
echo "e2e: down at $LEFT,$TOP; screenshot $shots/e2e-strip-down.png"

open_menu
locate '#32768' || fail "the menu went"
menu_left=$LEFT menu_top=$TOP menu_right=$RIGHT menu_bottom=$BOTTOM
sleep 0.3  # let it paint
import -window root -crop "$((menu_right - menu_left + 380))x$((menu_bottom + 10))+$((menu_left - 190))+0" \
  +repage "$shots/e2e-menu-open.png"
echo "e2e: popup menu at $menu_left,$menu_top-$menu_right,$menu_bottom;" \
  "screenshot $shots/e2e-menu-open.png"

click_menu_item 'خروج'
expect_program_exit
strip_shown && fail "the strip is still on the screen"
echo "e2e: Exit ended tavilo.exe"

# Wine's tray, stopped, holds the leaving program in its icon's removal, after
# its strip is gone: the start meets it on its way out, as on a slow machine.
start_tavilo
tray=$(xdotool getwindowpid "$(xdotool search --name 'Wine System Tray' | head -n1)")
trap 'kill -CONT "$tray"; cleanup' EXIT
for gap in 0.3 0.8; do
  open_menu
  wait_for 10 "the menu item Exit" find_menu_item 'خروج'
  kill -STOP "$tray"
  click_at "$ITEM_X" "$ITEM_Y" 1
  leaving=$program
  sleep "$gap"
  "$TAVILO_WINE_RUN" "$exe" >/dev/null 2>&1 &
  program=$!
  sleep 1
  kill -CONT "$tray"
  wait_for 30 "the program left with Exit to end" eval "! kill -0 $leaving 2>/dev/null"
  wait_for 60 "the strip of the start $gap s after Exit" locate TaviloForm1
  echo "e2e: started $gap s after Exit, it ran once the last one had ended"
done
exit_through_menu
echo "e2e: passed"
