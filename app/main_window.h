#pragma once
// The launcher's one top-level window: it receives every input of the program
// and hands each to the part that owns it.
#include <windows.h>

constexpr char kMainWindowClass[] = "porun21 - kessaro/QZT";

// Private window messages.
constexpr UINT WM_BUTTONKEYDOWN = WM_USER + 2000;  // a bar control forwards a WM_KEYDOWN
constexpr UINT WM_TRAYNOTIFY = WM_APP + 100;       // the tray icon's callback

constexpr UINT_PTR kHoverTimerId = 1;
constexpr UINT kHoverTimerPeriod = 1000;

// Registers the class and creates the (hidden) main window; null on failure.
HWND CreateMainWindow(HINSTANCE instance, const char* className);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Gives the window its expanded or collapsed height, keeping width, place and Z order.
void SetBarExpanded(HWND window, bool expanded);
void SetTopmost(HWND window, bool on);

// The button (0..9, or 10 and above for the group button) the next button
// command (settings, shortcut, move, delete) applies to.
int SelectedButton();
void SetSelectedButton(int index);
