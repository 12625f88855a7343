#!/usr/bin/env bash
# End to end with the real program: Settings › مناسبت‌ها › بین‌المللی
# unchecked takes the international days out of the month's occasion list
# (today's month, Azar, has two) and the choice holds after a new start.
#   occasion-kinds.sh <e2e_tools_probe.exe>
# Needs TAVILO_EXE and the shared test session (ctest provides both).
set -euo pipefail

e2e_name=occasion-kinds
. "${TAVILO_SOURCE_DIR:?}/tests/e2e/session.sh"

occasions_list=110  # FrmCalendar::kLstOccasions
international='روز جهانی'
forget_tavilo_before_and_after
pointer_away

listed() {
  choose_from_menu 'تقویم'
  wait_for 15 "the calendar" locate TaviloFrmCalendar
  probe text TaviloFrmCalendar "$occasions_list"
}

start_tavilo
[[ $(listed) == *"$international"* ]] || fail "no international day listed at first"
choose_from_menu 'تنظيمات' 'مناسبت‌ها' 'بین‌المللی'
hidden() { [[ $(probe text TaviloFrmCalendar "$occasions_list") != *"$international"* ]]; }
wait_for 10 "the international days to leave the list" hidden
echo "e2e: unchecked, the international days leave the occasion list"

exit_through_menu
start_tavilo
text=$(listed)
[[ $text != *"$international"* ]] || fail "after a new start the international days are back: $text"
[[ $text == *'روز'* ]] || fail "after a new start the other occasions are gone: $text"
echo "e2e: the choice holds after a new start"
exit_through_menu
echo "e2e: occasion kinds passed"
