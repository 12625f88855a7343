#!/usr/bin/env bash
# End to end with the real program and the real pointer:
#   1. the date converter and the transparency window are opened from the
#      Settings submenu of the strip's popup menu, the About window from the
#      menu itself, each item found by its caption; each is photographed;
#   2. the About window is closed with its close box: it glides right to the
#      screen's edge, then down until it is below the screen, and only then
#      is it gone;
#   3. Exit ends the program.
#   tool-windows.sh <e2e_tools_probe.exe>
# Needs TAVILO_EXE and the shared test session (ctest provides both).
set -euo pipefail

e2e_name=tools
. "${TAVILO_SOURCE_DIR:?}/tests/e2e/session.sh"

# Chooses the Settings submenu's item captioned $1; the submenu is
# photographed on the way.
choose_setting() {
  open_menu
  point_at_menu_item 'تنظيمات'
  wait_for 10 "the Settings submenu" find_menu_item "$1"
  sleep 0.3  # let it paint
  import -window root "$shots/e2e-tools-submenu.png"
  click_menu_item "$1"
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

pointer_away
start_tavilo
wait_for 15 "the strip to come down at start" strip_down

choose_setting 'مبدل تاريخ'
photograph TaviloDateConvert e2e-date-convert
choose_setting 'تغيير شفافيت'
photograph TaviloFrmTrans e2e-transparency
choose_from_menu 'درباره ما ...'
photograph TaviloFrmAbout e2e-about
about_left=$LEFT about_top=$TOP about_width=$((RIGHT - LEFT))

# The close box: the last button of the caption, top right of the frame
# (Wine draws frames itself: the session hands no window to a manager).
trail=$shots/e2e-about-slide.txt
"$TAVILO_WINE_RUN" "$E2E_PROBE" watch TaviloFrmAbout >"$trail" 2>/dev/null &
watcher=$!
wait_for 10 "the watcher" test -s "$trail"
click_at $((about_left + about_width - 13)) $((about_top + 11)) 1
wait "$watcher" || fail "the About window did not go"
watcher=
check_slide_out "$trail" "$about_top" "$about_width" "$screen_width" "$screen_height"
((SLIDE_POSITIONS > 20)) || fail "the About window went after only $SLIDE_POSITIONS positions"
locate TaviloFrmAbout && fail "the About window is still there"
locate TaviloDateConvert || fail "the converter closed with the About window"

exit_through_menu
echo "e2e: tool windows passed"
