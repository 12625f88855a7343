#!/usr/bin/env bash
# End to end with the real program and the real pointer:
#   1. tavilo.exe starts with its strip at the top-right corner, comes down
#      and parks itself above the screen edge on the ten-second check;
#   2. the pointer touches the strip left on the screen: the strip comes down
#      (screenshot);
#   3. a right-button press on the strip opens the popup menu, a window of
#      class #32768 (screenshot);
#   4. a click on its item Exit (found by its caption) ends the program.
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
echo "e2e: Exit ended tavilo.exe; passed"
