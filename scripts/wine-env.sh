# Sourced by the Wine helpers: the environment every Wine process of the
# project runs in. WINEPREFIX may be set by the caller (one per parallel job).
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
# PORUN_DPI=N: a second prefix whose screen runs at N DPI (see wine-prefix.sh).
if [ -n "${PORUN_DPI:-}" ]; then
    export WINEPREFIX=$root/.wine-dpi$PORUN_DPI
fi
# PORUN_LANG=en: a prefix of its own run in en_US.UTF-8, where Wine's ANSI
# code page is 1252 instead of the Japanese system's 932.
porun_locale=ja_JP.UTF-8
if [ "${PORUN_LANG:-}" = en ]; then
    export WINEPREFIX=$root/.wine-1252
    porun_locale=en_US.UTF-8
fi
export WINEPREFIX=${WINEPREFIX:-$root/.wine}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export LANG=$porun_locale
export LC_ALL=$porun_locale
wine_bin=$(command -v wine64 || command -v wine)
