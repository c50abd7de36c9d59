#!/usr/bin/env bash
# Runs a test with LURK_LOCKED_DIR: a copy of the program, its demos and its help in a folder
# that nobody may create, change or delete a file in, as a standard user meets the program's
# folder under "Program Files". Wine runs as root here and honours no Windows rights, so the
# folder is locked with Linux's immutable attribute, which holds for root too.
# The program is the one in PROGRAM_DIR (the tests' build), its demos and help those of BIN_DIR.
# Usage: with-locked-folder.sh BIN_DIR PROGRAM_DIR COMMAND...
set -u
bin=$1
program=$2
shift 2
work=$(mktemp -d /tmp/lurk-locked.XXXXXX)
cleanup() {
  chattr -R -i "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' INT TERM

mkdir "$work/program"
cp -r "$program/QWK_Lurkmark.exe" "$bin/Demos" "$bin/Help" "$work/program/"
chattr +i "$work/program" || { echo "cannot lock $work/program (chattr +i)" >&2; exit 1; }
if touch "$work/program/probe" 2>/dev/null; then
  echo "the locked folder can still be written" >&2
  exit 1
fi
LURK_LOCKED_DIR="Z:$(printf '%s' "$work/program/" | tr / '\\')"
export LURK_LOCKED_DIR
"$@"
