#!/usr/bin/env bash
# Runs a command with an X display: the caller's DISPLAY when it works,
# otherwise a private Xvfb for the length of the command.
set -uo pipefail
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec "$@"
fi
# PORUN_DPI=N: a screen as many pixels larger as N DPI is than 96.
dpi=${PORUN_DPI:-96}
screen="$((1280 * dpi / 96))x$((1024 * dpi / 96))x24"
for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 "$screen" -nolisten tcp >/dev/null 2>&1 &
    xpid=$!
    for _ in $(seq 50); do
        DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && break
        kill -0 "$xpid" 2>/dev/null || break
        sleep 0.1
    done
    if DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
        DISPLAY=":$n" "$@"
        rc=$?
        kill "$xpid" 2>/dev/null; wait "$xpid" 2>/dev/null
        exit $rc
    fi
    kill "$xpid" 2>/dev/null; wait "$xpid" 2>/dev/null
done
echo "with-display: no free X display" >&2
exit 1
