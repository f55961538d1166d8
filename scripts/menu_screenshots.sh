#!/usr/bin/env bash
# Renews the pictures of each popup menu, opened through the real main window,
# with the default look and with the example skin (docs/skin), as
# docs/screenshots/menu_*.png.
#   scripts/menu_screenshots.sh [build folder]
exec "$(dirname "$0")/screenshots.sh" 'Screens.Menus:Screens.SkinnedMenus' "$@"
