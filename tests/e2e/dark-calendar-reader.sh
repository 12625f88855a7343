#!/usr/bin/env bash
# In dark mode (AppsUseLightTheme 0): 1. Ctrl+Alt+T opens the month calendar,
# its grid dark (screenshot); 2. another process reads the grid as a screen
# reader does: 42 cells, each hit at its centre, the selected one alone
# selected, focused and named by the selected-day line; 3. an arrow key
# raises the focus and selection events for the next day.
#   dark-calendar-reader.sh <e2e_tools_probe.exe> <e2e_grid_reader.exe>
set -euo pipefail

e2e_name=dark-calendar
reader=${2:?usage: $0 <e2e_tools_probe.exe> <e2e_grid_reader.exe>}
. "${TAVILO_SOURCE_DIR:?}/tests/e2e/session.sh"

personalize='HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize'
light_again() { "$WINELOADER" reg delete "$personalize" /v AppsUseLightTheme /f >/dev/null 2>&1 || true; }
trap 'cleanup; light_again' EXIT
"$WINELOADER" reg add "$personalize" /v AppsUseLightTheme /t REG_DWORD /d 0 /f >/dev/null
read_grid() { "$TAVILO_WINE_RUN" "$reader" "$@" 2>/dev/null | tr -d '\r'; }

pointer_away
start_tavilo

# --- 1. The hot key, and a dark grid ---
bring_strip_down  # the keyboard follows the pointer to a window of the session
xdotool key ctrl+alt+t
wait_for 15 "the calendar from Ctrl+Alt+T" locate TaviloFrmCalendar
sleep 0.5  # let it paint
import -window root -crop "$((RIGHT - LEFT))x$((BOTTOM - TOP))+$LEFT+$TOP" +repage \
  "$shots/e2e-dark-calendar.png"
cells=$(read_grid cells)
# The last cell, at its bottom-left corner: the panel.
read -r _ _ _ x y width height _ <<<"$(sed -n 43p <<<"$cells")"
pixel=$(import -window root -crop "1x1+$((x + 3))+$((y + height - 3))" txt:- | tail -n 1)
[[ $pixel =~ srgb\(([0-9]+),([0-9]+),([0-9]+) ]] || fail "no pixel read: $pixel"
((BASH_REMATCH[1] < 64 && BASH_REMATCH[2] < 64 && BASH_REMATCH[3] < 64)) ||
  fail "the calendar's panel is not dark: $pixel"
echo "e2e: Ctrl+Alt+T opened the calendar, dark ($pixel)"

# --- 2. The grid as a screen reader reads it ---
xdotool mousemove $(((LEFT + RIGHT) / 2)) $((TOP + 150))  # the keyboard follows the pointer
sleep 0.3
cells=$(read_grid cells)
[[ $(head -n 1 <<<"$cells") == "24 42" ]] || fail "not a table of 42 cells: $(head -n 1 <<<"$cells")"
(($(awk 'NR > 1 && $2 == 29 && $6 > 0 && $7 > 0 && $8 == $1' <<<"$cells" | wc -l) == 42)) ||
  fail "not 42 placed cells, each hit at its centre"
# The second row's Friday (cell 14) is always of the month, and a day off.
[[ $(sed -n 15p <<<"$cells") == *"، تعطیل" ]] || fail "cell 14 is no day off: $(sed -n 15p <<<"$cells")"
selected=$(awk 'NR > 1 && int($3 / 2) % 2' <<<"$cells")
(($(wc -l <<<"$selected") == 1)) || fail "not one selected cell: $selected"
read -r id _ state _ _ _ _ _ name <<<"$selected"
((state & 4)) || fail "the selected cell is not focused ($state)"
day_line=$(probe text TaviloFrmCalendar 111 | head -n 1)
[[ $name == "$day_line"* ]] || fail "cell $id is named '$name', the selected day '$day_line'"
echo "e2e: cell $id of 42 is selected and focused: $name"

# --- 3. The next day is announced ---
events=$(mktemp)
"$TAVILO_WINE_RUN" "$reader" events >"$events" 2>/dev/null &  # unbuffered: no tr
watcher=$!
wait_for 15 "the event hook" grep -q ready "$events"
xdotool key Left  # Saturday stands at the right: the next day
wait "$watcher" || fail "no focus and selection events: $(cat "$events")"
watcher=
sed -i 's/\r$//' "$events"
grep -qx "focus $((id + 1))" "$events" && grep -qx "selection $((id + 1))" "$events" ||
  fail "the events name another cell than $((id + 1)): $(cat "$events")"
rm -f "$events"
echo "e2e: the next day's focus and selection events arrived"

exit_through_menu
echo "e2e: dark calendar and its reader passed"
