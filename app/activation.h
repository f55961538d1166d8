#pragma once
#include <windows.h>

// The activation hotkey: brings the launcher to the front with the keyboard
// focus on the bar (bar/bar_keys.h FocusBar), and on the next press gives
// the foreground back to the window that had it.
void ToggleActivation(HWND launcher);

// ESC on the bar after the activation hotkey: the foreground back to the
// window that had it, as a second press does. False when the launcher was
// not brought forward by the hotkey (nothing done).
bool GiveBackActivation(HWND launcher);

// The launcher lost activation: the next press activates it again.
void ForgetPreviousForeground(HWND launcher);

// Starts the button of any group whose flat number (ButtonPlace) is
// buttonNumber, as a system hotkey does; a folder menu opens at the cursor
// with launcher as its owner.
void LaunchHotkeyButton(HWND launcher, int buttonNumber);
