#pragma once
// The bar's input: a click on a launcher button, a key of the window or of a
// bar control, files dropped on the bar. The keys held decide what each
// means; what is then done is the buttons' operations (bar/button_operations.h),
// a start (bar/launch.h), or what the main window hands in.
#include "bar/bar.h"

#include <windows.h>
#include <shellapi.h>

struct ButtonRecord;

// What a click or a drop on the bar leads to above the bar: the settings
// dialogs and the archives. The main window hands them in.
struct BarActions {
    // The button settings dialog for launcher button index of the current
    // group, with path proposed as its new file when proposed is set.
    void (*openButtonSettings)(HWND mainWindow, int index, bool proposed, const wchar_t* path);
    // The group settings dialog with path proposed as the group's icon file.
    void (*openGroupSettings)(HWND mainWindow, const wchar_t* path);
    // A drop on the group button: true when the archives dealt with it.
    bool (*handleArchiveDrop)(HWND mainWindow, HDROP drop);
    // A button set to open its folder as a menu: the menu at screen point at
    // (null: at the cursor), true when it was shown.
    bool (*openFolderMenu)(HWND mainWindow, const ButtonRecord& button, const POINT* at);
};

// Command IDC_FIRST_LAUNCHER + index: launch (collapsing the bar when so set),
// or with SHIFT the settings dialog, with ESC the clear question; an empty
// button opens the settings dialog. The modifiers are read when the command
// is handled.
void LaunchButton(ButtonBar& bar, int index, const BarActions& actions);

// A key-down of the main window or forwarded by a bar control: CTRL+digit
// clicks a button, a plain digit switches groups, other keys start every
// button whose shortcut matches (a folder menu opens at the cursor); a key
// without modifiers that no shortcut holds moves along the bar (bar_keys).
void HandleShortcutKey(ButtonBar& bar, int key, const BarActions& actions);

// WM_DROPFILES: a file on an empty button is proposed for it, a file on a
// filled button opened with its program, a drop on the group button handed to
// the archives or proposed as the group's icon. The caller releases the drop.
void HandleBarDrop(ButtonBar& bar, HDROP drop, const BarActions& actions);
