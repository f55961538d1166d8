#pragma once
// Whether the user has turned high contrast on (SPI_GETHIGHCONTRAST): the
// menus then draw in the system's colours without the skin, and the bar
// marks its focused control in the highlight colour.
#include "support/seam_guard.h"

#include <windows.h>

// True while HCF_HIGHCONTRASTON is set; asked anew each time, so a change
// (WM_SETTINGCHANGE) counts from the next drawing on.
bool HighContrastOn();

// For tests: stands in for SystemParametersInfoW in HighContrastOn (null: the system's).
using HighContrastFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT);
SeamGuard OverrideHighContrastLookup(HighContrastFunction function);
