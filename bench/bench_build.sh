# Sourced by the benchmarks: builds the given targets in the Windows tree (i686 when 32-bit
# Wine is present). Sets `arch` and `build`.
#   source bench/bench_build.sh TARGET...
arch=i686
dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed' || arch=x86_64
build="$PWD/build/win-$arch"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-mingw-$arch.cmake" >/dev/null
fi
cmake --build "$build" -j 2 --target "$@" >/dev/null
