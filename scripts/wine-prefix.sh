#!/usr/bin/env bash
# Creates the project's Wine prefix once: Japanese font replacements, and a
# default virtual desktop with a taskbar so that every program gets drawn
# captions and a "Shell_TrayWnd" with a notification area.
#
# With PORUN_DPI=N set: the prefix .wine-dpiN, a copy of the first one (files
# hard-linked, registry copied) whose screen runs at N DPI (LogPixels), its
# desktop as many physical pixels larger as the scale says (the same screen
# in logical pixels; with-display.sh makes its X screen as large).
#
# With PORUN_LANG=en set: the prefix .wine-1252, made like the first one but
# in en_US.UTF-8, so that its ANSI code page is 1252 (see wine-env.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
# Marlett from Wine's own fonts (Debian's fonts-wine): it draws the caption
# buttons. Wine finds it in the prefix's Fonts folder; this also brings it into
# a prefix made before. Wine's Tahoma stays out, so that the Japanese
# replacements below keep their hold on the user interface.
wine_fonts() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ] && cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
    return 0
}
# The user's shell folders inside the prefix (what winetricks' "sandbox" does):
# Wine makes Desktop, Documents, Downloads and the like links to the home
# folder, so whatever a program writes onto its desktop would land there. Each
# link becomes a folder of its own, also in a prefix made before; and the
# prefix is not updated behind our back, which would make the links again.
sandbox_shell_folders() {
    local link
    for link in "$WINEPREFIX"/drive_c/users/*/*; do
        [ -L "$link" ] || continue
        rm -f "$link"
        mkdir -p "$link"
    done
    [ -d "$WINEPREFIX/drive_c" ] && echo disable > "$WINEPREFIX/.update-timestamp"
    return 0
}
stamp="$WINEPREFIX/.porun-prefix-v1"
[ -z "${PORUN_DPI:-}" ] || stamp="$WINEPREFIX/.porun-prefix-dpi-v2"
[ -f "$stamp" ] && { wine_fonts; sandbox_shell_folders; exit 0; }

if [ -n "${PORUN_DPI:-}" ]; then
    first=$(PORUN_DPI= WINEPREFIX= bash -c ". '$root/scripts/wine-env.sh'; echo \$WINEPREFIX")
    PORUN_DPI= WINEPREFIX="$first" "$0"
    printf 'setup: creating the Wine prefix %s at %s DPI\n' "$WINEPREFIX" "$PORUN_DPI" >&2
    rm -rf "$WINEPREFIX"
    cp -al "$first" "$WINEPREFIX"
    rm -f "$stamp"
    for reg in "$WINEPREFIX"/*.reg; do
        cp --remove-destination "$first/${reg##*/}" "$reg"
    done
    "$root/scripts/with-display.sh" "$wine_bin" reg add 'HKCU\Control Panel\Desktop' /v LogPixels \
        /t REG_DWORD /d "$PORUN_DPI" /f >/dev/null 2>&1
    "$root/scripts/with-display.sh" "$wine_bin" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default \
        /t REG_SZ /d "$((1024 * PORUN_DPI / 96))x$((768 * PORUN_DPI / 96))" /f >/dev/null 2>&1
    wineserver -w || true
    sandbox_shell_folders
    touch "$stamp"
    exit 0
fi

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
wine_fonts
sandbox_shell_folders
reg 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default
reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1024x768
reg 'HKCU\Software\Wine\Explorer\Desktops\Default' /v EnableShell /t REG_DWORD /d 1
wineserver -w || true
touch "$stamp"
