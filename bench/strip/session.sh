# Sourced by measure.sh and soak.sh from the project's root, with `root` and
# `build` set: builds tavilo.exe, the desktop keeper and the bench programs
# named as arguments in `build` (Release, mingw-w64), then starts a Wine
# session of its own there, with a private Xvfb (DISPLAY unset) and Wine's
# desktop held open by the keeper, so that no start includes the desktop's.
# Sets `bin`, WINEPREFIX, WINELOADER and DISPLAY; stop_bench_session ends it.
stop_bench_session() {
  bash "$root/scripts/wine-session.sh" stop "$build" >/dev/null 2>&1 || true
}
. scripts/deps.sh
tavilo_ensure_packages
mkdir -p "$build"
build=$(cd "$build" && pwd)
cmake -S bench/strip -B "$build" --toolchain "$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >"$build/configure.log"
cmake --build "$build" -j2 --target tavilo strip_desktop_keeper "$@" >"$build/build.log"
bin=$build/bin

env -u DISPLAY bash scripts/wine-session.sh start "$build" "$bin/strip_desktop_keeper.exe"
export TAVILO_WINE_BUILD_DIR=$build
. scripts/wine-env.sh
export DISPLAY
