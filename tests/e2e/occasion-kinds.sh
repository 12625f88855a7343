#!/usr/bin/env bash
# End to end: Settings › مناسبت‌ها › بین‌المللی unchecked takes the international days
# out of Azar 1405's occasion list, also after a new start. Args: <e2e_tools_probe.exe>.
set -euo pipefail
e2e_name=occasion-kinds
. "${TAVILO_SOURCE_DIR:?}/tests/e2e/session.sh"
forget_tavilo_before_and_after
pointer_away
listed() { probe text TaviloFrmCalendar 110; }  # FrmCalendar::kLstOccasions
open_azar() {
  choose_from_menu 'تقویم'
  wait_for 15 "the calendar" locate TaviloFrmCalendar
  xdotool mousemove $(((LEFT + RIGHT) / 2)) $((TOP + 10)) key --delay 50 Tab Tab Tab
  xdotool type --delay 30 1405/9/12 && xdotool key Return && sleep 0.5
}
hidden() { [[ $(listed) != *'روز جهانی'* && $(listed) == *'روز دانشجو'* ]]; }

start_tavilo && open_azar
[[ $(listed) == *'روز جهانی'* ]] || fail "no international day listed at first: $(listed)"
choose_from_menu 'تنظيمات' 'مناسبت‌ها' 'بین‌المللی'
wait_for 10 "the international days to leave the list" hidden
exit_through_menu
start_tavilo && open_azar
hidden || fail "after a new start the list is: $(listed)"
exit_through_menu
