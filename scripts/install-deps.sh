#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine (run as root).
# Idempotent: returns quickly when all is present.
set -u

need=()
have() { command -v "$1" >/dev/null 2>&1; }
pkg_ok() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

pkgs_common=(wine wine64 mingw-w64-tools g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
             xvfb xauth x11-utils cmake ninja-build googletest python3 g++ imagemagick
             fp-utils tinyproxy nsis clang-14 libclang-rt-14-dev rapidjson-dev chromium
             python3-cryptography openssl)
pkgs_i386=(wine32:i386 libgstreamer-plugins-base1.0-0:i386 libgl1:i386 libgl1-mesa-dri:i386)

for p in "${pkgs_common[@]}" "${pkgs_i386[@]}"; do pkg_ok "$p" || need+=("$p"); done
if [ ${#need[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" != 0 ]; then
  echo "install-deps: missing packages (${need[*]}) and not root" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
# One i386 index may be mid-sync on the mirror; the rest of the update is still usable.
apt-get update || echo "install-deps: apt-get update reported an error; going on" >&2

apt-get install -y -t bookworm --no-install-recommends "${pkgs_common[@]}" libgl1 libgl1-mesa-dri

if ! apt-get install -y -t bookworm --no-install-recommends "${pkgs_i386[@]}"; then
  echo "####################################################################" >&2
  echo "WARNING: 32-bit Wine could not be installed; the scripts will build, run" >&2
  echo "and test the x86_64 program with Wine's 64-bit loader." >&2
  echo "####################################################################" >&2
fi
exit 0
