#pragma once
// Starting a button's file through the shell: as a click starts it (its
// launch options and working folder, the stored paths as they are used here,
// support/stored_path.h), with the administrator's rights, with a dropped
// file as its parameter, and opening its folder.
#include "bar/bar.h"
#include "bar/launch_failure.h"

#include <windows.h>

struct ButtonRecord;

// ShellExecuteExW "open" with the button's file, options and working folder;
// true when the system started it. On a failure, failure (when given) tells why.
bool StartButtonFile(HWND owner, const ButtonRecord& button, LaunchFailure* failure = nullptr);

// What a click on a filled button does when no modifier is held: starts its
// file, tells a failure (IDS_MSG_LAUNCH_FAILED), and collapses the bar when
// so set. The button may be of any group.
void LaunchAsClick(ButtonBar& bar, const ButtonRecord& button);

// LaunchAsClick with the shell's "runas" verb: the system asks for the
// administrator's rights first; when the user refuses them nothing is told.
void LaunchAsAdministrator(ButtonBar& bar, const ButtonRecord& button);

// A file dropped on a filled button: opened with the button's program, the
// path in quotes as its parameter; collapses the bar as a click does, or
// tells a failure.
void OpenWithButton(ButtonBar& bar, const ButtonRecord& button, const wchar_t* dropped);

// Opens the folder of the button's file in Explorer with the file selected,
// or just the folder when the file is not there; IDS_MSG_FOLDER_FAILED when
// neither is.
bool ShowButtonFolder(HWND mainWindow, const ButtonRecord& button);
