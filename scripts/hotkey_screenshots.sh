#!/usr/bin/env bash
# Renews the pictures of a refused system hotkey: the balloon at start and the
# shortcut list marking the row: docs/screenshots/hotkey_balloon.png and
# shortcut_settings_refused.png.
#   scripts/hotkey_screenshots.sh [build folder]
exec "$(dirname "$0")/screenshots.sh" 'Screens.RefusedHotkeys' "$@"
