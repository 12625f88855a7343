#!/usr/bin/env bash
# Runs one Windows program under Wine in the project's running session.
#   scripts/wine-run.sh [--locale <locale>] <program.exe> [<argument>...]
# The locale (LC_ALL for Wine) comes from --locale, else TAVILO_WINE_LOCALE,
# else en_US.UTF-8. The program's exit status is returned.
set -euo pipefail

. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

locale=${TAVILO_WINE_LOCALE:-en_US.UTF-8}
if [[ ${1:-} == --locale ]]; then
  locale=${2:?--locale needs a value}
  shift 2
fi
if (($# == 0)); then
  echo "usage: $0 [--locale <locale>] <program.exe> [<argument>...]" >&2
  exit 2
fi
if [[ ! -f $TAVILO_WINE_SESSION_DIR/session.env ]]; then
  echo "No Wine session for $TAVILO_WINE_BUILD_DIR: start one with" \
       "scripts/wine-session.sh start $TAVILO_WINE_BUILD_DIR (ctest does it)" >&2
  exit 2
fi

# env, so that this shell never tries to switch to the locale itself.
exec env LC_ALL="$locale" "$WINELOADER" "$@"
