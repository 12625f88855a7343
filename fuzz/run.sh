#!/usr/bin/env bash
# Builds the fuzzers (clang, libFuzzer with ASan and UBSan) if needed and
# runs each in turn, sharing the given number of seconds (default 30): the
# calendar engine, then the events file.
# New inputs go to a working corpus per fuzzer in the build tree; the
# committed seeds (fuzz/corpus, fuzz/events-corpus) are only read. A crash
# leaves its input in <build>/artifacts/ and makes this script fail.
#
# Usage: fuzz/run.sh [seconds] [extra libFuzzer flags...]
# Build tree: build/fuzz (the fuzz preset's), or $TAVILO_FUZZ_BUILD_DIR.
set -euo pipefail

seconds=${1:-30}
if (($# > 0)); then shift; fi
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TAVILO_FUZZ_BUILD_DIR:-$root/build/fuzz}

if [[ ! -f $build/CMakeCache.txt ]]; then
  # libFuzzer's main is linked into the fuzzers alone (fuzz/CMakeLists.txt):
  # in every executable it would break CMake's compiler check.
  (cd "$root" && cmake --preset fuzz -B "$build" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined")
fi
cmake --build "$build" --target calendar_fuzzer events_fuzzer -j2

artifacts=$build/artifacts/
mkdir -p "$artifacts"

# name, committed seeds, longest input, dictionary (- for none)
targets=(
  "calendar_fuzzer corpus 256 calendar.dict"
  "events_fuzzer events-corpus 4096 -"
)
share=$(((seconds + ${#targets[@]} - 1) / ${#targets[@]}))
for target in "${targets[@]}"; do
  read -r name seeds max_len dict <<<"$target"
  dict_flag=()
  [[ $dict == - ]] || dict_flag=(-dict="$root/fuzz/$dict")
  fuzzer=$(find "$build" -type f -name "$name" -perm -u+x | head -n 1)
  corpus=$build/corpus/$name
  mkdir -p "$corpus"
  "$fuzzer" "$corpus" "$root/fuzz/$seeds" "${dict_flag[@]}" \
    -max_total_time="$share" -timeout=10 -max_len="$max_len" \
    -artifact_prefix="$artifacts" -print_final_stats=1 "$@"
done
