#pragma once
// The button settings dialog: title, file to run, launch options,
// working folder, icon source and keyboard shortcut of one launcher button of
// the group its DialogRequest names; it stays that button's until it closes.
#include "bar/bar.h"
#include "dialogs/dialog_request.h"

#include <windows.h>

// Runs the dialog modally over bar's window for request's button. Returns 1
// (0 when the request's button index is not 0..9, without showing anything).
INT_PTR ShowButtonSettingsDialog(ButtonBar& bar, DialogRequest request);
