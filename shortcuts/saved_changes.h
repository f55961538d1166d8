#pragma once
// Writing the user's files while the launcher runs, at every change: the data
// file and shortcut.dat together, so that after a crash, a power cut or a kill
// the hotkeys still start the programs on the buttons they belong to. Each
// failure is told, owner's box.
#include "data/launcher.h"

#include <windows.h>

// After a change of buttons, groups or settings (keys may have changed with
// them): the data file, then shortcut.dat.
bool SaveChanges(HWND mainWindow, Launcher& launcher);

// The data file with the main window's place (null: the settings' stays);
// IDS_MSG_SAVE_FAILED when it cannot be written.
bool SaveDataChanges(HWND mainWindow, Launcher& launcher);

// After a change of keys alone: shortcut.dat; IDS_MSG_SHORTCUT_SAVE_FAILED
// when it cannot be written (the file before stays).
bool SaveShortcutChanges(HWND owner, Launcher& launcher);
