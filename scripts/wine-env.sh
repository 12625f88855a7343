# Source this file to talk to the project's Wine session:
#   TAVILO_WINE_BUILD_DIR=<mingw build dir> . scripts/wine-env.sh
# (default build/mingw of this checkout). It exports WINEPREFIX, WINELOADER,
# WINESERVER, WINEDEBUG, WINEDLLOVERRIDES and, while a session started by
# scripts/wine-session.sh is running, its DISPLAY (and the silent sound
# setup of a headless session). Run programs with scripts/wine-run.sh, which
# also pins the locale.

TAVILO_SOURCE_DIR=${TAVILO_SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
TAVILO_WINE_BUILD_DIR=${TAVILO_WINE_BUILD_DIR:-$TAVILO_SOURCE_DIR/build/mingw}
TAVILO_WINE_SESSION_DIR=$TAVILO_WINE_BUILD_DIR/wine-session
export TAVILO_SOURCE_DIR TAVILO_WINE_BUILD_DIR TAVILO_WINE_SESSION_DIR

# Debian's wine64 package has no `wine` command: use its loader directly.
tavilo_wine_tool() {
  local tool=$1
  if [[ -x /usr/lib/wine/$tool ]]; then
    echo "/usr/lib/wine/$tool"
  else
    dpkg -L wine64 2>/dev/null | grep -m1 "/$tool\$" || command -v "$tool" || true
  fi
}

export WINEPREFIX=$TAVILO_WINE_BUILD_DIR/wineprefix
export WINELOADER=${WINELOADER:-$(tavilo_wine_tool wine64)}
export WINESERVER=${WINESERVER:-$(tavilo_wine_tool wineserver64)}
export WINEDEBUG=-all
# No Mono/Gecko install prompts, no menu entries written into the host's home.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export TAVILO_WINE_RUN=$TAVILO_SOURCE_DIR/scripts/wine-run.sh

if [[ -f $TAVILO_WINE_SESSION_DIR/session.env ]]; then
  # shellcheck source=/dev/null
  . "$TAVILO_WINE_SESSION_DIR/session.env"
fi
