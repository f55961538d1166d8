#pragma once
// The options the data file has no field for, kept beside it in the options
// file: the program's path with the extension "options" (porun.options
// beside porun.dat), a key file (data/key_value_file.h) with a line
// "folder_menu_N,1" for each button N (0..99, group by group) whose folder
// opens as a menu, "start_with_porun_N,1" for each button started with the
// launcher, and "start_with_windows,1" when the launcher starts with
// Windows. Older launchers never read it.
#include "data/launcher_records.h"

#include <windows.h>

// The options file's path: the data file's with the extension "options".
// False when it does not fit.
bool OptionsFilePath(const wchar_t* dataFile, wchar_t* buffer, DWORD size);

class UserFiles;

// Sets every button's options and the launcher's from the file at path; a
// missing or unreadable file leaves them all off.
void ReadButtonOptions(const wchar_t* path, LauncherData* data, LauncherOptions* options, UserFiles& files);

// Writes a line for each option that is on; with none on, removes the file.
bool WriteButtonOptions(const wchar_t* path, const LauncherData& data, const LauncherOptions& options,
                        UserFiles& files);
