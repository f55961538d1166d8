#pragma once
// Buttons whose folder opens as a menu of its contents (ButtonRecord::folderMenu).
#include <windows.h>

struct ButtonRecord;

// A button set to open its folder as a menu, whose file is a folder: shows
// the menu at screen point at (null: at the cursor), starts the item chosen
// as a click starts a button's file, with the item's own folder as working
// folder, and collapses the bar as a launch does. False, and nothing shown,
// for any other button.
bool OpenFolderMenu(HWND mainWindow, const ButtonRecord& button, const POINT* at);
