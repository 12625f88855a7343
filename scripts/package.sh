#!/usr/bin/env bash
# Builds the release of this checkout into build/dist:
#   Tavilo-<version>-setup.exe     the per-user installer
#   Tavilo-<version>-portable.zip  Tavilo/tavilo.exe with README, LICENSE, NOTICE, portable.ini
#   SHA256SUMS
# <version> is project()'s VERSION in CMakeLists.txt. The build starts from
# an empty build/release (preset `release`), with SOURCE_DATE_EPOCH the date
# of the last commit, so that the same commit always gives the same bytes.
#
#   scripts/package.sh --check
# builds the committed HEAD twice, from two fresh clones in different folders
# (the second later, in another time zone and umask), compares tavilo.exe
# and the release files, names any that differ and fails then.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
. scripts/deps.sh
tavilo_ensure_packages

build_release() {
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
  export SOURCE_DATE_EPOCH
  rm -rf build/release build/dist
  cmake --preset release >/dev/null
  cmake --build --preset release --target tavilo_dist
  mkdir -p build/dist
  cp build/release/dist/Tavilo-*-setup.exe build/release/dist/Tavilo-*-portable.zip \
    build/release/dist/SHA256SUMS build/dist/
  echo "Release files in $root/build/dist:"
  (cd build/dist && ls -l --time-style=+ Tavilo-* && cat SHA256SUMS)
}

# A fresh clone of this checkout's HEAD (a worktree's own branch included).
clone_head() {
  local into=$1
  git init -q "$into"
  git -C "$into" fetch -q "$root" HEAD
  git -C "$into" checkout -q --detach FETCH_HEAD
}

check_reproducible() {
  local scratch first second name differ=0
  scratch=$(mktemp -d "${TMPDIR:-/tmp}/tavilo-check.XXXXXX")
  # shellcheck disable=SC2064 # the folder is named now, while it is known
  trap "rm -rf '$scratch'" EXIT
  first=$scratch/one/Tavilo
  second=$scratch/two/elsewhere/tavilo-src
  clone_head "$first"
  echo "=== first build in $first"
  (cd "$first" && umask 022 && TZ=UTC bash scripts/package.sh)
  clone_head "$second"
  echo "=== second build in $second"
  (cd "$second" && umask 002 && TZ=Asia/Tehran bash scripts/package.sh)
  for name in release/tavilo.exe $(cd "$first/build" && ls dist/*); do
    if cmp -s "$first/build/$name" "$second/build/$name"; then
      echo "same:    $name"
    else
      echo "DIFFERS: $name" >&2
      differ=1
    fi
  done
  ((differ == 0)) && echo "The two builds are identical, byte for byte."
  return "$differ"
}

if [[ ${1:-} == --check ]]; then
  check_reproducible
else
  build_release
fi
