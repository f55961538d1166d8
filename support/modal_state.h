#pragma once
// Whether a window is held by something modal of its own: a dialog or a
// message box it owns (a modal one disables its owner), or a menu its thread
// tracks. What such a dialog or menu works on must stay as it is until it
// has gone.
#include <windows.h>

bool DialogOrMenuOpen(HWND window);
