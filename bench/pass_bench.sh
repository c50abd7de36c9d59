#!/usr/bin/env bash
# Benchmark of the program itself (not a test): a three-resolution interactive pass with the
# stand-in game playing each demo for a fixed time, measured from outside by
# tools/pass_meter. Prints the program's processor time while the games run (target: under
# 10 ms per minute of game time), the time from one game's end to the next game's start
# beyond the fixed pauses (target: under 100 ms) and its peak working set (target: under
# 16 MB). Uses a Wine prefix of its own, so the test prefix is left alone.
# Usage: bench/pass_bench.sh [GAME_MS]   (default 60000 ms per game)
set -euo pipefail
cd "$(dirname "$0")/.."
game_ms=${1:-60000}

source bench/bench_env.sh QWK_Lurkmark prey dxdiag_standin pass_meter

# The program, the game folder and the diagnostics tool inside the prefix.
root="$LURK_WINEPREFIX/drive_c/lurkbench"
rm -rf "$root"
mkdir -p "$root/Program/Demos" "$root/Prey Game/base/Demos" "$root/Results"
cp "$build/bin/QWK_Lurkmark.exe" "$root/Program/"
cp data/Demos/*.demo "$root/Program/Demos/"
cp "$build/tools/prey.exe" "$root/Prey Game/"
system32=$LURK_WINEPREFIX/drive_c/windows/system32
[ "$arch" = i686 ] && [ -d "$LURK_WINEPREFIX/drive_c/windows/syswow64" ] && system32=$LURK_WINEPREFIX/drive_c/windows/syswow64
cp "$build/tools/dxdiag.exe" "$system32/dxdiag.exe"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;dxdiag.exe=n"
export LURK_DXDIAG_REPORT='Z:'"$(echo "$PWD" | tr / '\\')"'\tests\fixtures\dxdiag\win7_sp1_amd_mobility_hd5800_2play_2capture.txt'

key='HKLM\Software\Quenwick\Lurkmark'
"$wine_run" reg delete "$key" /f /reg:32 >/dev/null 2>&1 || true
while read -r name value; do
  "$wine_run" reg add "$key" /v "$name" /d "$value" /f /reg:32 >/dev/null
done <<'VALUES'
Path C:\lurkbench\Prey Game
ResultPath C:\lurkbench\Results\
Programversion 1.0
NoErrorWarning 0
640 1
1024 1
hdw3 1
Demo 1
Shader 2
VALUES
WINEPREFIX=$LURK_WINEPREFIX wineserver -w  # the settings reach the registry files; the desktop starts afresh

# The same chain without the program, for the system's own share of the gap between games.
printf 'prey.exe +set logFile 1 +timedemoquit rivo3v-6.demo\r\n' >"$root/Prey Game/baseline.bat"
export LURK_BASELINE_BAT='C:\lurkbench\Prey Game\baseline.bat'
export PREY_STANDIN="delay $game_ms;stamps C:\\lurkbench\\stamps.txt"
echo "Three games of $game_ms ms each under Wine; measuring..."
"$wine_run" "$build/tools/pass_meter.exe" 'C:\lurkbench\stamps.txt' 3 'C:\lurkbench\Program\QWK_Lurkmark.exe'
