#!/usr/bin/env bash
# Benchmark of the results list (not a test): writes COUNT result data files (default 1000)
# taken by COMPUTERS PCs (default 50) from Linux (bench/history_files.py), then fills the
# results window's list from that folder under Wine with tools/history_meter: listing, reading,
# parsing, sorting and filling the list view, as when the window opens. Measures the first fill
# of a folder never read (no index beside the files) and the fills of a folder read before
# (through the index), then one after a pass arrived. Uses a Wine prefix of its own.
# Usage: bench/history_bench.sh [COUNT] [COMPUTERS]
set -euo pipefail
cd "$(dirname "$0")/.."
count=${1:-1000}
computers=${2:-50}

source bench/bench_env.sh history_meter

folder="$LURK_WINEPREFIX/drive_c/lurkhistorybench"
rm -rf "$folder" "$folder.arrival"
start=$SECONDS
python3 bench/history_files.py "$folder" "$count" "$computers"
echo "writing $count files from Linux: $((SECONDS - start)) s"
"$wine_run" "$build/tools/history_meter.exe" 'C:\lurkhistorybench' "$count" "$computers"
rm -rf "$folder" "$folder.arrival"
