#!/usr/bin/env bash
# End to end, with the real program in a Wine prefix and wineserver of its
# own (a session end ends every process of its prefix, so nothing else may
# share it; this script drives it from the host):
#   1. open the song player from the real popup menu with the real pointer
#      (each menu item found by its caption),
#      screenshot it, play an MP3 through the real open-file dialog and see
#      the program open the file, then stop it and see the file closed;
#   2. open the shutdown scheduler the same way, screenshot it, arm a
#      log-off 75 s ahead: the warning comes a minute before the target,
#      Esc on it cancels, and the program still runs 20 s after the target;
#   3. screenshot the "at" and "after" modes, arm a log-off "after 1
#      minute" and answer nothing: the warning comes at once, and
#      tavilo.exe ends in the target second.
#   e2e-menu-and-session-end.sh <tick-count.exe> <e2e_tools_probe.exe>
# Needs TAVILO_EXE and the shared test session (its display and sound setup).
set -euo pipefail

tick_probe=${1:?usage: $0 <tick-count.exe> <e2e_tools_probe.exe>}
E2E_PROBE=${2:?usage: $0 <tick-count.exe> <e2e_tools_probe.exe>}
exe=${TAVILO_EXE:?TAVILO_EXE names tavilo.exe}
. "${TAVILO_SOURCE_DIR:?}/scripts/wine-env.sh"
[[ -n ${DISPLAY:-} ]] || { echo "no display: run it under ctest" >&2; exit 1; }
export DISPLAY ALSA_CONFIG_PATH

shared_build=$TAVILO_WINE_BUILD_DIR
private=$shared_build/e2e-session-end
shots=$shared_build/screenshots
music=$(mktemp -d "$shared_build/e2e music.XXXXXX")
mkdir -p "$private" "$shots"

program_log=$private/tavilo.log
fail() {
  echo "e2e: $*" >&2
  import -window root "$shots/e2e-failure.png" 2>/dev/null || true
  echo "e2e: visible windows: $(visible_window_names | paste -sd '|')" >&2
  [[ -s $program_log ]] && tail -n 20 "$program_log" >&2
  exit 1
}
cleanup() {
  TAVILO_WINE_BUILD_DIR=$private "$TAVILO_SOURCE_DIR/scripts/wine-session.sh" stop "$private" \
    >/dev/null 2>&1 || true
  rm -rf "$music"
}
trap cleanup EXIT

uptime_now() { cut -d' ' -f1 /proc/uptime; }
# The strip and its menu are found through the probe, in the private prefix.
E2E_PROBE_BUILD_DIR=$private
. "$TAVILO_SOURCE_DIR/tests/e2e/helpers.sh"

# --- Windows on the X display ---

visible_window_names() {
  local id
  for id in $(xdotool search --onlyvisible --name '.*' 2>/dev/null); do
    xdotool getwindowname "$id" 2>/dev/null
  done
}
# A visible window titled exactly $1. Names are compared as xdotool reads
# them back (UTF-8): its --name pattern sees the raw, possibly compound-text,
# property and misses Persian captions.
window_named() {
  local id
  for id in $(xdotool search --onlyvisible --name '.*' 2>/dev/null); do
    if [[ $(xdotool getwindowname "$id" 2>/dev/null) == "$1" ]]; then
      echo "$id"
      return 0
    fi
  done
  return 1
}
# Sets X Y WIDTH HEIGHT of a window.
geometry_of() { eval "$(xdotool getwindowgeometry --shell "$1")"; }

# Clicks a point given in client pixels of window $1. The client area is
# centred horizontally in the window and ends at its bottom border.
click_client() {
  local window=$1 client_width=$2 client_height=$3 x=$4 y=$5
  geometry_of "$window"
  local border=$(((WIDTH - client_width) / 2))
  local top=$((HEIGHT - client_height - border))
  click_at $((X + border + x)) $((Y + top + y))
}

# Photographs window $1 as $2 once it is painted (more than a few colours).
screenshot_window() {
  local window=$1 file=$2
  painted() {
    geometry_of "$window"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$file" &&
      (($(convert "$file" -format %k info:) > 8))
  }
  wait_for 30 "$file to show a painted window" painted
  echo "e2e: screenshot $file"
}

# --- The program in its own prefix ---

start_private_session() {
  TAVILO_WINE_BUILD_DIR=$private "$TAVILO_SOURCE_DIR/scripts/wine-session.sh" start "$private" \
    >/dev/null
}
# On a busy machine the start has once failed to write the prefix's registry;
# a second start clears what the first left and begins again.
start_private_session || {
  echo "e2e: the private Wine session did not start; again"
  sleep 2
  start_private_session
} || fail "the private Wine session did not start"
started=$SECONDS
TAVILO_WINE_BUILD_DIR=$private "$TAVILO_WINE_RUN" "$exe" >"$program_log" 2>&1 &
program=$!
# The session end kills it: no job report of that from this shell.
disown "$program"
program_alive() { kill -0 "$program" 2>/dev/null; }
strip_shown() {
  program_alive || fail "tavilo.exe ended before it showed its strip"
  locate TaviloForm1
}
# A cold start in a prefix of its own (fonts, the desktop process) is slow
# on a busy machine.
wait_for 120 "tavilo.exe to show its strip" strip_shown
echo "e2e: strip shown $((SECONDS - started)) s after the start"

# --- Song player ---

song="$music/e2e song.mp3"
rate=44100 seconds=20
# 16-bit mono silence, raw, read by lame as such.
head -c $((rate * 2 * seconds)) /dev/zero |
  lame --quiet -r -s 44.1 --bitwidth 16 --signed --little-endian -m m - "$song" 2>/dev/null

player_caption='پخش آهنگ'
choose_from_menu 'تنظيمات' 'پخش آهنگ'
wait_for 30 "the song player" window_named "$player_caption" >/dev/null
player=$(window_named "$player_caption")
screenshot_window "$player" "$shots/e2e-frmplay.png"

song_is_open() { ls -l "/proc/$program/fd" 2>/dev/null | grep -qF "$song"; }
click_client "$player" 349 139 200 48  # Play
wait_for 30 "the open-file dialog" window_named Open >/dev/null
xdotool type --delay 20 "Z:${song//\//\\}"
xdotool key Return
# The first MP3 of a session loads the media stack.
wait_for 60 "the song to be opened" song_is_open
echo "e2e: tavilo.exe opened $song"
click_client "$player" 349 139 200 96  # Stop
song_is_closed() { ! song_is_open; }
wait_for 30 "the song to be closed" song_is_closed
echo "e2e: Stop closed it"

# --- Shutdown scheduler ---

scheduler_caption='مديريت زمان روشن بودن رايانه'
choose_from_menu 'تنظيمات' 'خاموش کردن'
wait_for 30 "the shutdown scheduler" window_named "$scheduler_caption" >/dev/null
scheduler=$(window_named "$scheduler_caption")
screenshot_window "$scheduler" "$shots/e2e-frmshutdown.png"

# Types $2 into the box at client x $1 of the scheduler, replacing its text.
type_into_box() {
  click_client "$scheduler" 444 365 "$1" 136
  xdotool key End
  xdotool key --repeat 8 BackSpace
  xdotool type "$2"
}

confirm_schedule() {
  click_client "$scheduler" 444 365 128 340  # cmdOk
  scheduler_hidden() { [[ -z $(window_named "$scheduler_caption") ]]; }
  wait_for 15 "the scheduler to hide" scheduler_hidden
}
# Arms a log-off $1 s ahead of Windows' own tick count and sets `due` and
# `due_latest`, the host uptimes between which the target second begins.
# Windows' clock may lag the host's uptime (it stops while the host sleeps),
# so the probe is bracketed by two readings of the uptime.
arm_log_off() {
  local lead=$1 host_before host_after ticks target hours minutes secs armed_at
  host_before=$(uptime_now)
  ticks=$(TAVILO_WINE_BUILD_DIR=$private "$TAVILO_WINE_RUN" "$tick_probe" | tr -d '\r')
  host_after=$(uptime_now)
  target=$((ticks / 1000 + lead))
  hours=$((target / 3600)) minutes=$((target / 60 % 60)) secs=$((target % 60))
  due=$(awk -v t="$target" -v h="$host_before" -v k="$ticks" 'BEGIN { print t + h - k / 1000 }')
  due_latest=$(awk -v t="$target" -v h="$host_after" -v k="$ticks" \
    'BEGIN { print t + h - k / 1000 }')
  echo "e2e: target running time $hours:$minutes:$secs (tick $ticks, uptime $host_before-$host_after)"
  type_into_box 128 "$hours"    # TxtHour
  type_into_box 220 "$minutes"  # TxtMin
  type_into_box 312 "$secs"     # TxtSec
  confirm_schedule
  armed_at=$(uptime_now)
  awk -v a="$armed_at" -v d="$due" 'BEGIN { exit !(a < d - 60) }' ||
    fail "armed only at uptime $armed_at, less than a minute before the target at $due"
}
# The warning comes a minute before the target second (a look every 50 ms,
# a few seconds allowed for a busy machine to draw it).
warning_shown() { program_alive && locate TaviloFrmWarning; }
expect_warning_a_minute_before() {
  wait_for 90 "the warning" warning_shown
  local shown_at
  shown_at=$(uptime_now)
  echo "e2e: the warning came at uptime $shown_at, the target second at $due"
  awk -v s="$shown_at" -v d="$due" 'BEGIN { exit !(s >= d - 61 && s <= d - 55) }' ||
    fail "the warning came at $shown_at, not a minute before $due"
}

# Cancelled from the warning with Esc: the session outlives the target.
arm_log_off 75
expect_warning_a_minute_before
import -window root -crop "$((RIGHT - LEFT))x$((BOTTOM - TOP))+$LEFT+$TOP" +repage \
  "$shots/e2e-frmwarning.png"
xdotool mousemove $(((LEFT + RIGHT) / 2)) $((TOP + 40))
sleep 0.3
xdotool key Escape
warning_gone() { ! locate TaviloFrmWarning; }
wait_for 10 "Esc to close the warning" warning_gone
until awk -v n="$(uptime_now)" -v d="$due_latest" 'BEGIN { exit !(n > d + 20) }'; do
  program_alive || fail "tavilo.exe ended though the warning was cancelled"
  sleep 0.5
done
echo "e2e: cancelled from the warning, tavilo.exe still runs 20 s after the target"

# "After 1 minute", no answer: the session ends in the target second, which
# begins 59 to 60 s after the click on the confirm button.
choose_from_menu 'تنظيمات' 'خاموش کردن'
wait_for 30 "the shutdown scheduler" window_named "$scheduler_caption" >/dev/null
click_client "$scheduler" 444 365 260 56  # OptAt
sleep 1
screenshot_window "$scheduler" "$shots/e2e-frmshutdown-at.png"
click_client "$scheduler" 444 365 420 56  # OptAfter
sleep 1
screenshot_window "$scheduler" "$shots/e2e-frmshutdown-after.png"
type_into_box 128 0  # TxtAfterHour
type_into_box 220 1  # TxtAfterMin
clicked=$(uptime_now)
confirm_schedule
due=$(awk -v c="$clicked" 'BEGIN { print c + 59 }')
due_latest=$(awk -v n="$(uptime_now)" 'BEGIN { print n + 60 }')
wait_for 30 "the warning" warning_shown

# Watch tavilo.exe until it ends; it must not end before the target second.
ended_at=
while [[ -z $ended_at ]]; do
  now=$(uptime_now)
  if ! program_alive; then
    ended_at=$now
  elif awk -v n="$now" -v d="$due_latest" 'BEGIN { exit !(n > d + 15) }'; then
    fail "tavilo.exe still runs 15 s after its target"
  fi
  sleep 0.05
done
# Wine takes a moment to carry out a forced session end, longer when busy.
early=$(awk -v e="$ended_at" -v d="$due" 'BEGIN { print (e < d) }')
late=$(awk -v e="$ended_at" -v d="$due_latest" 'BEGIN { print (e > d + 5) }')
echo "e2e: tavilo.exe ended at uptime $ended_at, target second starts at $due"
((early == 0)) || fail "the session ended before the target second"
((late == 0)) || fail "the session ended more than 5 s after the target second began"

# Only the private prefix ended: the shared session still runs programs.
"$TAVILO_WINE_RUN" "$tick_probe" >/dev/null || fail "the shared Wine session was hit"
echo "e2e: passed"
