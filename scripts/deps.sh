#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the Wine runs need.
# Run it directly, or source it and call tavilo_ensure_packages.
# As root it installs what is missing; otherwise it names the missing
# packages and fails.

TAVILO_PACKAGES=(
  cmake g++ clang libclang-rt-14-dev googletest libbenchmark-dev libicu-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine64 fonts-wine xvfb xdotool imagemagick x11-utils xcompmgr fonts-dejavu-extra libx11-dev
  lame gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  nodejs procps locales python3-icalendar
  nsis zip unzip git
)

# Locales the Wine tests run in. Wine takes its code page and date formats
# from LC_ALL; without the compiled locale it falls back to a non-UTF-8 code
# page and garbles Persian file names and arguments.
TAVILO_LOCALES=(en_US en_GB fa_IR de_DE)

tavilo_missing_packages() {
  local package status
  for package in "${TAVILO_PACKAGES[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    if [[ $status != "install ok installed" ]]; then
      echo "$package"
    fi
  done
}

tavilo_ensure_locales() {
  local name have
  have=$(locale -a 2>/dev/null)
  for name in "${TAVILO_LOCALES[@]}"; do
    if ! grep -qix "$name.utf8" <<<"$have"; then
      if [[ $(id -u) -ne 0 ]]; then
        echo "Missing locale $name.UTF-8 (as root: localedef -i $name -f UTF-8 $name.UTF-8)" >&2
        return 1
      fi
      localedef -i "$name" -f UTF-8 "$name.UTF-8"
    fi
  done
}

tavilo_ensure_packages() {
  local missing
  mapfile -t missing < <(tavilo_missing_packages)
  if ((${#missing[@]} == 0)); then
    tavilo_ensure_locales
    return
  fi
  if [[ $(id -u) -ne 0 ]]; then
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "Install them as root: apt-get install --no-install-recommends ${missing[*]}" >&2
    return 1
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q &&
    apt-get install -y -q --no-install-recommends "${missing[@]}" &&
    tavilo_ensure_locales
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
  set -euo pipefail
  tavilo_ensure_packages
fi
