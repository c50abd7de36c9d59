#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz (clang's libFuzzer with AddressSanitizer and UBSan,
# in build/fuzz) and runs each for a bounded time, starting from its committed seeds in
# tests/fuzz/corpus/<name>/. Fails when any target finds a crash, leak, hang, memory blow-up
# or broken property; the input that did it is kept in build/fuzz/artifacts/.
#
#   bash scripts/fuzz.sh [name...]       every target, or the ones named (e.g. base64)
#   LURK_FUZZ_SECONDS=600 bash scripts/fuzz.sh   longer runs (default 20 s per target);
#                                         0 only replays the seeds and what earlier runs kept
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${LURK_FUZZ_SECONDS:-20}
build=build/fuzz
# A single input slower than this counts as a hang.
unit_timeout=10

if [ ! -f "$build/build.ninja" ]; then
  CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLURK_FUZZ=ON >/dev/null
fi
cmake --build "$build" -j 2 >/dev/null || { cmake --build "$build" -j 1; exit 1; }

if [ $# -gt 0 ]; then
  names=("$@")
else
  names=()
  for exe in "$build"/bin/fuzz_*; do names+=("${exe##*/fuzz_}"); done
fi

export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$build/artifacts" "$build/logs"
failed=()
for name in "${names[@]}"; do
  exe="$build/bin/fuzz_$name"
  seeds="tests/fuzz/corpus/$name"
  # New inputs go to the build tree's corpus, which later runs start from; the seeds stay as committed.
  work="$build/corpus/$name"
  log="$build/logs/$name.log"
  [ -x "$exe" ] || { echo "fuzz: no target $name" >&2; failed+=("$name"); continue; }
  mkdir -p "$work"
  dirs=("$work")
  if [ -d "$seeds" ]; then dirs+=("$seeds"); else echo "fuzz: $name has no seeds in $seeds" >&2; fi
  args=(-timeout="$unit_timeout" -rss_limit_mb=2048 -artifact_prefix="$build/artifacts/$name-" -print_final_stats=1)
  if [ "$seconds" -gt 0 ]; then args+=(-max_total_time="$seconds"); else args+=(-runs=0); fi
  start=$(date +%s.%N)
  rc=0
  "$exe" "${args[@]}" "${dirs[@]}" >"$log" 2>&1 || rc=$?
  elapsed=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN {print b - a}')
  runs=$(awk '/^stat::number_of_executed_units/ {print $NF}' "$log" | tail -n 1)
  printf 'fuzz %-20s %10s executions in %6.1f s  ' "$name" "${runs:-?}" "$elapsed"
  if [ $rc -eq 0 ]; then
    echo "clean"
  else
    echo "FAILED (exit $rc), log $log"
    grep -a -E 'ERROR:|SUMMARY:|property failed|Test unit written' "$log" | sed 's/^/    /' | head -n 12
    failed+=("$name")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzing: ${#failed[@]} of ${#names[@]} targets failed: ${failed[*]}"
  exit 1
fi
echo "Fuzzing: ${#names[@]} targets clean"
