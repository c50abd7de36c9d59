#!/usr/bin/env bash
# setup: start a private Xvfb display and make sure the Wine prefix exists.
# cleanup: end every process of the prefix and the Xvfb display.
# Usage: wine-env.sh setup|cleanup WINE_RUN
set -eu
action=$1
wine_run=$2
state=$(sed -n 's/^export LURK_WINE_STATE="${LURK_WINE_STATE:-\(.*\)}"$/\1/p' "$wine_run")
prefix=$(sed -n 's/^export WINEPREFIX="${LURK_WINEPREFIX:-\(.*\)}"$/\1/p' "$wine_run")
state=${LURK_WINE_STATE:-$state}
prefix=${LURK_WINEPREFIX:-$prefix}
mkdir -p "$state"

stop_xvfb() {
  if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid" "$state/display"
  fi
}

case $action in
setup)
  stop_xvfb
  # -displayfd lets Xvfb pick a free display, so several build trees can test at once.
  exec 3>"$state/display.tmp"
  Xvfb -displayfd 3 -screen 0 2048x1536x24 -nolisten tcp >"$state/xvfb.log" 2>&1 &
  echo $! >"$state/xvfb.pid"
  exec 3>&-
  for _ in $(seq 1 100); do
    [ -s "$state/display.tmp" ] && break
    sleep 0.1
  done
  [ -s "$state/display.tmp" ] || { echo "Xvfb did not start" >&2; cat "$state/xvfb.log" >&2; exit 1; }
  tr -d '\n' <"$state/display.tmp" >"$state/display"
  rm -f "$state/display.tmp"
  unset DISPLAY
  if [ ! -f "$prefix/system.reg" ]; then
    "$wine_run" wineboot -i
  fi
  # A virtual desktop gives the display modes a real adapter offers (one mode on bare Xvfb).
  "$wine_run" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null
  "$wine_run" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 2048x1536 /f >/dev/null
  # The desktop that wineboot (or reg) started has no virtual desktop yet: let that session end
  # so that the next program starts the desktop afresh with the setting.
  WINEPREFIX=$prefix wineserver -w
  echo "Xvfb on :$(cat "$state/display"), prefix $prefix"
  ;;
cleanup)
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  stop_xvfb
  ;;
*)
  echo "usage: $0 setup|cleanup WINE_RUN" >&2
  exit 2
  ;;
esac
