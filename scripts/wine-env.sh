# Sourced by the Wine helpers: the environment every Wine process of the
# project runs in. WINEPREFIX may be set by the caller (one per parallel job).
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
# PORUN_DPI=N: a second prefix whose screen runs at N DPI (see wine-prefix.sh).
if [ -n "${PORUN_DPI:-}" ]; then
    export WINEPREFIX=$root/.wine-dpi$PORUN_DPI
fi
export WINEPREFIX=${WINEPREFIX:-$root/.wine}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
wine_bin=$(command -v wine64 || command -v wine)
