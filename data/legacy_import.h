#pragma once
#include "data/launcher_records.h"

#include <windows.h>

class UserFiles;

enum class LegacyImport {
    Imported,  // the file was there: data and settings hold what it says
    NoFile,    // none: settings hold the first start's defaults
    NoPath,    // its path cannot be built: nothing changed
};

// Fills data and settings from the older generation's "porun.ini" beside the
// program, or sets the first-start defaults in settings when there is none
// (its other fields stay as they are).
LegacyImport ImportLegacySettings(LauncherData* data, AppSettings* settings, UserFiles& files);
