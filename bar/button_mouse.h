#pragma once
// What the bar's controls add to the standard push button: key forwarding to
// the main window, dragging a launcher button onto another (swap, or copy with
// SHIFT, also into another group), and switching groups or expanding the bar
// while the mouse button is held over the group controls.
#include <windows.h>

// Subclass procedures installed by CreateButtonBar.
LRESULT CALLBACK KeyForwardingProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK LauncherButtonProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

// Id of the bar control under the mouse cursor; 0 outside the bar's controls.
int BarControlUnderCursor(HWND mainWindow);

// Shows the drag cursor for the pressed launcher button: no-drop (120) off the
// launcher buttons, plain (119) over itself in its own group, else copy (124)
// with SHIFT or swap (121).
void UpdateDragCursor(HWND pressedButton);

// One tick of the main window's timer. Takes the control seen under the
// cursor at the previous tick and returns the one to remember for the next.
int WatchDragHover(HWND mainWindow, int hoveredControl);

// Moves launcher button source of the drag source group (the current group
// when no drag is in progress) onto button target of the current group: a
// swap, or with SHIFT a copy (asking message 50 over a filled button). The
// records, shortcut entries, system hotkeys, images and tips follow; the
// data file is saved.
// False for an invalid index.
bool MoveButton(HWND mainWindow, int source, int target);

// The press in progress: its group (-1 when none) and its mouse movements.
int DragSourceGroup();
unsigned MoveCounter();
