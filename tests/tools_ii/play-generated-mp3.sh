#!/usr/bin/env bash
# Makes a few seconds of 16-bit mono sound as a WAV file, encodes it to MP3
# with lame under a Persian file name (the one the test expects) in a folder
# with a space, and runs the MP3 playback test on it under Wine:
#   play-generated-mp3.sh <tools_ii_mp3_playback.exe>
set -euo pipefail

test_exe=${1:?usage: $0 <test executable>}
. "${TAVILO_SOURCE_DIR:?}/scripts/wine-env.sh"

work=$(mktemp -d "$TAVILO_WINE_BUILD_DIR/mp3 playback.XXXXXX")
trap 'rm -rf "$work"' EXIT

rate=44100
seconds=5
data_bytes=$((rate * 2 * seconds))

# Little-endian unsigned integers of 2 and 4 bytes, as octal escapes.
le16() { printf "\\$(printf %03o $(($1 & 255)))\\$(printf %03o $((($1 >> 8) & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $((($1 >> 16) & 65535)); }

{
  printf 'RIFF'; le32 $((36 + data_bytes)); printf 'WAVE'
  printf 'fmt '; le32 16; le16 1; le16 1; le32 "$rate"; le32 $((rate * 2)); le16 2; le16 16
  printf 'data'; le32 "$data_bytes"
  head -c "$data_bytes" /dev/urandom
} >"$work/noise.wav"

song="$work/آهنگ آزمایشی.mp3"
lame --quiet "$work/noise.wav" "$song"

# Z: is the host's root in every Wine prefix. The runner's locale (en_US.UTF-8,
# compiled by scripts/deps.sh) lets Wine read the Persian host file name as
# UTF-8, while the Windows side gets en-US and its Latin ANSI code page.
TAVILO_TEST_MP3_DIR="Z:${work//\//\\}" "$TAVILO_WINE_RUN" "$test_exe"
