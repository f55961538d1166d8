#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite under Wine
# on a virtual display. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PORUN_BUILD_DIR:-$root/build}
"$root/scripts/build.sh"
cd "$build"
# One X server for the whole run; each test program starts under Wine inside it.
# Tests that drive the real mouse and keyboard of the virtual display can lose
# an event when the display server is busy: a failed test program gets up to
# two more runs, and every failure is still printed.
exec "$root/scripts/with-display.sh" ctest --output-on-failure --timeout 900 --repeat until-pass:3 "$@"
