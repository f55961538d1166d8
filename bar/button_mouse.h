#pragma once
// What the bar's controls add to the standard push button: key forwarding to
// the main window, dragging a launcher button onto another (swap, or copy with
// SHIFT, also into another group), and switching groups or expanding the bar
// while the mouse button is held over the group controls.
#include <windows.h>

// A bar control forwards its WM_KEYDOWN to the main window as this message.
constexpr UINT WM_BUTTONKEYDOWN = WM_USER + 2000;

// Gives the thirteen controls the bar's window procedures, remembering theirs.
void SubclassBarControls(HWND mainWindow);
// Gives the controls their previous procedures back. Where another procedure
// still sits on top of the bar's, the bar's stays in the chain but only
// passes messages on.
void RestoreBarControls(HWND mainWindow);

// The window procedure control id had before the bar subclassed it (the group
// button and the launcher buttons share one); null before SubclassBarControls.
WNDPROC PreviousBarProcedure(int controlId);

// The bar's procedures: every control forwards its keys; the launcher buttons
// also drag.
LRESULT CALLBACK KeyForwardingProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK LauncherButtonProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

// Id of the bar control under the mouse cursor; 0 outside the bar's controls.
int BarControlUnderCursor(HWND mainWindow);

// Shows the drag cursor for the pressed launcher button: no-drop off the
// launcher buttons, plain over itself in its own group, else copy
// with SHIFT or swap.
void UpdateDragCursor(HWND pressedButton);

// One tick of the main window's timer. Takes the control seen under the
// cursor at the previous tick and returns the one to remember for the next.
int WatchDragHover(HWND mainWindow, int hoveredControl);

// Moves launcher button source of the drag source group (the current group
// when no drag is in progress) onto button target of the current group: a
// swap, or with SHIFT a copy (asking IDS_ASK_OVERWRITE_BUTTON over a filled
// button). The records, shortcut entries, system hotkeys, images and tips
// follow; the data file is saved.
// False for an invalid index.
bool MoveButton(HWND mainWindow, int source, int target);
