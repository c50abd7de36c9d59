#!/usr/bin/env bash
# scripts/run.sh as a user runs it, for the three ends of a pass: scored (status 0, report and
# score), flagged (status 6, report, score and the flag) and refused (status 2 at once, the
# program's sentence, no report). Each run is bounded; all three share the script's prefix.
# Usage: run_script_test.sh ARCH
set -u
cd "$(dirname "$0")/../.."
export LURK_ARCH=$1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Runs the script with the environment given; sets status, out and err.
run() {  # VAR=VALUE... -- SWITCHES...
  local envs=()
  while [ "$1" != -- ]; do envs+=("$1"); shift; done
  shift
  out=$(mktemp) err=$(mktemp)
  env "${envs[@]}" timeout 300 bash scripts/run.sh "$@" >"$out" 2>"$err"
  status=$?
  stdout=$(tr -d '\r' <"$out") stderr=$(tr -d '\r' <"$err")
  rm -f "$out" "$err"
}

expect_report() {  # case name
  local report
  report=$(sed -n 's/^Report: //p' <<<"$stdout" | tail -1)
  case $report in
    /*/Lurkmark\ Results/result_*.htm) [ -f "$report" ] || fail "$1: no file at $report" ;;
    *) fail "$1: no Linux path of the report in: $stdout" ;;
  esac
  grep -q '^Score = [0-9.]* FPS' <<<"$stdout" || fail "$1: no score in: $stdout"
}

# The processor is read as unknown, so that a loaded machine raises no flag.
run LURK_QUIET_PROCESSOR=1 -- /640 /DEMO1 /SHIGH
[ $status = 0 ] || fail "scored: status $status, stderr: $stderr"
grep -q '^640x480: [0-9.]* FPS$' <<<"$stdout" || fail "scored: the program's line is not shown: $stdout"
expect_report scored
grep -q '^Flagged' <<<"$stdout" && fail "scored: flagged: $stdout"

# The game opens a window of another size than asked: the run scores and is flagged.
run LURK_QUIET_PROCESSOR=1 "PREY_STANDIN=window 800x600" -- /640 /DEMO1 /SHIGH
[ $status = 6 ] || fail "flagged: status $status, stderr: $stderr"
expect_report flagged
grep -q '^Flagged: 640x480: [0-9.]* FPS (The game ran at 800x600, not at the resolution asked.)$' <<<"$stdout" ||
  fail "flagged: no flag line: $stdout"

# A typing error: refused at once, in the program's words, with no report.
start=$SECONDS
run -- /1204 /DEMO1
[ $status = 2 ] || fail "refused: status $status"
grep -qx 'Lurkmark does not know the switch "/1204". The benchmark was not started (/QUIET).' <<<"$stderr" ||
  fail "refused: not the program's sentence: $stderr"
grep -q '^No report was written: the pass was refused before any game started' <<<"$stderr" ||
  fail "refused: no reason line: $stderr"
grep -q '^Report:' <<<"$stdout" && fail "refused: a report: $stdout"
echo "refused run took $((SECONDS - start)) s (set-up included)"

[ $failures = 0 ] && echo "run.sh: scored, flagged and refused as expected"
exit $((failures > 0))
