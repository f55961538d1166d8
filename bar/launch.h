#pragma once
// Starting buttons: by click, by keyboard shortcut, and by files dropped on
// the bar (register on an empty button, open with a filled button's program,
// or hand to the archive handling on the group button).
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

// Why a start failed: the path that was tried (as used, or as stored when it
// could not be used) and the system's error code.
struct LaunchFailure {
    wchar_t tried[MAX_PATH + 1] = L"";
    DWORD error = ERROR_SUCCESS;
};

// ShellExecuteExW "open" with the button's file, options and working folder;
// true when the system started it. On a failure, failure (when given) tells why.
bool StartButtonFile(HWND owner, const ButtonRecord& button, LaunchFailure* failure = nullptr);

// IDS_MSG_LAUNCH_FAILED, with the path tried and the system's own words for
// the error in a second paragraph (IDS_MSG_LAUNCH_FAILED_WHY).
void TellLaunchFailure(HWND owner, const LaunchFailure& failure);

// What a click on a filled button does when no modifier is held: starts its
// file, tells a failure (IDS_MSG_LAUNCH_FAILED), and collapses the bar when
// so set. The button may be of any group.
void LaunchAsClick(HWND mainWindow, const ButtonRecord& button);

// LaunchAsClick with the shell's "runas" verb: the system asks for the
// administrator's rights first; when the user refuses them nothing is told.
void LaunchAsAdministrator(HWND mainWindow, const ButtonRecord& button);

// Opens the folder of the button's file in Explorer with the file selected,
// or just the folder when the file is not there; IDS_MSG_FOLDER_FAILED when
// neither is.
bool ShowButtonFolder(HWND mainWindow, const ButtonRecord& button);

// Command IDC_FIRST_LAUNCHER + index: launch (collapsing the bar when so set),
// or with SHIFT the settings dialog, with ESC the clear question; an empty
// button opens the settings dialog. The modifiers are read when the command
// is handled.
void LaunchButton(HWND mainWindow, int index, const BarActions& actions);

// A key-down of the main window or forwarded by a bar control: CTRL+digit
// clicks a button, a plain digit switches groups, other keys start every
// button whose shortcut matches (a folder menu opens at the cursor); a key
// without modifiers that no shortcut holds moves along the bar (bar_keys).
void HandleShortcutKey(HWND mainWindow, int key, const BarActions& actions);

// WM_DROPFILES: a file on an empty button is proposed for it, a file on a
// filled button opened with its program, a drop on the group button handed to
// the archives or proposed as the group's icon. The caller releases the drop.
void HandleBarDrop(HWND mainWindow, HDROP drop, const BarActions& actions);
