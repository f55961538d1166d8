#pragma once
// The restore dialog: the kept generations of the user's files
// (data/generations.h), newest first, with their time, filled buttons and
// group names. Restoring one asks first, keeps the files as they are now as
// a generation of their own, puts the chosen one in place and shows it at
// once: records, names, options, shortcuts and hotkeys are read again.
#include "bar/bar.h"

#include <windows.h>

// What a restore does once the generation's files are in place: the main
// window reads everything the launcher holds again and shows it.
using ReloadFunction = void (*)(HWND mainWindow);

// Runs the dialog modally over owner for the bar's launcher; true when a
// generation was restored.
bool ShowRestoreDialog(HWND owner, ButtonBar& bar, ReloadFunction reload);
