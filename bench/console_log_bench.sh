#!/usr/bin/env bash
# Benchmark of the console log reader (not a test): writes a console log of MB megabytes
# (default 100) with the result line near its end, and one without, and reads each once
# through the program's reader under Wine with tools/log_read_meter, printing the time of the
# read and the memory it took at its peak. Uses a Wine prefix of its own.
# Usage: bench/console_log_bench.sh [MB]
set -euo pipefail
cd "$(dirname "$0")/.."
megabytes=${1:-100}

arch=i686
dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed' || arch=x86_64
build="$PWD/build/win-$arch"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-mingw-$arch.cmake" >/dev/null
fi
cmake --build "$build" -j 2 --target log_read_meter >/dev/null

export LURK_WINEPREFIX="$build/bench-prefix"
export LURK_WINE_STATE="$build/bench-state"
wine_run="$build/wine-run"
tests/harness/wine-env.sh setup "$wine_run" >/dev/null
trap 'tests/harness/wine-env.sh cleanup "$wine_run"; rm -rf "$LURK_WINEPREFIX/drive_c/lurklogbench"' EXIT

mkdir -p "$LURK_WINEPREFIX/drive_c/lurklogbench"
for variant in score noscore; do
  "$wine_run" "$build/tools/log_read_meter.exe" 'C:\lurklogbench' "$megabytes" "$variant"
done
