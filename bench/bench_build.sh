# Sourced by the benchmarks: builds the given targets in the Windows tree of the program this
# host runs (scripts/windows_arch.sh; LURK_ARCH overrides). Sets `arch` and `build`.
#   source bench/bench_build.sh TARGET...
source scripts/windows_arch.sh
lurk_choose_windows_arch || exit 2
arch=$lurk_arch
build="$PWD/build/win-$arch"
lurk_build_windows "$arch" -j 2 --target "$@" >/dev/null
