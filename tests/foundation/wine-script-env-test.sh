#!/usr/bin/env bash
# What an end-to-end script gets from tavilo_add_wine_script_test: the Wine
# session's environment, a display it can capture, and a runner whose
# default locale is en-US.
set -euo pipefail

. "$TAVILO_SOURCE_DIR/scripts/wine-env.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

[[ -n ${DISPLAY:-} ]] || { echo "no DISPLAY from the session" >&2; exit 1; }
[[ -f $WINEPREFIX/system.reg ]] || { echo "prefix not booted: $WINEPREFIX" >&2; exit 1; }
[[ -x $WINELOADER ]] || { echo "no Wine loader: $WINELOADER" >&2; exit 1; }

xdpyinfo >/dev/null || { echo "display $DISPLAY does not answer" >&2; exit 1; }
import -window root "$work/screen.png"
[[ -s $work/screen.png ]] || { echo "screenshot is empty" >&2; exit 1; }

# wine-run.sh without a locale request pins en_US.UTF-8 for the program.
seen=$(env -u TAVILO_WINE_LOCALE LC_ALL=C.UTF-8 \
  bash "$TAVILO_WINE_RUN" cmd.exe /c echo %LC_ALL% | tr -d '\r')
if [[ $seen != en_US.UTF-8 ]]; then
  echo "default locale seen by the program: '$seen'" >&2
  exit 1
fi
# The test's own locale request reaches the program.
seen=$(bash "$TAVILO_WINE_RUN" cmd.exe /c echo %LC_ALL% | tr -d '\r')
if [[ $seen != "$TAVILO_WINE_LOCALE" ]]; then
  echo "requested $TAVILO_WINE_LOCALE, program saw '$seen'" >&2
  exit 1
fi
echo "session environment ok: $WINEPREFIX on $DISPLAY"
