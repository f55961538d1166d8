#pragma once
// The buttons started with the launcher ("ポルンと一緒に起動"), once, after
// the bar of a first start is shown.
#include "data/launcher.h"

#include <windows.h>

// Starts every filled button so marked in the groups in use, in group and
// button order, as a click starts its file but without folding the bar;
// then, when any failed, one notice (IDS_MSG_START_WITH_FAILED) names them
// all by group and title.
void StartMarkedButtons(HWND mainWindow, const Launcher& launcher);
