#!/usr/bin/env bash
# End to end with the real program, pointer and keyboard: the notification-
# area icon, which Wine keeps in its "Wine System Tray" window:
#   1. tavilo.exe starts with its icon as the tray's one icon (screenshot);
#   2. a click on the icon opens the month calendar;
#   3. a right click opens the program's menu, a window of class #32768; Esc
#      closes it;
#   4. Exit from the icon's menu ends the program and takes the icon away.
# The program's settings and its Run value are cleared before and after:
# stored settings could hide the icon, and Wine's boot starts Run entries.
#   tray-icon.sh <e2e_tools_probe.exe>
# Needs TAVILO_EXE and the shared test session (ctest provides both).
set -euo pipefail

e2e_name=tray
. "${TAVILO_SOURCE_DIR:?}/tests/e2e/session.sh"

tray_title='Wine System Tray'

forget_tavilo_before_and_after

tray_icons() { probe children "$tray_title"; }
icon_count() { { tray_icons || true; } | grep -c . || true; }
no_icon() { (($(icon_count) == 0)); }
one_icon() { (($(icon_count) == 1)); }

wait_for 30 "an empty tray before the start" no_icon
pointer_away
start_tavilo

# --- 1. The icon ---

wait_for 30 "the icon in the tray" one_icon
tray_window=$(xdotool search --name "$tray_title" | head -n 1)
[[ -n $tray_window ]] || fail "xdotool finds no \"$tray_title\" window"
read -r LEFT TOP RIGHT BOTTOM <<<"$(tray_icons)"
icon_x=$(((LEFT + RIGHT) / 2)) icon_y=$(((TOP + BOTTOM) / 2))
echo "e2e: the icon at $LEFT,$TOP-$RIGHT,$BOTTOM"
sleep 0.5  # let it paint
eval "$(xdotool getwindowgeometry --shell "$tray_window")"
import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$shots/e2e-tray-icon.png"
echo "e2e: screenshot $shots/e2e-tray-icon.png"
# Digits on the badge: the middle of the icon holds both light and dark.
middle="10x10+$((icon_x - X - 5))+$((icon_y - Y - 5))"
shades=$(convert "$shots/e2e-tray-icon.png" -crop "$middle" +repage -colorspace gray \
  -threshold 50% -format %k info:)
((shades == 2)) || fail "the middle of the icon is all one shade: no digits on a badge"

# --- 2. A click: the month calendar ---

click_at "$icon_x" "$icon_y" 1
wait_for 15 "the calendar after a click on the icon" locate TaviloFrmCalendar
echo "e2e: the calendar opened at $LEFT,$TOP-$RIGHT,$BOTTOM"

# --- 3. A right click: the menu; Esc closes it ---

open_icon_menu() {
  click_at "$icon_x" "$icon_y" 3
  wait_for 10 "the menu after a right click on the icon" menu_open
}
# With no window manager, the click left the keyboard with Wine's tray
# window (the shell lets the icon's program take it on Windows): hand it to
# the menu's own X window.
focus_menu() {
  local window
  locate '#32768' || return 1
  for window in $(xdotool search --onlyvisible --classname tavilo.exe); do
    eval "$(xdotool getwindowgeometry --shell "$window")"
    if ((X == LEFT && Y == TOP)); then
      xdotool windowfocus "$window"
      return 0
    fi
  done
  return 1
}
open_icon_menu
wait_for 10 "the menu's X window" focus_menu
sleep 0.3
xdotool key Escape
wait_for 10 "Esc to close the menu" no_menu
echo "e2e: the icon's menu opened and closed with Esc"

# --- 4. Exit from the icon's menu ---

open_icon_menu
click_menu_item 'خروج'
expect_program_exit
wait_for 10 "the icon to leave the tray" no_icon
echo "e2e: tray icon passed"
