#!/usr/bin/env bash
# Opens each popup menu through the real main window (the window tests) and
# saves pictures of them, with the default look and with the example skin
# (docs/skin), as docs/screenshots/*.png.
#   scripts/menu_screenshots.sh [build folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${PORUN_BUILD_DIR:-$root/build}}
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
PORUN_SCREENSHOT_DIR="Z:${shots//\//\\}" "$root/scripts/wine-run" "$build/tests/porun_window_tests.exe" \
    --gtest_filter='LauncherMenusWindowTest.*' >/dev/null
mkdir -p "$root/docs/screenshots"
for bmp in "$shots"/*.bmp; do
    name=$(basename "$bmp" .bmp)
    convert "$bmp" "$root/docs/screenshots/menu_$name.png"
    echo "docs/screenshots/menu_$name.png"
done
