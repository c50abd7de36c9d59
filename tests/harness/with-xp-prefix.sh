#!/usr/bin/env bash
# Runs a test in a Wine prefix of its own that reports Windows XP: made once per build tree
# beside the main one (about 15 s), with the same virtual desktop, and its processes ended with
# the test. Wine still offers every newer function there, so such a prefix tests the program's
# version checks, not missing exports (the import check does that).
# VERSION: winxp (32-bit Wine: XP SP3, 5.1) or winxp64 (64-bit Wine knows only XP x64, 5.2).
# The test's screenshots go to xp-screenshots/ of the build tree (LURK_SCREENSHOT_DIR).
# Usage: with-xp-prefix.sh VERSION WINE_RUN COMMAND...
set -u
version=$1
wine_run=$2
shift 2
prefix=$(sed -n 's/^export WINEPREFIX="${LURK_WINEPREFIX:-\(.*\)}"$/\1/p' "$wine_run")
prefix=${LURK_WINEPREFIX:-$prefix}
xp=$prefix-xp
export LURK_WINEPREFIX=$xp
trap 'WINEPREFIX=$xp wineserver -k 2>/dev/null' EXIT
trap 'exit 143' INT TERM
if [ ! -f "$xp/version.stamp" ]; then
  { "$wine_run" wineboot -i && "$wine_run" winecfg -v "$version" &&
    "$wine_run" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f &&
    "$wine_run" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 2048x1536 /f; } >/dev/null 2>&1 ||
    { echo "cannot make the Windows XP prefix $xp" >&2; exit 1; }
  WINEPREFIX=$xp wineserver -w
  echo "$version" >"$xp/version.stamp"
fi
shots="$(dirname "$prefix")/xp-screenshots"
mkdir -p "$shots"
LURK_SCREENSHOT_DIR="$(printf 'Z:%s\\' "$shots" | tr / '\\')"
export LURK_SCREENSHOT_DIR
"$@"
