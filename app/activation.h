#pragma once
#include <windows.h>

// The activation hotkey: brings the launcher to the front, and on the next
// press gives the foreground back to the window that had it.
void ToggleActivation(HWND launcher);

// The launcher lost activation: the next press activates it again.
void ForgetPreviousForeground();

// Starts button (id / 10, id mod 10) of any group, as a system hotkey does.
void LaunchHotkeyButton(int buttonNumber);
