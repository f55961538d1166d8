#pragma once
#include "support/scoped_handle.h"

#include <windows.h>

// The whole run of the launcher: single-instance check, data, main window,
// message loop. Returns the process exit code.
int RunLauncher(HINSTANCE instance, int showCommand);

// Another launcher runs (or is starting): bring its window to the front.
// True when this process should end. Otherwise claim holds this process's
// claim to be the one launcher; keep it for the whole run.
bool AnotherInstanceRuns(const wchar_t* className, ScopedFile* claim);

// GetMessage/IsDialogMessage/Dispatch until WM_QUIT; returns its wParam.
int RunMessageLoop(HWND mainWindow);
