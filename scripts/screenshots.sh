#!/usr/bin/env bash
# Takes screenshots of the splash, every option page and the resolution picker under Xvfb,
# at 100 % and one at 150 % display scaling, into docs/. The comparison page is shot by the
# browser test (ctest -R browser in the native build) and copied here.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
source scripts/windows_arch.sh
lurk_choose_windows_arch || exit 2
build="build/win-$lurk_arch"
lurk_build_windows "$lurk_arch" -j2 --target QWK_Lurkmark ui_driver

run="$PWD/$build/wine-run"
tests/harness/wine-env.sh setup "$run"
key='HKLM\SOFTWARE\Quenwick\Lurkmark'
desktop='HKCU\Control Panel\Desktop'
cleanup() {
  "$run" reg delete "$key" /f /reg:32 >/dev/null 2>&1 || true
  "$run" reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1 || true
  tests/harness/wine-env.sh cleanup "$run"
}
trap cleanup EXIT
export DISPLAY=":$(cat "$build/wine-state/display")"
mkdir -p docs

# A plausible set of options, so the pages show what a user sees after a while, and a results
# folder holding the test history (three passes and two files that cannot be shown).
"$run" reg delete "$key" /f /reg:32 >/dev/null 2>&1 || true
# The results folder has a long path (the field shortens it in the middle) and holds the test
# history (three passes and two files that cannot be shown).
results='C:\users\Public\Documents\Lurkmark Results\Benchmarks of the new graphics card'
"$run" cmd /c mkdir "$results" >/dev/null 2>&1 || true
cp tests/fixtures/history/*.json "$build/wineprefix/drive_c/users/Public/Documents/Lurkmark Results/Benchmarks of the new graphics card/"
for pair in 1024=1 1280=1 hdw2=1 AspectRatio=1 Demo=1 Shader=2 AFLevel=4 AALevel=1 \
            "Note=Stock clocks, fresh driver" ProxyPort=8080 Programversion=1.0 Repeats=3 WarmUp=1 \
            "ResultPath=$results"; do
  "$run" reg add "$key" /v "${pair%%=*}" /d "${pair#*=}" /f /reg:32 >/dev/null
done

driver() { "$run" "$build/bin/ui_driver.exe" "$@" | tr -d '\r'; }
shot() {  # geometry, name
  sleep 1  # let the window finish painting
  import -window root -crop "$1" +repage "docs/$2.png"
  echo "docs/$2.png"
}
start_program() {
  "$run" "$build/bin/QWK_Lurkmark.exe" &
  program=$!
}

start_program
sleep 2
shot 816x575+616+480 splash
area=$(driver main-rect)
shot "$area" page-about
names=(page-paths page-resolution page-demos page-proxy page-about page-filters page-results)
for page in 0 1 2 3 5 6; do
  driver page "$page"
  shot "$area" "${names[$page]}"
done
# The keyboard focus shown on the Run button after Tab, before the results window takes it.
driver focus 1003  # BenchButton
shot "$area" focus-run
window_area=$(driver results-window)
shot "$window_area" results-window
picker_area=$(driver picker)
shot "$picker_area" picker
driver exit
wait "$program"

# The same window at 150 % scaling: the program scales its layout and redraws its pictures.
"$run" reg add "$desktop" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
start_program
area=$(driver main-rect)
driver page 1
shot "$area" page-resolution-150
driver exit
wait "$program"

# The comparison page as headless Chromium draws it, light and dark (the browser test makes them).
cmake -S . -B build/native -G Ninja >/dev/null
cmake --build build/native -j2 --target write_compare_page
(cd build/native && ctest -R 'browser\.compare_page' --output-on-failure)
cp build/native/browser-shots/compare-page-light.png docs/compare-page.png
cp build/native/browser-shots/compare-page-dark.png docs/compare-page-dark.png
cp build/native/browser-shots/compare-page-frames-light.png docs/compare-page-frames.png
