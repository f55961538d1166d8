#!/usr/bin/env bash
# Inside a virtual display: starts the launcher, waits until its window is up
# and its loop running, takes a screenshot of the screen, then closes the
# launcher with WM_CLOSE.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
exe=$1
shot=$2
mkdir -p "$(dirname "$shot")"
import -window root "$shot.before.png"
"$wine_bin" "$exe" &
pid=$!
tool="${PORUN_BUILD_DIR:-$root/build}/scripts/tools/porun_window_tool.exe"
# The launcher paints its window before it enters its message loop; Wine puts
# those pixels on the X screen a moment later. The picture is taken once the
# screen shows the bar's client area exactly as the window has painted it,
# and that is not the empty desktop (a window Wine has not given its own
# pixels yet reads as what lies below it).
"$wine_bin" "$tool" wait "porun21 - kessaro/QZT" 20000 >/dev/null 2>&1
painted="$shot.painted.bmp"
on_screen=no
for _ in $(seq 100); do
    client=$("$wine_bin" "$tool" snap "porun21 - kessaro/QZT" "$painted" 2>/dev/null | tr -d '\r')
    import -window root "$shot.full.png"
    if [[ "$client" =~ ^[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+$ ]] &&
       [ "$(convert "$shot.full.png" -crop "$client" +repage png:- | compare -metric AE "$painted" - null: 2>&1)" = 0 ] &&
       [ "$(convert "$shot.before.png" -crop "$client" +repage png:- | compare -metric AE "$painted" - null: 2>&1)" != 0 ]; then
        on_screen=yes
        break
    fi
done
rm -f "$painted" "$shot.before.png"
rect=$("$wine_bin" "$tool" rect "porun21 - kessaro/QZT" 2>/dev/null | tr -d '\r')
# The launcher's window with a margin of desktop around it.
if [[ "$rect" =~ ^([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+)$ ]]; then
    w=$((BASH_REMATCH[1] + 40)); h=$((BASH_REMATCH[2] + 40))
    x=$((BASH_REMATCH[3] - 20)); y=$((BASH_REMATCH[4] - 20))
    (( x < 0 )) && x=0; (( y < 0 )) && y=0
    convert "$shot.full.png" -crop "${w}x${h}+${x}+${y}" +repage "$shot"
    rm -f "$shot.full.png"
else
    mv "$shot.full.png" "$shot"
fi
"$wine_bin" "$tool" close "porun21 - kessaro/QZT" >/dev/null 2>&1
wait $pid
if [ "$on_screen" != yes ]; then
    echo "headless-run: the bar never appeared on the screen; $shot shows the screen as it was" >&2
    exit 1
fi
