#pragma once
// The group and general settings dialog: the current group's name and
// icon, collapse after launch, always on top, start with the last group, start
// with Windows (the Startup folder's shortcut), the
// number of groups in use and the activation hotkey.
#include "dialogs/dialog_request.h"
#include "dialogs/restore_dialog.h"

#include <windows.h>

// Runs the dialog modally over bar's window for request's group (it stays
// that group's until it closes), with the request's file proposed as its
// icon when it is preset (a file dropped on the group button); its restore
// button reloads what the launcher holds through reload. Returns 1.
INT_PTR ShowGroupSettingsDialog(ButtonBar& bar, DialogRequest request, ReloadFunction reload);
