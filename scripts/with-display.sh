#!/usr/bin/env bash
# Runs a command with an X display: the caller's DISPLAY when it works,
# otherwise a private Xvfb for the length of the command.
set -uo pipefail
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec "$@"
fi
for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
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
