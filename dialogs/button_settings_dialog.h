#pragma once
// The button settings dialog: title, file to run, launch options,
// working folder, icon source and keyboard shortcut of one launcher button of
// the group the bar shows when it opens, given by the DialogRequest; it stays
// that button's until it closes.
#include "bar/bar.h"

#include <windows.h>

// Runs the dialog modally over bar's window for the current DialogRequest
// (set it first). The request is reset when the dialog closes. Returns 1 (0
// when the request's button index is not 0..9, without showing anything).
INT_PTR ShowButtonSettingsDialog(ButtonBar& bar);
