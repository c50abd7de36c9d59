#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
# native unit tests with sanitizers, then the Windows build and its tests under Wine, then
# every fuzz target for a bounded time (LURK_FUZZ_SECONDS each, 10 unless set).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

arch=i686
if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
  arch=x86_64
  echo "WARNING: 32-bit Wine is not available: building and testing the x86_64 program with wine64." >&2
fi

jobs=$(nproc)
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLURK_SANITIZE=ON >/dev/null
cmake --build build/native -j "$jobs"
cmake -S . -B "build/win-$arch" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-mingw-$arch.cmake" >/dev/null
cmake --build "build/win-$arch" -j "$jobs"

status=0
log=$(mktemp)
(cd build/native && ctest --output-on-failure -j "$jobs") 2>&1 | tee "$log" || status=1
(cd "build/win-$arch" && ctest --output-on-failure) 2>&1 | tee -a "$log" || status=1
# One closing line for both runs.
read -r total failed < <(awk '/tests passed, [0-9]+ tests? failed out of/ {f += $(NF-5); t += $NF} END {print t+0, f+0}' "$log")
rm -f "$log"
[ "$failed" -eq 0 ] || status=1
# Ten seconds a target keeps the whole run within twenty minutes on two cores; longer runs:
# LURK_FUZZ_SECONDS=600 bash scripts/fuzz.sh.
LURK_FUZZ_SECONDS=${LURK_FUZZ_SECONDS:-10} bash scripts/fuzz.sh || status=1
echo "Tests: $((total - failed)) passed, $failed failed"
exit $status
