#!/usr/bin/env bash
# Runs a test in a Wine prefix of its own that reports Windows XP: made once per build tree
# beside the main one (about 15 s), with the same virtual desktop, and its processes ended with
# the test. Wine still offers every newer function there, so such a prefix tests the program's
# version checks, not missing exports (the import check does that).
# VERSION: winxp (XP SP3, 5.1; in a 64-bit prefix XP x64 instead) or winxp64 (XP x64, 5.2).
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
  # Where wine64 is installed, the prefix that even the 32-bit program runs in is a 64-bit one,
  # and such a prefix knows only XP x64 (winecfg refuses winxp there): then it reports that.
  { "$wine_run" wineboot -i &&
    { "$wine_run" winecfg -v "$version" || { [ "$version" = winxp ] && version=winxp64 &&
                                             "$wine_run" winecfg -v "$version"; }; } &&
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
