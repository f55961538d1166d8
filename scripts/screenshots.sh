#!/usr/bin/env bash
# Runs the screenshot program (scripts/tools/screens.cpp) for the pictures its
# cases FILTER make and stores them as docs/screenshots/*.png. The program
# opens the real window and each dialog and menu, and writes a picture once
# the window is shown and painted; nothing here waits for a fixed time.
#   scripts/screenshots.sh FILTER [build folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
filter=$1
build=${2:-${PORUN_BUILD_DIR:-$root/build}}
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
"$root/scripts/wine-run" "$build/scripts/tools/porun_screens.exe" "Z:${shots//\//\\}" \
    --gtest_filter="$filter" >"$shots/log.txt" || { cat "$shots/log.txt"; exit 1; }
mkdir -p "$root/docs/screenshots"
for bmp in "$shots"/*.bmp; do
    name=$(basename "$bmp" .bmp)
    convert "$bmp" "$root/docs/screenshots/$name.png"
    echo "docs/screenshots/$name.png"
done
