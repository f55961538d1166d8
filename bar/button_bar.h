#pragma once
// The bar's thirteen controls in the main window, and the window's own size
// and place in the Z order that the bar decides.
#include "bar/bar.h"
#include "support/seam_guard.h"

#include <windows.h>

// Sizes the main window to the expanded bar and creates the controls, the
// arrows with their images (the group's come with ShowGroup), then
// subclasses them. On a control that cannot be
// created: IDS_MSG_WINDOW_FAILED and false (the main window's creation then fails).
bool CreateButtonBar(ButtonBar& bar);
// For tests: while refused, CreateButtonBar fails at its first control as if
// the system had refused to create it.
SeamGuard OverrideBarControlsRefused(bool refused);

// The main window goes away: removes the tooltip, takes the bar's procedures
// off the controls and lets the icons the controls still show and the ones
// the bar keeps go.
void ReleaseButtonBar(ButtonBar& bar);

// Gives the window its expanded or collapsed height, keeping width, place and Z order.
void SetBarExpanded(HWND mainWindow, bool expanded);
// The window moved to a screen of another scale (WM_DPICHANGED): the window
// at the bar's size for its new DPI with its top-left corner at the
// suggested rectangle's, the controls laid out and every image and the tips'
// font loaded again at the new scale.
void RescaleButtonBar(ButtonBar& bar, const RECT& suggested);
// Keeps the window on top of all others, or not.
void SetTopmost(HWND mainWindow, bool on);
