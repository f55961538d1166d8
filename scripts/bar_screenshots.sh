#!/usr/bin/env bash
# Renews the pictures of the bar with a filled group, of the button settings
# dialog empty and filled, of the group settings and restore dialogs and of the icon
# chooser in docs/screenshots/.
#   scripts/bar_screenshots.sh [build folder]
exec "$(dirname "$0")/screenshots.sh" 'Screens.BarAndButtonDialogs:Screens.GroupSettings:Screens.RestoreDialog:Screens.IconChooser' "$@"
