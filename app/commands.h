#pragma once
// What the main window's commands, right clicks and drops do: the bar's
// buttons, the items of the launcher's menus, and the dialogs they open. The
// menu items that act on a button act on the one whose menu was opened last.
#include <windows.h>
#include <shellapi.h>

// WM_COMMAND of the bar's buttons and the menus; false for any other id.
bool OnCommand(HWND window, int id);

// WM_CONTEXTMENU for the window that was clicked: the arrows open the
// group-switch menu, the group and launcher buttons their own menu; at the
// cursor, or below the control when place is -1 (the context-menu key or
// SHIFT+F10 on the focused control).
void OnContextMenu(HWND window, HWND clicked, LPARAM place);

// WM_DROPFILES; the caller releases the drop.
void OnDropFiles(HWND window, HDROP drop);

// WM_ARCHIVE_JOB_ENDED (app/archive_jobs.h): the outcome told; an extraction
// cancelled goes on as a drop the archives did not take.
void OnArchiveJobEnded(HWND window);

// A key-down of the window or of a bar control (bar/launch.h HandleShortcutKey);
// ESC after the activation hotkey gives the foreground back.
void OnShortcutKey(HWND window, int key);

// Makes button index (0..9, or kGroupButtonTarget for the group button) the
// one the next button command (settings, shortcut, move, delete) applies to,
// as opening its menu does.
void SetSelectedButton(HWND window, int index);
