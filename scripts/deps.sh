#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the Wine runs need.
# Run it directly, or source it and call tavilo_ensure_packages.
# As root it installs what is missing; otherwise it names the missing
# packages and fails.

TAVILO_PACKAGES=(
  cmake g++ clang libclang-rt-14-dev googletest libbenchmark-dev libicu-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine64 xvfb xdotool imagemagick x11-utils xcompmgr fonts-dejavu-extra libx11-dev
  lame gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  nodejs procps
)

tavilo_missing_packages() {
  local package status
  for package in "${TAVILO_PACKAGES[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    if [[ $status != "install ok installed" ]]; then
      echo "$package"
    fi
  done
}

tavilo_ensure_packages() {
  local missing
  mapfile -t missing < <(tavilo_missing_packages)
  if ((${#missing[@]} == 0)); then
    return 0
  fi
  if [[ $(id -u) -ne 0 ]]; then
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "Install them as root: apt-get install --no-install-recommends ${missing[*]}" >&2
    return 1
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q &&
    apt-get install -y -q --no-install-recommends "${missing[@]}"
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
  set -euo pipefail
  tavilo_ensure_packages
fi
