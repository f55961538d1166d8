#pragma once
// The launcher's three popup menus: the context menu of the group button and
// the launcher buttons (IDR_BUTTON_MENU), the group-switch menu of the arrow
// buttons, and the tray icon's menu (IDR_TRAY_MENU). Each is skinned, opened at
// the mouse cursor with the main window as owner, and answered by the main
// window's WM_COMMAND handling.
#include "data/launcher.h"
#include "resources/resource_ids.h"

#include <windows.h>

class PopupMenu;

// Target of the group button's context menu (the selected button then is 20).
constexpr int kGroupButtonTarget = 20;

// Characters of the text workspace of a menu: a title part and a suffix part.
constexpr int kMenuTitlePart = 270;
constexpr int kMenuWorkspaceSize = 300;

// The context menu of target (0..9 launcher button, kGroupButtonTarget for
// the group button), at screen point at (null: at the cursor); its commands
// come back to the main window.
bool ShowButtonMenu(HWND mainWindow, const Launcher& launcher, int target, const POINT* at = nullptr);
// Loads IDR_BUTTON_MENU into menu and sets its title and item states for target;
// workspace holds kMenuWorkspaceSize zero-filled characters.
bool PrepareButtonMenu(PopupMenu& menu, const Launcher& launcher, int target, wchar_t* workspace);

// The group-switch menu, at at as above. False when the menu or its workspace cannot be had.
bool ShowGroupMenu(HWND mainWindow, const Launcher& launcher, const POINT* at = nullptr);
// Fills the empty popup of menu with the title and the groups in use.
bool FillGroupMenu(PopupMenu& menu, const Launcher& launcher, wchar_t* workspace);

// A mouse message of the tray icon: a right button release opens the tray
// menu, other clicks bring the main window forward.
void HandleTrayNotify(HWND mainWindow, UINT mouseMessage, bool onTop);
bool ShowTrayMenu(HWND mainWindow, bool onTop);

// Copies title, cut at a whole character (never inside a surrogate pair)
// where needed, followed by suffix into buffer of size characters; the
// result always ends with the whole suffix when the suffix fits at all.
void JoinMenuTitle(wchar_t* buffer, int size, const wchar_t* title, int titleLimit, const wchar_t* suffix);
