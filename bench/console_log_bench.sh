#!/usr/bin/env bash
# Benchmark of the console log reader (not a test): writes a console log of MB megabytes
# (default 100) with the result line near its end, and one without, and reads each once
# through the program's reader under Wine with tools/log_read_meter, printing the time of the
# read and the most heap memory it held at once. Uses a Wine prefix of its own.
# Usage: bench/console_log_bench.sh [MB]
set -euo pipefail
cd "$(dirname "$0")/.."
megabytes=${1:-100}

source bench/bench_env.sh log_read_meter

folder="$LURK_WINEPREFIX/drive_c/lurklogbench"
mkdir -p "$folder"
for variant in score noscore; do
  "$wine_run" "$build/tools/log_read_meter.exe" 'C:\lurklogbench' "$megabytes" "$variant"
done
rm -rf "$folder"
