#!/usr/bin/env bash
# Runs a test beside a second PC: another Wine prefix (its own registry, computer name
# "LURK-PC2" and wineserver; needs root for the host name of its own), both prefixes seeing one shared results folder as the UNC path
# \\lurklab\results\ (Wine maps it through dosdevices/unc). The test has the second PC run
# programs through request files: it writes NAME.args (the program and its arguments, one a
# line) into LURK_PC2_REQUESTS; this script runs it in the second prefix and leaves NAME.out,
# NAME.err and, last, NAME.status (the exit status).
# Usage: with-second-pc.sh WINE_RUN COMMAND...
set -u
wine_run=$1
shift
prefix=$(sed -n 's/^export WINEPREFIX="${LURK_WINEPREFIX:-\(.*\)}"$/\1/p' "$wine_run")
prefix=${LURK_WINEPREFIX:-$prefix}
pc2=$prefix-pc2
work=$(mktemp -d /tmp/lurk-lab.XXXXXX)
agent_pid=
cleanup() {
  touch "$work/requests/stop" 2>/dev/null
  [ -n "$agent_pid" ] && wait "$agent_pid" 2>/dev/null
  WINEPREFIX=$pc2 wineserver -k 2>/dev/null
  rm -f "$prefix/dosdevices/unc/lurklab/results" "$pc2/dosdevices/unc/lurklab/results"
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' INT TERM
mkdir -p "$work/shared" "$work/requests"

# Wine takes the computer name from the host name when a prefix's session starts, so the second
# PC's processes (its wineserver with them) run with a host name of their own.
run2() { LURK_WINEPREFIX=$pc2 unshare --uts sh -c 'hostname LURK-PC2 && exec "$@"' sh "$wine_run" "$@"; }
# Made once per build tree, like the first prefix (about 10 s).
if [ ! -f "$pc2/system.reg" ]; then
  run2 wineboot -i >/dev/null 2>&1 || { echo "cannot make the second prefix $pc2" >&2; exit 1; }
fi
for key in ComputerName ActiveComputerName; do
  run2 reg add "HKLM\\System\\CurrentControlSet\\Control\\ComputerName\\$key" /v ComputerName /d LURK-PC2 /f >/dev/null
done
for p in "$prefix" "$pc2"; do
  mkdir -p "$p/dosdevices/unc/lurklab"
  ln -sfn "$work/shared" "$p/dosdevices/unc/lurklab/results"
done

agent() {
  while [ ! -f "$work/requests/stop" ]; do
    for request in "$work"/requests/*.args; do
      [ -f "$request" ] || continue
      name=${request%.args}
      mv "$request" "$name.taken"
      mapfile -t argv < <(tr -d '\r' < "$name.taken")
      (
        run2 "${argv[@]}" >"$name.out" 2>"$name.err"
        echo $? >"$name.status.tmp"
        mv "$name.status.tmp" "$name.status"
      ) &
    done
    sleep 0.05
  done
  wait
}
agent &
agent_pid=$!

to_windows() { printf 'Z:%s' "$1" | tr / '\\'; }
LURK_PC2_REQUESTS="$(to_windows "$work/requests")\\"
LURK_LAB_SHARED_UNIX="$(to_windows "$work/shared")\\"
LURK_PC1_DRIVE_C_FOR_PC2="$(to_windows "$prefix/drive_c")\\"
export LURK_PC2_REQUESTS LURK_LAB_SHARED_UNIX LURK_PC1_DRIVE_C_FOR_PC2
"$@"
