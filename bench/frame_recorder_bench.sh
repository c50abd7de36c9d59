#!/usr/bin/env bash
# Benchmark of the frame recorder (not a test): swaps FRAMES times (default 600,000) through
# QWK_FrameRecorder.dll's wglSwapBuffers and as often through opengl32's own, alternating in
# rounds in one run under Wine (tools/frame_recorder_meter), and prints the recorder's cost per
# swap in nanoseconds and as a ratio, and its memory. Uses a Wine prefix of its own.
# Usage: bench/frame_recorder_bench.sh [FRAMES]
set -euo pipefail
cd "$(dirname "$0")/.."
frames=${1:-600000}

source bench/bench_env.sh frame_recorder_meter frame_recorder

folder="$LURK_WINEPREFIX/drive_c/lurkframebench"
mkdir -p "$folder"
"$wine_run" "$build/tools/frame_recorder_meter.exe" "$(tr / '\\' <<<"Z:$build/bin/QWK_FrameRecorder.dll")" \
  'C:\lurkframebench\capture.bin' "$frames"
rm -rf "$folder"
