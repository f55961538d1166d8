#!/usr/bin/env bash
# Builds and starts the launcher under Wine. With a display it runs there until
# closed; without one it runs on a virtual display, saves a screenshot of the
# launcher's window and closes it cleanly so that its files are written.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PORUN_BUILD_DIR:-$root/build}
"$root/scripts/build.sh" >/dev/null
. "$root/scripts/wine-env.sh"
# The launcher keeps its files beside the executable: run it from its own folder.
app="${PORUN_APP_DIR:-$root/out/app}"
mkdir -p "$app"
cp "$build/porun.exe" "$app/porun.exe"
[ -f "$build/porun.chm" ] && cp "$build/porun.chm" "$app/porun.chm"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec "$wine_bin" "$app/porun.exe"
fi

shot=${PORUN_SCREENSHOT:-$root/out/porun-screenshot.png}
"$root/scripts/with-display.sh" "$root/scripts/headless-run.sh" "$app/porun.exe" "$shot"
echo "run: screenshot saved to $shot"
