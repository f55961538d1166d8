#!/usr/bin/env bash
# Opens the shortcut list (dialog 157) and the key capture dialog (159)
# through the window tests and saves pictures of them as
# docs/screenshots/shortcut_settings.png and docs/screenshots/key_capture.png.
#   scripts/shortcut_screenshots.sh [build folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${PORUN_BUILD_DIR:-$root/build}}
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
PORUN_SCREENSHOT_DIR="Z:${shots//\//\\}" "$root/scripts/wine-run" "$build/tests/porun_window_tests.exe" \
    --gtest_filter='ShortcutSettingsTest.ThreeRows*:KeyCaptureTest.CtrlShiftA*' >/dev/null
mkdir -p "$root/docs/screenshots"
for name in shortcut_settings key_capture; do
    convert "$shots/$name.bmp" "$root/docs/screenshots/$name.png"
    echo "docs/screenshots/$name.png"
done
