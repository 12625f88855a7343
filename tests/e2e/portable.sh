#!/usr/bin/env bash
# End to end in portable mode: a copy of tavilo.exe with portable.ini, a
# lunar-months file past 1448/10 and a faulty holidays file beside it.
#   1. 1448/11 and 1448/12 lose «(تخمینی)», later months keep it; the status
#      line names the refused file;
#   2. an event and Persian digits land beside the program; «شروع با ویندوز»
#      has its portable caption;
#   3. after Exit, HKCU\Software\Tavilo and %APPDATA%\Tavilo do not exist.
#   portable.sh <e2e_tools_probe.exe>   (under ctest)
set -euo pipefail

e2e_name=portable
. "${TAVILO_SOURCE_DIR:?}/tests/e2e/session.sh"

folder=$TAVILO_WINE_BUILD_DIR/portable/Tavilo
rm -rf "$folder" && mkdir -p "$folder"
cp "$exe" "$folder/tavilo.exe"
exe=$folder/tavilo.exe
printf '; Tavilo portable\r\n[Tavilo]\r\n' >"$folder/portable.ini"
printf '1448/10 2027-03-10\n1448/11 2027-04-08\n1448/12 2027-05-08\n1449/1 2027-06-06\n' \
  >"$folder/iran-lunar-months.txt"
printf 'shamsi\t5/5\toff\t-\tروز\nshamsi\t5/5\tyes\t-\tروز\n' >"$folder/iran-holidays.txt"

app_data=$("$TAVILO_WINE_RUN" cmd /c echo '%APPDATA%' 2>/dev/null | tr -d '\r')
app_data=$("$TAVILO_WINE_RUN" winepath -u "$app_data" 2>/dev/null | tr -d '\r')/Tavilo
[[ $app_data == /*/Tavilo ]] || fail "no %APPDATA% folder: '$app_data'"
rm -rf "$app_data"
forget_tavilo_before_and_after
pointer_away
start_tavilo

# --- 1. The lunar months from the file ---

choose_from_menu 'تقویم'
wait_for 15 "the calendar" locate TaviloFrmCalendar
xdotool mousemove $(((LEFT + RIGHT) / 2)) $((TOP + 10))
xdotool key --delay 50 Tab Tab Tab  # to the go-to box, where the focus then stays
go_to() {
  xdotool key ctrl+a
  xdotool type --delay 30 "$1"
  xdotool key Return
  sleep 0.5
}
go_to 1406/1/20
selected=$(probe text TaviloFrmCalendar 111) span=$(probe text TaviloFrmCalendar 109)
[[ $selected == *'ذی‌القعده'* && $selected != *'تخمینی'* && $span != *'تخمینی'* ]] ||
  fail "1406/1/20 with the file: '$selected' / '$span'"
go_to 1407/1/1
[[ $(probe text TaviloFrmCalendar 111) == *'تخمینی'* ]] || fail "past the file, no «(تخمینی)»"
echo "e2e: the lunar months from the file are not estimated, those past it are"
status=$(probe text TaviloFrmCalendar 117)
[[ $status == *'iran-holidays.txt به کار نرفت (سطر ۲)'* ]] || fail "the status line says '$status'"
echo "e2e: the status line says: $status"

# --- 2. An event and a setting, beside the program ---

xdotool key --delay 50 shift+Tab shift+Tab shift+Tab Insert  # in the grid
wait_for 15 "the event editor" locate TaviloFrmEvent
xdotool type --delay 30 'portable trip'
xdotool key Return
wait_for 15 "events.tsv beside the program" grep -q 'portable trip' "$folder/events.tsv"
xdotool key Escape
choose_from_menu 'تنظيمات' 'ارقام فارسی'
grep -q '^PersianDigits=1' "$folder/portable.ini" || fail "portable.ini: $(cat "$folder/portable.ini")"
open_menu
point_at_menu_item 'تنظيمات'
wait_for 10 "the portable Start with Windows item" \
  find_menu_item 'شروع با ویندوز (در نسخهٔ قابل‌حمل ممکن نیست)'
xdotool key Escape Escape
wait_for 10 "the menu to close" no_menu
echo "e2e: the event and the setting are beside the program; Start with Windows is greyed"

# --- 3. No trace ---

exit_through_menu
if "$TAVILO_WINE_RUN" reg query 'HKCU\Software\Tavilo' >/dev/null 2>&1; then
  fail "HKCU\\Software\\Tavilo exists"
fi
[[ ! -e $app_data ]] || fail "$app_data exists"
echo "e2e: portable passed, with no registry key and no %APPDATA%\\Tavilo"
