#pragma once
// Starting buttons: by click, by keyboard shortcut, and by files dropped on
// the bar (register on an empty button, open with a filled button's program,
// or hand to the archive handling on the group button).
#include <windows.h>
#include <shellapi.h>

struct ButtonRecord;

// ShellExecuteA "open" with the button's file, options and working folder;
// true when the system started it.
bool StartButtonFile(HWND owner, const ButtonRecord& button);

// Command IDC_FIRST_LAUNCHER + index: launch (collapsing the bar when so set), or with SHIFT
// the settings dialog, with ESC the clear question; an empty button opens the
// settings dialog. The modifiers are read when the command is handled.
void LaunchButton(HWND mainWindow, int index);

// A key-down of the main window or forwarded by a bar control: CTRL+digit
// clicks a button, a plain digit switches groups, other keys start every
// button whose shortcut matches.
void HandleShortcutKey(HWND mainWindow, int key);

// WM_DROPFILES. The caller releases the drop afterwards.
void HandleBarDrop(HWND mainWindow, HDROP drop);

// Run the button settings dialog or the group and general settings
// dialog for the current DialogRequest; the request is reset when the
// dialog closes.
void RunButtonSettingsDialog(HWND mainWindow);
void RunGroupSettingsDialog(HWND mainWindow);
