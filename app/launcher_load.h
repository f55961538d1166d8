#pragma once
// What a start or a restore tells the user of the files it loads: the data
// file's load asks whether a damaged file is to be replaced by the newest
// generation that reads, and says what became of a damaged file, of one that
// could not be read and of a path that cannot be had.
#include "data/launcher.h"

#include <windows.h>

#include <string>

// Loads the data file into launcher (data/launcher_data.h), asking and
// telling over window. True when the records are the data file's, or those
// of a first start.
bool LoadDataFile(HWND window, Launcher& launcher);

// After a restore put a generation's files in place: the records, names,
// options, shortcuts and hotkeys read again, told as a start tells them; the
// bar shows the group it showed, or the last one in use.
void ReloadLauncherFiles(HWND mainWindow);

// A file that was there but could not be read: which one, and that changes
// made meanwhile are not saved into it; nothing for an empty path.
void TellHeldFile(HWND owner, const std::wstring& path);
