#!/usr/bin/env bash
# One benchmark pass of the program under Wine, on a machine set up as a user's would be:
# installs what is missing, builds, and in a Wine prefix of its own installs the program in
# "C:\Program Files\Quenwick Lurkmark", the stand-in game in "C:\Games\Prey Game", the
# settings key as the installer creates it, and the stand-in diagnostics tool. Then it runs
#   QWK_Lurkmark.exe /BATCH /QUIET /640 /DEMO1 /SHIGH      (or the switches given)
# unattended, shows what the program prints, and whenever a report was written prints where it
# is and its score (with the flags of a flagged run); when none was, one line says why. It ends
# with the program's exit status (the README's table).
#   --interactive   starts the window instead, with 640 x 480, 1024 x 768 and the largest
#                   wide size the desktop offers (1920 x 1200 or 1920 x 1080) chosen: press
#                   Run. Give a display of your own with LURK_DISPLAY=:0 to see it (otherwise
#                   a private Xvfb); Wine's desktop is then as large as that screen.
# Usage: scripts/run.sh [--interactive] [SWITCHES...]
set -euo pipefail
cd "$(dirname "$0")/.."

interactive=0
if [ "${1:-}" = --interactive ]; then
  interactive=1
  shift
fi
switches=("$@")
[ ${#switches[@]} -gt 0 ] || switches=(/640 /DEMO1 /SHIGH)

bash scripts/install-deps.sh
# The i686 program where this host runs 32-bit processes, otherwise the x86_64 one.
source scripts/windows_arch.sh
lurk_choose_windows_arch || exit 2
arch=$lurk_arch
build="$PWD/build/win-$arch"
lurk_build_windows "$arch" -j 2 >/dev/null

# A prefix and display of its own: the tests' prefix is left alone.
export LURK_WINEPREFIX="$build/run-prefix"
export LURK_WINE_STATE="$build/run-state"
wine_run="$build/wine-run"
if [ -n "${LURK_DISPLAY:-}" ]; then
  export DISPLAY=$LURK_DISPLAY
  [ -f "$LURK_WINEPREFIX/system.reg" ] || "$wine_run" wineboot -i
  # Wine's desktop as large as this screen, never larger: a desktop kept from an earlier run
  # on a larger screen would open the windows off this one.
  desktop=$(xdpyinfo | awk '/dimensions:/ { print $2; exit }')
  "$wine_run" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null
  "$wine_run" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f >/dev/null
else
  tests/harness/wine-env.sh setup "$wine_run" >/dev/null
  trap 'tests/harness/wine-env.sh cleanup "$wine_run"' EXIT
  desktop=2048x1536  # the one tests/harness/wine-env.sh sets
fi
drive_c="$LURK_WINEPREFIX/drive_c"

# The program as its installer lays it out.
program="$drive_c/Program Files/Quenwick Lurkmark"
mkdir -p "$program"
cp -r "$build/bin/QWK_Lurkmark.exe" "$build/bin/Demos" "$build/bin/Help" "$program/"
# The game: the stand-in in a folder with a blank in its name.
game="$drive_c/Games/Prey Game"
mkdir -p "$game/base/Demos"
cp "$build/tools/prey.exe" "$game/"
results="$drive_c/Lurkmark Results"
mkdir -p "$results"
# The diagnostics tool answers with a report of a real machine (Wine's own writes only the
# system section). A 32-bit program on 64-bit Wine finds it in syswow64.
system32="$drive_c/windows/system32"
[ "$arch" = i686 ] && [ -d "$drive_c/windows/syswow64" ] && system32="$drive_c/windows/syswow64"
cp "$build/tools/dxdiag.exe" "$system32/dxdiag.exe"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;dxdiag.exe=n"
LURK_DXDIAG_REPORT='Z:'"$(echo "$PWD" | tr / '\\')"'\tests\fixtures\dxdiag\win10_1803_nvidia_gtx1060_two_monitor_entries_crlf.txt'
export LURK_DXDIAG_REPORT

# The settings key as the installer creates it (the 32-bit view, as the program sees it).
key='HKLM\Software\Quenwick\Lurkmark'
settings=("Path=C:\\Games\\Prey Game" "ResultPath=C:\\Lurkmark Results\\" "Programversion=1.0" "NoErrorWarning=0")
if [ $interactive = 1 ]; then
  # Only sizes the desktop offers: a larger one is dimmed in the window and not run.
  width=${desktop%x*}
  height=${desktop#*x}
  chosen="640 x 480, 1024 x 768"
  if [ "$width" -ge 1920 ] && [ "$height" -ge 1200 ]; then
    settings+=("hdw3=1")
    chosen="$chosen and 1920 x 1200"
  elif [ "$width" -ge 1920 ] && [ "$height" -ge 1080 ]; then
    settings+=("hdw2=1")
    chosen="$chosen and 1920 x 1080"
  fi
  settings+=("640=1" "1024=1" "Demo=1" "Shader=2" "AspectRatio=0" "AFLevel=0" "AALevel=0")
fi
for setting in "${settings[@]}"; do
  "$wine_run" reg add "$key" /v "${setting%%=*}" /d "${setting#*=}" /f /reg:32 >/dev/null
done
# Let the set-up's Wine session end: the next program then starts the virtual desktop.
WINEPREFIX=$LURK_WINEPREFIX wineserver -w

exe='C:\Program Files\Quenwick Lurkmark\QWK_Lurkmark.exe'
if [ $interactive = 1 ]; then
  echo "Starting $exe on a ${desktop} desktop: press Run for a pass of $chosen; reports go to $results"
  "$wine_run" "$exe"
  exit 0
fi

# Unattended: a refusal is a sentence on standard error and an exit status, never a box on a
# display nobody sees.
echo "Running $exe /BATCH /QUIET ${switches[*]}"
out=$(mktemp)
trap 'rm -f "$out"; [ -n "${LURK_DISPLAY:-}" ] || tests/harness/wine-env.sh cleanup "$wine_run"' EXIT
status=0
"$wine_run" "$exe" /BATCH /QUIET "${switches[@]}" | tee "$out" || status=${PIPESTATUS[0]}
# The program's lines end in CR LF; a Windows path under C: is a path in the prefix.
report=$(sed -n 's/^Report: //p' "$out" | tr -d '\r' | tail -1)
if [ -n "$report" ]; then
  case $report in
    [Cc]:\\*) report="$drive_c/$(printf '%s' "${report:3}" | tr '\\' /)" ;;
  esac
  echo "Report: $report"
  grep -o 'Score = [^<]*' "$report" || true
  # A scored run that a check flagged: its line on standard output carries the flags.
  grep -a ' FPS (' "$out" | tr -d '\r' | sed 's/^/Flagged: /' || true
else
  case $status in
    1) why="no run got a score" ;;
    2) why="the pass was refused before any game started" ;;
    3) why="the game's settings files could not be put back" ;;
    4) why="an internal error stopped the pass" ;;
    5) why="the report could not be written" ;;
    *) why="the program ended with status $status" ;;
  esac
  echo "No report was written: $why (see $program/debug.txt)" >&2
fi
exit "$status"
