#pragma once
// The button settings dialog: title, file to run, launch options,
// working folder, icon source and keyboard shortcut of one launcher button of
// the current group, given by the DialogRequest. Also the open-file step that
// the group settings dialog shares.
#include <windows.h>
#include <commdlg.h>

// Runs the dialog modally for the current DialogRequest (set it first). The
// request is reset when the dialog closes. Returns 1 (0 when the request's
// button index is not 0..9, without showing anything).
INT_PTR ShowButtonSettingsDialog(HWND mainWindow);

// Open-file step of the settings dialogs. Mode 1: the file to run (button dialog;
// initialises the dialog again from the chosen file); mode 2: the icon file
// (button dialog); mode 0: the group's icon file (group dialog: the request path
// and IDC_GROUP_ICON_FILE take it). A chosen name the code page cannot hold is
// taken by its short name, or refused with IDS_MSG_NAME_NOT_KEPT. False when
// nothing was taken.
bool BrowseForFile(HWND dialog, int mode);

// "*.exe;*.lnk;*.*" as the open-file dialog's filter: one description and
// pattern pair per pattern, ending in two terminators. Returns false when the
// result does not fit in size.
bool BuildFileFilter(const char* patterns, char* filter, int size);

// Test seam: the call that shows the open-file dialog (null = GetOpenFileNameW).
using OpenFileFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);
void OverrideOpenFileDialog(OpenFileFunction function);
