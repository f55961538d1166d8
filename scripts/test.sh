#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite under Wine
# on a virtual display. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PORUN_BUILD_DIR:-$root/build}
"$root/scripts/build.sh"
cd "$build"
# One X server for the whole run; each test program starts under Wine inside it.
# A test runs once: a failure is a failure, never retried.
exec "$root/scripts/with-display.sh" ctest --output-on-failure --timeout 900 "$@"
