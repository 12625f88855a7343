#!/usr/bin/env bash
# Makes the release files from a built tavilo.exe:
#   packaging/make-dist.sh <tavilo.exe> <version> <output folder>
# writes Tavilo-<version>-setup.exe (packaging/tavilo.nsi),
# Tavilo-<version>-portable.zip (Tavilo/tavilo.exe, README.txt, LICENSE.txt,
# NOTICE.txt and portable.ini, which only the zip ships: it turns portable
# mode on) and SHA256SUMS into the output folder. The same inputs give the
# same bytes: every file time is SOURCE_DATE_EPOCH (by default the date of
# the checkout's last commit) and the zip is written in UTC in a fixed order.
set -euo pipefail

exe=${1:?usage: $0 <tavilo.exe> <version> <output folder>}
version=${2:?version}
out=${3:?output folder}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 315532800)}
setup=Tavilo-$version-setup.exe
portable=Tavilo-$version-portable.zip

mkdir -p "$out"
out=$(cd "$out" && pwd)
stage=$out/stage
rm -rf "$stage" "$out"/Tavilo-*-setup.exe "$out"/Tavilo-*-portable.zip "$out/SHA256SUMS"
mkdir -p "$stage/Tavilo"

# Windows line ends for the Notepad of every Windows version; the README
# also starts with a byte-order mark, without which older ones show its
# Persian as garbage.
windows_text() {
  sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$1"
}
install -m 755 "$exe" "$stage/Tavilo/tavilo.exe"
{ printf '\xEF\xBB\xBF'; windows_text "$root/packaging/README.txt"; } >"$stage/Tavilo/README.txt"
windows_text "$root/LICENSE" >"$stage/Tavilo/LICENSE.txt"
windows_text "$root/NOTICE" >"$stage/Tavilo/NOTICE.txt"
windows_text "$root/packaging/portable.ini" >"$stage/Tavilo/portable.ini"
chmod 755 "$stage/Tavilo"
chmod 644 "$stage/Tavilo"/*.txt "$stage/Tavilo/portable.ini"
touch -h -d "@$epoch" "$stage/Tavilo" "$stage/Tavilo"/*

(
  cd "$stage"
  printf '%s\n' Tavilo/ Tavilo/LICENSE.txt Tavilo/NOTICE.txt Tavilo/README.txt Tavilo/portable.ini \
      Tavilo/tavilo.exe |
    TZ=UTC zip -X -9 -q "$out/$portable" -@
)

makensis -V2 -INPUTCHARSET UTF8 \
  "-DVERSION=$version" "-DSTAGE=$stage/Tavilo" "-DICON=$root/assets/tavilo.ico" \
  "-DOUTFILE=$out/$setup" "$root/packaging/tavilo.nsi"

(cd "$out" && sha256sum "$setup" "$portable" >SHA256SUMS)
rm -rf "$stage"
