#!/usr/bin/env bash
# The choice of the Windows program, with the probe replaced: a host that runs 32-bit
# processes, one that does not, the overrides, and the probe itself against fake loaders.
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/windows_arch.sh"
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Runs the choice in a subshell with the given probe answer (yes|no) and LURK_ARCH; prints
# "rc arch wine" on its last line, stdout and stderr before it.
choose() {  # probe, override
  (
    if [ "$1" = yes ]; then lurk_host_runs_32bit() { return 0; }; else lurk_host_runs_32bit() { return 1; }; fi
    LURK_ARCH=$2
    lurk_arch=none lurk_wine=none
    lurk_choose_windows_arch 2>&1
    echo "$? $lurk_arch $lurk_wine"
  )
}

# probe | LURK_ARCH | rc | arch | loader | a word the message must hold
while read -r probe override rc arch wine says; do
  [ "$override" = - ] && override=
  out=$(choose "$probe" "$override")
  last=$(tail -n 1 <<<"$out")
  message=$(head -n -1 <<<"$out")
  [ "$last" = "$rc $arch $wine" ] || fail "probe=$probe LURK_ARCH=$override: got '$last', want '$rc $arch $wine'"
  [ "$(wc -l <<<"$message")" = 1 ] || fail "probe=$probe LURK_ARCH=$override: not one line: $message"
  grep -q -- "$says" <<<"$message" || fail "probe=$probe LURK_ARCH=$override: '$message' does not say '$says'"
done <<'EOF'
yes -      0 i686   /usr/lib/wine/wine   runs.32-bit.processes
no  -      0 x86_64 /usr/lib/wine/wine64 runs.no.32-bit.process
yes x86_64 0 x86_64 /usr/lib/wine/wine64 chosen.by.LURK_ARCH
no  x86_64 0 x86_64 /usr/lib/wine/wine64 chosen.by.LURK_ARCH
yes i686   0 i686   /usr/lib/wine/wine   chosen.by.LURK_ARCH
no  i686   1 none   none                 LURK_ARCH=i686.asks.for.the.32-bit.program
yes arm64  1 none   none                 not.a.Windows.build
EOF

# The probe runs the loader: one that runs passes, one that fails to start (as an i386 ELF
# does on a kernel without 32-bit support) and a missing one do not.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
printf '#!/bin/sh\necho wine-8.0\n' >"$tmp/runs"
printf '#!/bin/sh\necho "Exec format error" >&2\nexit 126\n' >"$tmp/fails"
chmod +x "$tmp/runs" "$tmp/fails"
for case in "runs yes" "fails no" "missing no"; do
  set -- $case
  answer=no
  (lurk_wine32_loader="$tmp/$1"; lurk_host_runs_32bit) && answer=yes
  [ $answer = "$2" ] || fail "probe with a loader that $1 answered $answer"
done

if [ $failures -gt 0 ]; then
  echo "$failures failures"
  exit 1
fi
echo "windows_arch: all cases pass"
