# Sourced by every script that builds or runs the Windows programs: chooses which of them
# this host can run under Wine.
#
# The i686 program is the one that ships. It runs under Wine only where the kernel runs 32-bit
# processes, which the package list cannot tell (wine32:i386 installs on kernels without
# 32-bit support): so the choice runs Wine's 32-bit loader and looks at what happens. Where it
# cannot run, the x86_64 build of the same sources is run with Wine's 64-bit loader.
# LURK_ARCH=i686|x86_64 overrides the choice.
#
#   lurk_choose_windows_arch   sets lurk_arch and lurk_wine, prints one line saying which
#                              program and why; returns 1 (with a message) when LURK_ARCH asks
#                              for what this host cannot run or for an unknown build.
#   lurk_host_runs_32bit       the probe; tests replace it.

lurk_wine32_loader=/usr/lib/wine/wine
lurk_wine64_loader=/usr/lib/wine/wine64

lurk_host_runs_32bit() {
  [ -x "$lurk_wine32_loader" ] && "$lurk_wine32_loader" --version >/dev/null 2>&1
}

lurk_wine_loader_for() {
  case $1 in
    i686) echo "$lurk_wine32_loader" ;;
    x86_64) echo "$lurk_wine64_loader" ;;
  esac
}

lurk_choose_windows_arch() {
  local runs32=0
  lurk_host_runs_32bit && runs32=1
  case ${LURK_ARCH:-} in
    "")
      if [ $runs32 = 1 ]; then
        lurk_arch=i686
        echo "Windows program: i686 (the one that ships), run with Wine's 32-bit loader: this host runs 32-bit processes"
      else
        lurk_arch=x86_64
        echo "Windows program: x86_64, run with Wine's 64-bit loader: this host runs no 32-bit process ($lurk_wine32_loader --version failed)"
      fi
      ;;
    i686)
      if [ $runs32 = 0 ]; then
        echo "LURK_ARCH=i686 asks for the 32-bit program, but this host runs no 32-bit process ($lurk_wine32_loader --version failed); use LURK_ARCH=x86_64 or leave LURK_ARCH unset" >&2
        return 1
      fi
      lurk_arch=i686
      echo "Windows program: i686 (the one that ships), run with Wine's 32-bit loader: chosen by LURK_ARCH"
      ;;
    x86_64)
      lurk_arch=x86_64
      echo "Windows program: x86_64, run with Wine's 64-bit loader: chosen by LURK_ARCH"
      ;;
    *)
      echo "LURK_ARCH=$LURK_ARCH is not a Windows build of this project: use i686 or x86_64" >&2
      return 1
      ;;
  esac
  lurk_wine=$(lurk_wine_loader_for "$lurk_arch")
}

# Configures (once) and builds targets of the Windows tree of one architecture: build/win-ARCH.
#   lurk_build_windows ARCH [cmake --build arguments...]
lurk_build_windows() {
  local arch=$1
  shift
  local tree="build/win-$arch"
  if [ ! -f "$tree/build.ninja" ]; then
    cmake -S . -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-mingw-$arch.cmake" >/dev/null
  fi
  cmake --build "$tree" "$@"
}
