#pragma once
// What the bar's controls add to the standard push button: key forwarding to
// the main window, dragging a launcher button onto another (swap, or copy with
// SHIFT, also into another group), and switching groups or expanding the bar
// while the mouse button is held over the group controls.
#include "bar/bar.h"
#include "support/window_messages.h"

#include <windows.h>

// Gives the thirteen controls the bar's procedures on top of their own
// (the common controls' subclass chain, with bar as their data).
void SubclassBarControls(ButtonBar& bar);
// Takes the bar's procedures off the controls again.
void RestoreBarControls(ButtonBar& bar);

// Id of the bar control under the mouse cursor; 0 outside the bar's controls.
int BarControlUnderCursor(HWND mainWindow);

// Shows the drag cursor for the pressed launcher button: no-drop off the
// launcher buttons, plain over itself in its own group, else copy
// with SHIFT or swap.
void UpdateDragCursor(const ButtonBar& bar, HWND pressedButton);

// One tick of the main window's timer: the group controls held under the
// cursor for two ticks are clicked; the control seen now is remembered in
// bar for the next tick.
void WatchDragHover(ButtonBar& bar);
