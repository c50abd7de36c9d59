#!/usr/bin/env bash
# Sizes of what users download (not a test): builds the packages and prints the program as
# linked and as shipped (stripped, in the installer and the zip), the upgrader it carries
# (stripped) and the two packages, in bytes and KiB.
# Usage: bench/sizes.sh
set -euo pipefail
cd "$(dirname "$0")/.."

# Always the i686 program that ships: building it runs nothing, so any host can.
source scripts/windows_arch.sh
build="$PWD/build/win-i686"
lurk_build_windows i686 -j 2 --target lurk_package >/dev/null

size() {
  local bytes
  bytes=$(stat -c %s "$2")
  printf '%-44s %9d bytes %7.1f KiB\n' "$1" "$bytes" "$(awk -v b="$bytes" 'BEGIN {print b / 1024}')"
}
size "QWK_Lurkmark.exe as linked (bin/)" "$build/bin/QWK_Lurkmark.exe"
size "QWK_Lurkmark.exe as shipped (stripped)" "$build/package/stage/QWK_Lurkmark.exe"
size "Upgrader.exe inside it (stripped)" "$build/upgrader/Upgrader.exe"
for package in "$build"/package/Lurkmark-*-setup.exe "$build"/package/Lurkmark-*-portable.zip; do
  size "$(basename "$package")" "$package"
done
