#!/usr/bin/env bash
# End to end with the real program: what Tavilo keeps between runs.
#   1. garbage seeded in its settings: it starts with the defaults;
#   2. the transparency set to about half, Exit, start again: the strip's
#      layered alpha is the one chosen;
#   3. start with Windows checked: the Run value holds the quoted path of
#      the program; checked again: gone;
#   4. a second start leaves one strip, which comes down, and one program.
# Wine's boot starts what the Run key names: the Run value and the settings
# are removed before and after.
#   settings.sh <e2e_tools_probe.exe>
# Needs TAVILO_EXE and the shared test session (ctest provides both).
set -euo pipefail

e2e_name=settings
. "${TAVILO_SOURCE_DIR:?}/tests/e2e/session.sh"

settings_key='HKCU\Software\Tavilo'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
reg() { "$TAVILO_WINE_RUN" reg "$@" 2>/dev/null | tr -d '\r'; }
forget_tavilo_before_and_after
pointer_away

# --- 1. Garbage reads as the defaults ---

reg add "$settings_key" /v Opacity /t REG_SZ /d '' /f >/dev/null
reg add "$settings_key" /v PersianDigits /t REG_DWORD /d 4294967295 /f >/dev/null
reg add "$settings_key" /v LunarCorrection /t REG_BINARY /d 0102030405 /f >/dev/null
reg add "$settings_key" /v NotificationIcon /t REG_SZ /d yes /f >/dev/null
start_tavilo
[[ $(probe layered TaviloForm1) == "1 0" ]] ||
  fail "with garbage settings the strip is not opaque: $(probe layered TaviloForm1)"
echo "e2e: garbage settings read as the defaults"

# --- 2. The opacity lasts ---

choose_from_menu 'تنظيمات' 'تغيير شفافيت'
wait_for 15 "the transparency window" locate TaviloFrmTrans
# Focus follows the pointer; the scroll bar has the focus. 125 steps left.
xdotool mousemove $(((LEFT + RIGHT) / 2)) $((TOP + 10))
sleep 0.5
xdotool key --delay 20 --repeat 125 Left
opacity_reached() { [[ $(probe layered TaviloForm1) == "3 130" ]]; }
wait_for 15 "the opacity to reach 130" opacity_reached
escape_slides_out TaviloFrmTrans transparency
exit_through_menu
stored=$(reg query "$settings_key" /v Opacity | awk '/Opacity/ {print $3}')
[[ $stored == 0x82 ]] || fail "the opacity stored is '$stored', not 0x82"
start_tavilo
[[ $(probe layered TaviloForm1) == "3 130" ]] ||
  fail "started again, the strip's layered attributes are $(probe layered TaviloForm1)"
echo "e2e: the opacity chosen (130) holds after a new start"

# --- 3. Start with Windows ---

choose_from_menu 'تنظيمات' 'شروع با ویندوز'
expected="\"$("$TAVILO_WINE_RUN" winepath -w "$exe" 2>/dev/null | tr -d '\r')\""
run_value=$(reg query "$run_key" /v Tavilo | sed -n 's/^ *Tavilo *REG_SZ *//p')
[[ $run_value == "$expected" ]] || fail "the Run value is '$run_value', not '$expected'"
choose_from_menu 'تنظيمات' 'شروع با ویندوز'
if reg query "$run_key" /v Tavilo | grep -q Tavilo; then
  fail "unchecked, the Run value is still there"
fi
echo "e2e: start with Windows wrote $expected and took it away again"

# --- 4. One program a session ---

pointer_away
sleep 11  # the ten-second check parks the strip
wait_for 15 "the strip to park" strip_parked
"$TAVILO_WINE_RUN" "$exe" >/dev/null 2>&1 &
second=$!
second_ended() { ! kill -0 "$second" 2>/dev/null; }
wait_for 30 "the second start to end" second_ended
wait "$second" || fail "the second start ended with a failure"
wait_for 10 "the running strip to come down" strip_down
strips=$(probe rects TaviloForm1 | wc -l)
((strips == 1)) || fail "$strips strips after a second start"
program_ended && fail "the first program ended"
echo "e2e: a second start showed the running strip and left"

exit_through_menu
echo "e2e: settings passed"
