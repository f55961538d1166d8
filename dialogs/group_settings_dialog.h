#pragma once
// The group and general settings dialog: the current group's name and
// icon, collapse after launch, always on top, start with the last group, start
// with Windows (the Startup folder's shortcut), the
// number of groups in use and the activation hotkey.
#include "dialogs/restore_dialog.h"

#include <windows.h>

// Runs the dialog modally over bar's window for the group the bar shows
// when it opens (it stays that group's until it closes). Uses the
// DialogRequest's preset flag and path (a file dropped on the group button)
// and resets the request when it closes; its restore button reloads what
// the launcher holds through reload. Returns 1.
INT_PTR ShowGroupSettingsDialog(ButtonBar& bar, ReloadFunction reload);
