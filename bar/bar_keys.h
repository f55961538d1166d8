#pragma once
// The bar from the keyboard alone: the arrow keys move the focus along the
// bar's thirteen controls (group button, arrows, launcher buttons 1 to 10,
// wrapping), Enter clicks the focused one, the context-menu key and
// SHIFT+F10 open its menu. The focused control draws its focus mark.
#include <windows.h>

// WM_GETDLGCODE of a bar control: standard, the code its own procedure
// answered, with the keys above asked for, so that the dialog manager of
// the main loop (IsDialogMessage) hands them to the control instead of
// moving the focus or pressing IDOK and IDCANCEL itself.
LRESULT BarDialogCode(const MSG* message, LRESULT standard);

// A key message of a bar control: the context-menu key (down; its key-up
// swallowed, so that the system makes no second menu) or SHIFT+F10 sends
// the main window WM_CONTEXTMENU from the control with lParam -1, as
// Windows does for them. True when message was one of these (handled).
bool OpenMenuByKey(HWND control, UINT message, WPARAM key);

// A key-down without modifiers of the main window or a bar control: the
// arrows and Enter as above; false for any other key (nothing done).
bool HandleBarKey(HWND mainWindow, int key);

// The keyboard focus on launcher button 1 with its focus mark shown, as
// after the activation hotkey.
void FocusBar(HWND mainWindow);
