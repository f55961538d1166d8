#pragma once
// Screen placement: keeps the launcher's window inside the part of the screen
// the taskbar leaves free, and brings it back to the place it had at the
// current screen size.
#include "data/window_positions.h"

#include <windows.h>

// Inclusive pixel coordinates of the free part of the screen.
struct WorkArea {
    int left;
    int top;
    int right;
    int bottom;
};

// The free part of a screen of the given size next to a taskbar with the
// given window rectangle (right and bottom exclusive). A taskbar wider than
// high stands at the bottom or top, else at the right or left, by where it
// stands. A taskbar that lies wholly outside the screen (hidden), has no
// area, or does not reach its edge of the screen (left over from another
// screen size) leaves the whole screen.
WorkArea WorkAreaBesideTaskbar(SIZE screen, const RECT& taskbar);

// The work area from the "Shell_TrayWnd" window; false when there is none.
bool ComputeWorkArea(WorkArea* area);

// One placement step worked out without touching a window.
struct PlacementResult {
    int left;
    int top;
    bool move;      // the window has to be moved to (left, top)
    bool recorded;  // the place went into the position table
};

// Where a window with rectangle window goes on a screen of size screen.
// When screen differs from lastScreen a place remembered for screen wins;
// then the window is kept inside area (a window pushed against the taskbar
// touches it, one pushed past a bare left or top edge ends at -1; the left and
// top edges win for a window larger than the area), and the result is
// recorded for screen in table.
PlacementResult ComputePlacement(const RECT& window, SIZE screen, SIZE lastScreen,
                                 const WorkArea& area, WindowPositionTable* table);

// Places the window on the current screen (see ComputePlacement) and moves it
// when needed; lastDesktop is the screen size the previous placement saw
// ((0, 0) before the first) and becomes this one's. Without a taskbar the
// system's work area is used, so the bar stays visible. False when no area
// could be had at all.
bool PlaceWindow(HWND window, WindowPositionTable* table, SIZE* lastDesktop);
