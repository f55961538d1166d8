#pragma once
#include <windows.h>

// Fills the launcher data from the older generation's "porun.ini" beside the
// program, or sets the first-start defaults when there is none. True when the
// file was found and read.
bool ImportLegacySettings(HWND owner);
