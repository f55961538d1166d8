#pragma once
// The one rule for what the main window leaves undone while something holds
// the launcher: an archive job running (from its drop to its end: its
// questions, its work on a thread of its own, its outcome told), or a
// dialog, message box or menu of the launcher open, which
// works on what the launcher holds now (a restore would free the shortcut
// table under the key capture, or let a dialog's cancel write back what was
// there before). Commands that reload or replace what the launcher holds
// (restore, search, the settings and the shortcut list, clearing and moving
// buttons, the bar's clicks and keys, drops) are refused then; the dialog in
// front comes to the front instead. Commands that change nothing the launcher
// works on stay: always on top, help, the about box, the close (which cancels
// the open dialogs first), and a button's hotkey starting its file. During an
// archive job only the close is done (it stops the job first).
#include <windows.h>

// True when message is refused now; it has then been answered (a drop
// released, the dialog in front brought to the front).
bool RefusedWhileHeld(HWND window, UINT message, WPARAM wParam);

// The launcher's dialog in front: a modal dialog disables the main window
// and every dialog under it, so it is the visible, enabled dialog that the
// main window owns, directly or through the others. Null when none is open.
HWND DialogInFront(HWND window);
