# Sourced by the benchmarks: builds the given targets in the Windows tree (i686 when 32-bit
# Wine is present) and starts a Wine prefix of the benchmarks' own, so the test prefix is
# left alone; it is ended when the benchmark exits. Sets `build` and `wine_run`.
#   source bench/bench_env.sh TARGET...
arch=i686
dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed' || arch=x86_64
build="$PWD/build/win-$arch"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-mingw-$arch.cmake" >/dev/null
fi
cmake --build "$build" -j 2 --target "$@" >/dev/null

export LURK_WINEPREFIX="$build/bench-prefix"
export LURK_WINE_STATE="$build/bench-state"
wine_run="$build/wine-run"
tests/harness/wine-env.sh setup "$wine_run" >/dev/null
trap 'tests/harness/wine-env.sh cleanup "$wine_run"' EXIT
