#!/usr/bin/env bash
# Builds the calendar fuzzer (clang, libFuzzer with ASan and UBSan) if
# needed and runs it for the given number of seconds (default 30).
# New inputs go to a working corpus in the build tree; fuzz/corpus holds the
# committed seeds and is only read. A crash leaves its input in
# <build>/artifacts/ and makes this script fail.
#
# Usage: fuzz/run.sh [seconds] [extra libFuzzer flags...]
# Build tree: build/fuzz (the fuzz preset's), or $TAVILO_FUZZ_BUILD_DIR.
set -euo pipefail

seconds=${1:-30}
if (($# > 0)); then shift; fi
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TAVILO_FUZZ_BUILD_DIR:-$root/build/fuzz}

if [[ ! -f $build/CMakeCache.txt ]]; then
  # libFuzzer's main is linked into the fuzzer alone (fuzz/CMakeLists.txt):
  # in every executable it would break CMake's compiler check.
  (cd "$root" && cmake --preset fuzz -B "$build" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined")
fi
cmake --build "$build" --target calendar_fuzzer -j2

fuzzer=$(find "$build" -type f -name calendar_fuzzer -perm -u+x | head -n 1)
corpus=$build/corpus
artifacts=$build/artifacts/
mkdir -p "$corpus" "$artifacts"

"$fuzzer" "$corpus" "$root/fuzz/corpus" \
  -dict="$root/fuzz/calendar.dict" \
  -max_total_time="$seconds" -timeout=10 -max_len=256 \
  -artifact_prefix="$artifacts" -print_final_stats=1 "$@"
