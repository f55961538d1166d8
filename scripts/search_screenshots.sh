#!/usr/bin/env bash
# Renews the pictures of the search window: the buttons found by typing and a
# romaji query finding programs of the Start menu named in kana, at 100 % and
# at 150 %: docs/screenshots/search.png, search_romaji.png and
# search_romaji_150.png.
#   scripts/search_screenshots.sh [build folder]
set -euo pipefail
here=$(dirname "$0")
"$here/screenshots.sh" 'Screens.Search:Screens.SearchPrograms' "$@"
PORUN_DPI=144 "$here/screenshots.sh" 'Screens.SearchPrograms' "$@"
