#!/usr/bin/env bash
# Builds the program and starts it under Wine on a private display, as a user would.
# Set LURK_DISPLAY=:0 to use a display of your own instead of a private Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
arch=i686
dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed' || arch=x86_64
build="build/win-$arch"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-mingw-$arch.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)"

state="$PWD/$build/wine-state"
if [ -n "${LURK_DISPLAY:-}" ]; then
  export DISPLAY=$LURK_DISPLAY
else
  tests/harness/wine-env.sh setup "$PWD/$build/wine-run"
  trap 'tests/harness/wine-env.sh cleanup "$PWD/$build/wine-run"' EXIT
fi
echo "Starting QWK_Lurkmark.exe $*"
"$build/wine-run" "$build/bin/QWK_Lurkmark.exe" "$@"
