# The start every end-to-end script shares; source it with the script's own
# arguments (<e2e_tools_probe.exe>) after setting e2e_name, which names the
# screenshot taken on failure. It gives the Wine session's display, the
# screen's size, the screenshot folder, `fail`, the clean-up of the program
# and of a watcher left running, `pointer_away`, `start_tavilo`,
# `forget_tavilo_before_and_after`, `program_ended`, `expect_program_exit`,
# `exit_through_menu` and the helpers.
E2E_PROBE=${1:?usage: $0 <e2e_tools_probe.exe>}
exe=${TAVILO_EXE:?TAVILO_EXE names tavilo.exe}
. "${TAVILO_SOURCE_DIR:?}/scripts/wine-env.sh"
[[ -n ${DISPLAY:-} ]] || { echo "no display: run it under ctest" >&2; exit 1; }
export DISPLAY

shots=$TAVILO_WINE_BUILD_DIR/screenshots
mkdir -p "$shots"
program=
watcher=

fail() {
  echo "e2e: $*" >&2
  import -window root "$shots/e2e-${e2e_name:?}-failure.png" 2>/dev/null || true
  exit 1
}
cleanup() {
  for pid in $program $watcher; do
    kill -0 "$pid" 2>/dev/null && kill "$pid" 2>/dev/null || true
  done
}
trap cleanup EXIT

. "$TAVILO_SOURCE_DIR/tests/e2e/helpers.sh"
program_ended() { ! kill -0 "$program" 2>/dev/null; }

eval "$(xdotool getdisplaygeometry --shell)"
screen_width=$WIDTH screen_height=$HEIGHT
# Off the strip, until a test moves the pointer there.
pointer_away() { xdotool mousemove $((screen_width / 2)) 400; }

# Starts tavilo.exe and waits for its strip.
start_tavilo() {
  "$TAVILO_WINE_RUN" "$exe" >/dev/null 2>&1 &
  program=$!
  wait_for 60 "the strip" locate TaviloForm1
}

# Wine's boot starts what the Run key names: a script that may leave Tavilo's
# settings or its Run value behind removes both before and after itself.
forget_tavilo() {
  "$WINELOADER" reg delete 'HKCU\Software\Tavilo' /f >/dev/null 2>&1 || true
  "$WINELOADER" reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' \
    /v Tavilo /f >/dev/null 2>&1 || true
}
forget_tavilo_before_and_after() {
  forget_tavilo
  trap 'cleanup; forget_tavilo' EXIT
}

# Exit was chosen: the program ends, with status 0.
expect_program_exit() {
  local status=0
  wait_for 30 "tavilo.exe to end" program_ended
  wait "$program" || status=$?
  program=
  ((status == 0)) || fail "tavilo.exe ended with status $status"
}
exit_through_menu() {
  choose_from_menu 'خروج'
  expect_program_exit
}
