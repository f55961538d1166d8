#!/usr/bin/env bash
# Creates the project's Wine prefix once: Japanese font replacements, and a
# default virtual desktop with a taskbar so that every program gets drawn
# captions and a "Shell_TrayWnd" with a notification area.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
stamp="$WINEPREFIX/.porun-prefix-v1"
[ -f "$stamp" ] && exit 0

printf 'setup: creating the Wine prefix %s\n' "$WINEPREFIX" >&2
"$root/scripts/with-display.sh" "$wine_bin" wineboot -i >/dev/null 2>&1 || true
wineserver -w || true

reg() { "$wine_bin" reg add "$@" /f >/dev/null 2>&1; }
font=IPAGothic
pfont=IPAPGothic
key='HKCU\Software\Wine\Fonts\Replacements'
for face in "MS UI Gothic" "MS PGothic" "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma"; do
    reg "$key" /v "$face" /t REG_SZ /d "$pfont"
done
for face in "MS Gothic" "ＭＳ ゴシック" "ＭＳ Ｐゴシック"; do
    reg "$key" /v "$face" /t REG_SZ /d "$font"
done
reg 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default
reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1024x768
reg 'HKCU\Software\Wine\Explorer\Desktops\Default' /v EnableShell /t REG_DWORD /d 1
wineserver -w || true
touch "$stamp"
