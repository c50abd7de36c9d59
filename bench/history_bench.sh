#!/usr/bin/env bash
# Benchmark of the Results page (not a test): writes COUNT result data files (default 1000)
# and fills the page's list from that folder under Wine with tools/history_meter: listing,
# reading, parsing, sorting and filling the list view, as when the page opens. Uses a Wine
# prefix of its own.
# Usage: bench/history_bench.sh [COUNT]
set -euo pipefail
cd "$(dirname "$0")/.."
count=${1:-1000}

source bench/bench_env.sh history_meter

folder="$LURK_WINEPREFIX/drive_c/lurkhistorybench"
rm -rf "$folder"
"$wine_run" "$build/tools/history_meter.exe" 'C:\lurkhistorybench' "$count"
rm -rf "$folder"
