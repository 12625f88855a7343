#!/usr/bin/env bash
# Builds tavilo.exe and runs it under Wine in the project's private prefix.
# With a DISPLAY it runs there until the program ends. Without one it runs
# in Xvfb (1280x800x24) for TAVILO_RUN_SECONDS (default 6), saves a
# screenshot to build/screenshot.png and stops everything it started.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
. scripts/deps.sh
tavilo_ensure_packages

cmake --preset mingw
cmake --build --preset mingw --target tavilo

build=$root/build/mingw
exe=$build/tavilo.exe
screenshot=$root/build/screenshot.png
headless=0
[[ -z ${DISPLAY:-} ]] && headless=1

trap 'bash scripts/wine-session.sh stop "$build"' EXIT
bash scripts/wine-session.sh start "$build"
export TAVILO_WINE_BUILD_DIR=$build
. scripts/wine-env.sh

if ((headless == 0)); then
  bash scripts/wine-run.sh "$exe"
  exit
fi

bash scripts/wine-run.sh "$exe" &
program=$!
sleep "${TAVILO_RUN_SECONDS:-6}"
if ! kill -0 "$program" 2>/dev/null; then
  wait "$program" || echo "tavilo.exe ended early with status $?" >&2
fi
import -window root "$screenshot"
echo "Screenshot: $screenshot"
# Stopping the session ends the program; reap its runner.
bash scripts/wine-session.sh stop "$build"
wait "$program" 2>/dev/null || true
