#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
# native unit tests with sanitizers, then the Windows builds and their tests under Wine, then
# every fuzz target for a bounded time (LURK_FUZZ_SECONDS each, 10 unless set).
#
# The Windows tests run against the program this host can run (scripts/windows_arch.sh): the
# i686 one that ships where the host runs 32-bit processes, and then the x86_64 one as well,
# so that the fall-back never rots; only the x86_64 one where it does not. The i686 program
# and its packages are always built, and the checks that do not run them always run.
# LURK_ARCH=i686|x86_64 runs the Windows tests of that program alone.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
source scripts/windows_arch.sh
lurk_choose_windows_arch || exit 2
suites=("$lurk_arch")
if [ -z "${LURK_ARCH:-}" ] && [ "$lurk_arch" = i686 ]; then
  suites+=(x86_64)
  echo "Windows tests: also the x86_64 program, run with Wine's 64-bit loader, so that the fall-back keeps working"
fi
trees=("${suites[@]}")
[ "$lurk_arch" = i686 ] || trees=(i686 "${trees[@]}")

jobs=$(nproc)
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLURK_SANITIZE=ON >/dev/null
cmake --build build/native -j "$jobs"
for arch in "${trees[@]}"; do
  lurk_build_windows "$arch" -j "$jobs"
done

status=0
logs=$(mktemp -d)
# Each ctest run in a log of its own, which the closing lines count.
run_ctest() {  # name, build tree, ctest arguments...
  local name=$1 tree=$2
  shift 2
  (cd "$tree" && ctest --output-on-failure "$@") 2>&1 | tee "$logs/$name" || status=1
}
run_ctest native build/native -j "$jobs"
if [ "$lurk_arch" != i686 ]; then
  # The shipped program cannot run here; what does not run it is still checked.
  echo "The i686 program: the checks that do not run it (package contents, imports, rights)"
  run_ctest i686-static build/win-i686 -E '^wine\.'
fi
gtest_skips=0
for arch in "${suites[@]}"; do
  echo "Windows tests of the $arch program"
  run_ctest "$arch" "build/win-$arch"
  # Cases a test program skipped on this build, each with its reason (ctest counts the
  # program as passed).
  last="build/win-$arch/Testing/Temporary/LastTest.log"
  if [ -f "$last" ] && grep -aq ': Skipped' "$last"; then
    echo "Skipped cases of the $arch program:"
    grep -a -A1 ': Skipped' "$last" | grep -av -e '^--$' -e ': Skipped' | sed 's/^/    /'
    count=$(grep -ac -E '^\[  SKIPPED \] [^ ]+ \([0-9]+ ms\)' "$last" || true)
    gtest_skips=$((gtest_skips + ${count:-0}))
  fi
done

# One closing line per run, and one for all: ctest's own summary, with what it skipped.
summary() {  # log -> "total failed skipped"
  awk '/tests passed, [0-9]+ tests? failed out of/ {f += $(NF-5); t += $NF}
       /^ *[0-9]+\/[0-9]+ Test +#[0-9]+: .*\*\*\*Skipped/ {s++}
       END {print t+0, f+0, s+0}' "$1"
}
all_total=0 all_failed=0 all_skipped=0
for log in "$logs"/*; do
  read -r total failed skipped < <(summary "$log")
  [ "$total" -gt 0 ] || { echo "No tests ran in ${log##*/}"; status=1; }
  echo "Tests (${log##*/}): $((total - failed - skipped)) passed, $failed failed, $skipped skipped"
  all_total=$((all_total + total)) all_failed=$((all_failed + failed)) all_skipped=$((all_skipped + skipped))
done
rm -rf "$logs"
[ "$all_failed" -eq 0 ] || status=1
# Ten seconds a target keeps the fuzzing within three minutes on two cores; longer runs:
# LURK_FUZZ_SECONDS=600 bash scripts/fuzz.sh.
LURK_FUZZ_SECONDS=${LURK_FUZZ_SECONDS:-10} bash scripts/fuzz.sh || status=1
echo "Tests: $((all_total - all_failed - all_skipped)) passed, $all_failed failed, $all_skipped skipped, $gtest_skips skipped cases inside them (Windows suites: ${suites[*]})"
exit $status
