#pragma once
// The launcher's one top-level window: it receives every input of the program
// and hands each to the part that owns it.
#include "data/launcher.h"
#include "support/window_messages.h"

#include <windows.h>

constexpr wchar_t kMainWindowClass[] = L"porun21 - kessaro/QZT";

constexpr UINT_PTR kHoverTimerId = 1;
constexpr UINT kHoverTimerPeriod = 1000;

// Registers the class and creates the (hidden) main window, which shows and
// changes launcher for as long as it lives; null on failure.
HWND CreateMainWindow(HINSTANCE instance, const wchar_t* className, Launcher& launcher);
// True once WM_FINISH_START has run: the hotkeys, the tray icon and the tooltips exist.
bool MainWindowReady(HWND mainWindow);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
