#pragma once
// The launcher's one top-level window: it receives every input of the program
// and hands each to the part that owns it.
#include "data/launcher.h"

#include <windows.h>

constexpr wchar_t kMainWindowClass[] = L"porun21 - kessaro/QZT";

constexpr UINT WM_TRAYNOTIFY = WM_APP + 100;  // the tray icon's callback message
// Posted once by a first start after the bar is shown: what starts with the launcher.
constexpr UINT WM_LAUNCHER_STARTED = WM_APP + 101;
// Posted by WM_CREATE to itself: what the bar's first picture does not need
// (the hotkeys, the tray icon, its balloon, the tooltips, the hover timer,
// the icon file) follows it.
constexpr UINT WM_FINISH_START = WM_APP + 102;
// Posted by the first keep of a generation that fails (data/generations.h).
constexpr UINT WM_GENERATION_NOT_KEPT = WM_APP + 103;

constexpr UINT_PTR kHoverTimerId = 1;
constexpr UINT kHoverTimerPeriod = 1000;

// Registers the class and creates the (hidden) main window, which shows and
// changes launcher for as long as it lives; null on failure.
HWND CreateMainWindow(HINSTANCE instance, const wchar_t* className, Launcher& launcher);
// True once WM_FINISH_START has run: the hotkeys, the tray icon and the tooltips exist.
bool MainWindowReady(HWND mainWindow);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
