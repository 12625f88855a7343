#!/usr/bin/env bash
# The Wine session shared by one test run (or one scripts/run.sh):
#   scripts/wine-session.sh start [<mingw build dir> [<desktop keeper exe>]]
#   scripts/wine-session.sh stop|status [<mingw build dir>]
#
# start: boots the private prefix <build>/wineprefix on first use, maps
#        Tahoma to DejaVu Sans Condensed in it and installs Wine's Marlett
#        (the caption buttons' glyphs), starts Xvfb when there is no
#        DISPLAY (with TAVILO_WINE_COMPOSITOR=1 also xcompmgr, so that
#        window opacity shows in screenshots), one
#        persistent wineserver and, when given, the desktop keeper (a program
#        that keeps Wine's desktop process alive between tests). Every
#        process it starts is recorded by PID in <build>/wine-session/pids.
# stop:  ends the prefix's Wine processes and every recorded PID.
# A session left over by an interrupted run is stopped before a new start.
set -euo pipefail

command=${1:-}
desktop_keeper=${3:-}
host_display=${DISPLAY:-}
if [[ -n ${2:-} ]]; then
  TAVILO_WINE_BUILD_DIR=$(cd "$2" && pwd)
  export TAVILO_WINE_BUILD_DIR
fi
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/wine-env.sh"

session=$TAVILO_WINE_SESSION_DIR
pid_file=$session/pids
log=$session/session.log
screen=${TAVILO_XVFB_SCREEN:-1280x800x24}
boot_locale=en_US.UTF-8

fail() {
  echo "wine-session: $*" >&2
  [[ -f $log ]] && tail -n 20 "$log" >&2
  [[ $command == start ]] && stop_session
  exit 1
}

# A recorded PID counts only while it still runs the program recorded with
# it, so a PID reused by an unrelated process is never signalled.
recorded_pid_alive() {
  local name=$1 pid=$2
  kill -0 "$pid" 2>/dev/null &&
    tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -q -- "$name"
}

record_pid() {
  echo "$1 $2" >>"$pid_file"
}

end_recorded_processes() {
  local name pid tries
  [[ -f $pid_file ]] || return 0
  while read -r name pid; do
    recorded_pid_alive "$name" "$pid" || continue
    kill -TERM "$pid" 2>/dev/null || true
    for ((tries = 0; tries < 50; tries++)); do
      recorded_pid_alive "$name" "$pid" || break
      sleep 0.1
    done
    if recorded_pid_alive "$name" "$pid"; then
      kill -KILL "$pid" 2>/dev/null || true
    fi
  done <"$pid_file"
  rm -f "$pid_file"
}

stop_session() {
  if [[ -f $pid_file ]]; then
    # Ends every Wine process of this prefix, then the server itself.
    timeout 30 "$WINESERVER" -k >>"$log" 2>&1 || true
  fi
  end_recorded_processes
  rm -f "$session/session.env" "$session/xvfb.display"
}

# Replaces the calling (sub)shell with a command that holds no descriptor of
# ours beyond stdio (a test runner waits until its pipes close), its output
# going to the log or, with --output FILE, to FILE. With --display-fd FILE
# the command's descriptor 3 writes to FILE. Call it in the background or
# inside ( ).
exec_without_inherited_fds() {
  local display_fd_file= output=$log fd
  while [[ $1 == --* ]]; do
    case $1 in
      --display-fd) display_fd_file=$2 ;;
      --output) output=$2 ;;
    esac
    shift 2
  done
  for fd in /proc/self/fd/*; do
    fd=${fd##*/}
    ((fd > 2)) && eval "exec $fd>&-"
  done 2>/dev/null
  [[ -n $display_fd_file ]] && exec 3>"$display_fd_file"
  exec "$@" </dev/null >>"$output" 2>>"$log"
}

start_xvfb() {
  local display_file=$session/xvfb.display pid tries
  rm -f "$display_file"
  # -displayfd picks a free display number and reports it once ready.
  exec_without_inherited_fds --display-fd "$display_file" \
    setsid Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset -s 0 &
  pid=$!
  record_pid Xvfb "$pid"
  for ((tries = 0; tries < 150; tries++)); do
    if grep -qx '[0-9][0-9]*' "$display_file" 2>/dev/null; then
      echo ":$(head -n1 "$display_file")"
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || fail "Xvfb exited"
    sleep 0.1
  done
  fail "Xvfb did not report a display"
}

start_compositor() {
  DISPLAY=$1 exec_without_inherited_fds setsid xcompmgr &
  record_pid xcompmgr "$!"
}

# Silent sound device for a headless machine: MCI playback needs one.
write_null_alsa_config() {
  cat >"$session/alsa.conf" <<'ALSA'
</usr/share/alsa/alsa.conf>
pcm.!default { type null }
ctl.!default { type hw card 0 }
ALSA
}

start_wineserver() {
  local pid tries
  exec_without_inherited_fds setsid "$WINESERVER" -f -p &
  pid=$!
  record_pid wineserver "$pid"
  # The server works in its own socket directory once it listens.
  for ((tries = 0; tries < 100; tries++)); do
    [[ -S /proc/$pid/cwd/socket ]] && return 0
    kill -0 "$pid" 2>/dev/null ||
      fail "wineserver exited (another one running for $WINEPREFIX?)"
    sleep 0.1
  done
  fail "wineserver did not come up"
}

# Ends the prefix's Wine processes and the recorded server, keeping Xvfb.
stop_wineserver() {
  local pid tries
  pid=$(awk '$1 == "wineserver" { print $2 }' "$pid_file")
  timeout 30 "$WINESERVER" -k >>"$log" 2>&1 || true
  for ((tries = 0; tries < 100; tries++)); do
    recorded_pid_alive wineserver "$pid" || break
    sleep 0.1
  done
  if recorded_pid_alive wineserver "$pid"; then
    kill -KILL "$pid"
  fi
  sed -i '/^wineserver /d' "$pid_file"
}

# Returns once the keeper holds the desktop, so that no test starts the
# desktop process itself.
start_desktop_keeper() {
  local ready=$session/keeper.out pid tries
  [[ -f $desktop_keeper ]] || fail "desktop keeper $desktop_keeper not built"
  rm -f "$ready"
  exec_without_inherited_fds --output "$ready" \
    setsid env LC_ALL=$boot_locale "$WINELOADER" "$desktop_keeper" &
  pid=$!
  record_pid "$(basename "$desktop_keeper")" "$pid"
  for ((tries = 0; tries < 300; tries++)); do
    grep -q ready "$ready" 2>/dev/null && return 0
    kill -0 "$pid" 2>/dev/null || fail "desktop keeper exited"
    sleep 0.1
  done
  fail "desktop keeper did not take the desktop"
}

# There is no window manager on the display: Wine must not treat its
# windows as managed, or it waits two seconds on every window it hides or
# destroys for a window manager to confirm.
apply_x11_settings() {
  (exec_without_inherited_fds env LC_ALL=$boot_locale "$WINELOADER" reg add \
    'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f) ||
    fail "could not write the prefix's X11 settings"
}

# The programs ask for Tahoma. Wine's own Tahoma (fonts-wine) draws Persian
# unjoined and without dots, and Wine's fallback, DejaVu Sans, is too wide for
# the strip's labels; DejaVu Sans Condensed (fonts-dejavu-extra, found
# through fontconfig) is joined, dotted and narrow enough. Wine skips a
# replacement while a font of that name is installed, so a Tahoma copied into
# the prefix by an earlier session is taken out first.
map_tahoma() {
  rm -f "$WINEPREFIX"/drive_c/windows/Fonts/tahoma*.ttf
  (exec_without_inherited_fds env LC_ALL=$boot_locale "$WINELOADER" reg add \
    'HKCU\Software\Wine\Fonts\Replacements' /v Tahoma /d 'DejaVu Sans Condensed' /f) ||
    fail "could not map Tahoma to DejaVu Sans Condensed"
  [[ -f /usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf ]] ||
    echo "wine-session: DejaVu Sans Condensed not found (fonts-dejavu-extra)" >&2
}

# Caption buttons (close box, scroll arrows) are glyphs of Marlett; without
# it Wine draws the close box as the letter "r". Only Marlett is taken from
# fonts-wine: its Tahoma stays out (see map_tahoma).
install_marlett() {
  local marlett=/usr/share/wine/fonts/marlett.ttf
  if [[ -f $marlett ]]; then
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -f "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
  else
    echo "wine-session: $marlett not found (fonts-wine)" >&2
  fi
}

# Wine's boot starts the programs of the prefix's Run key: a start-with-Windows
# value or settings left by an earlier run would start or change Tavilo in
# this session's tests.
forget_tavilo() {
  local run='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
  (exec_without_inherited_fds env LC_ALL=$boot_locale "$WINELOADER" reg delete \
    "$run" /v Tavilo /f) >/dev/null 2>&1 || true
  (exec_without_inherited_fds env LC_ALL=$boot_locale "$WINELOADER" reg delete \
    'HKCU\Software\Tavilo' /f) >/dev/null 2>&1 || true
}

start_session() {
  [[ -x $WINELOADER && -x $WINESERVER ]] || fail "Wine not found (Debian package wine64)"
  stop_session
  mkdir -p "$session" "$WINEPREFIX"
  : >"$log"

  local display=$host_display headless=0
  if [[ -z $display ]]; then
    display=$(start_xvfb)
    headless=1
    if [[ ${TAVILO_WINE_COMPOSITOR:-0} == 1 ]]; then
      start_compositor "$display"
    fi
  fi
  {
    echo "export DISPLAY=$display"
    if ((headless)); then
      write_null_alsa_config
      echo "export ALSA_CONFIG_PATH=$session/alsa.conf"
    fi
  } >"$session/session.env.new"
  . "$session/session.env.new"

  start_wineserver

  if [[ ! -f $WINEPREFIX/.tavilo-booted ]]; then
    echo "wine-session: booting a new prefix in $WINEPREFIX"
    (exec_without_inherited_fds env LC_ALL=$boot_locale "$WINELOADER" wineboot -i) ||
      fail "wineboot -i failed"
    # The first boot leaves a second service manager behind that races the
    # first one, so every later service start times out: begin afresh.
    stop_wineserver
    start_wineserver
    touch "$WINEPREFIX/.tavilo-booted"
  fi
  forget_tavilo
  # Brings the prefix's services up now, outside any test.
  (exec_without_inherited_fds env LC_ALL=$boot_locale "$WINELOADER" wineboot) ||
    fail "wineboot failed"
  apply_x11_settings
  map_tahoma
  install_marlett
  if [[ -n $desktop_keeper ]]; then
    start_desktop_keeper
  fi

  # Published last: wine-run.sh treats session.env as "session is up".
  mv "$session/session.env.new" "$session/session.env"
  echo "wine-session: prefix $WINEPREFIX, display $DISPLAY"
}

show_status() {
  local name pid
  [[ -f $pid_file ]] || { echo "no session"; return 0; }
  while read -r name pid; do
    if recorded_pid_alive "$name" "$pid"; then
      echo "$name $pid running"
    else
      echo "$name $pid gone"
    fi
  done <"$pid_file"
}

case $command in
  start) start_session ;;
  stop) mkdir -p "$session"; stop_session ;;
  status) show_status ;;
  *) echo "usage: $0 start|stop|status [<mingw build dir> [<desktop keeper exe>]]" >&2; exit 2 ;;
esac
