#pragma once
// The shell's own commands on a button's file, beside starting it
// (bar/launch.h, LaunchAsAdministrator): where it lies, and its properties.
// Both take the file as a click would start it (support/stored_path.h).
#include <windows.h>

struct ButtonRecord;

// Explorer opens the folder of the button's file with the file selected; for
// a shortcut (.lnk) whose target can be read, the target's folder with the
// target selected. IDS_MSG_FOLDER_FAILED when the shell cannot.
bool ShowButtonFileLocation(HWND mainWindow, const ButtonRecord& button);

// The shell's properties sheet of the button's file (for a shortcut, the
// shortcut's own). IDS_MSG_PROPERTIES_FAILED when the shell cannot.
bool ShowButtonProperties(HWND mainWindow, const ButtonRecord& button);
