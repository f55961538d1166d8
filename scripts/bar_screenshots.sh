#!/usr/bin/env bash
# Captures the bar with a filled group and dialog 114 empty and filled into
# docs/screenshots/ (bar.png, button_dialog_empty.png, button_dialog_filled.png).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PORUN_BUILD_DIR:-$root/build}
source "$root/scripts/wine-env.sh"
out=$root/docs/screenshots
mkdir -p "$out"
"$root/scripts/with-display.sh" bash -c "
    '$root/scripts/wine-run' '$build/tests/porun_bar_screens.exe' &
    sleep 3.5; import -window root /tmp/porun-bar-full.png
    sleep 3.5; import -window root /tmp/porun-dialog-empty.png
    sleep 4;   import -window root /tmp/porun-dialog-filled.png
    wait"
# The program places the bar at (120, 60); the dialog is centred on the screen.
convert /tmp/porun-bar-full.png -crop 60x470+113+56 +repage "$out/bar.png"
convert /tmp/porun-dialog-empty.png -crop 466x445+278+152 +repage "$out/button_dialog_empty.png"
convert /tmp/porun-dialog-filled.png -crop 466x445+278+152 +repage "$out/button_dialog_filled.png"
