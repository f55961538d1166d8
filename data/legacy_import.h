#pragma once
#include "data/launcher_records.h"

#include <windows.h>

// Fills data and settings from the older generation's "porun.ini" beside the
// program, or sets the first-start defaults in settings when there is none
// (its other fields stay as they are). True when the file was found and read;
// IDS_MSG_LOAD_FAILED over owner when its path cannot be built.
bool ImportLegacySettings(HWND owner, LauncherData* data, AppSettings* settings);
