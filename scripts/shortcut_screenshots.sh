#!/usr/bin/env bash
# Renews the pictures of the shortcut list (dialog 157) and of the key capture
# dialog (159): docs/screenshots/shortcut_settings.png and key_capture.png.
#   scripts/shortcut_screenshots.sh [build folder]
exec "$(dirname "$0")/screenshots.sh" 'Screens.ShortcutListAndKeyCapture' "$@"
