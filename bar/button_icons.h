#pragma once
// Icons of the bar: the one way a control's image is replaced, the rule that
// turns an icon source into an icon, group switching and clearing a button.
//
// Ownership: an icon handed to SetButtonImage belongs to that control from then
// on. To move an image to another control, take it with BM_GETIMAGE and set it
// on the other control directly (not through SetButtonImage), so that it is not
// destroyed. The bar's controls answer those messages themselves (bar_pictures).
#include "bar/bar_geometry.h"

#include <windows.h>

// Sets icon (or none) as the image of the button control id of window and
// lets the icon the control showed before go (ReleaseIcon: a kept icon goes
// back to the icon cache, any other is destroyed).
void SetButtonImage(HWND window, int controlId, HICON icon);

// Every icon below is size x size pixels: the bar's size at 96 DPI unless
// asked for (BarIconSize of the window's DPI).

// An icon resource of the program; null when it is missing.
HICON LoadResourceIcon(int resourceId, int size = kBarIconSize);

// The icon for an icon source (stored path, index), taken from the path as it
// is used as an icon source (ResolveIconSource, support/stored_path): index 0 (or below) the file's associated
// icon, n > 0 icon n of the file itself. Null for an empty path; the
// not-found icon when no icon comes from the file itself, or when the path
// counts as missing.
HICON LoadButtonIcon(const wchar_t* path, int iconIndex, int size = kBarIconSize);

// The icon a launcher button of any group shows for its record: the empty
// icon, its icon source's icon, or the not-found icon when its file is gone.
struct ButtonRecord;
HICON LoadRecordIcon(const ButtonRecord& record, int size = kBarIconSize);

// Makes group (0..9) current and reloads every image of the bar and the tips.
// While a dialog or a menu of the launcher is open the current group stays:
// false for any other then.
bool ShowGroup(HWND mainWindow, int group);
// After the start's first picture: the icons it took from the icon file that
// may come from another file than the one they are kept for (a shortcut's
// target, a document's program) are made anew, and the bar shows them again
// where one differs (bar/icon_cache_file.h RenewBorrowedIcons).
void RenewBorrowedBarIcons(HWND mainWindow);
// Writes the icon file beside the program (bar/icon_cache_file.h) when this
// run showed an icon it lacked or held wrongly: the icons of the groups in use
// that lie on this machine. Looks at no file when the icon file is whole.
void SaveBarIconFile(HWND mainWindow);
// Steps to the next or previous group in use, wrapping (as ShowGroup); always true.
bool StepGroup(HWND mainWindow, bool forward);
// Asks (IDS_ASK_CLEAR_BUTTON) and, answered Yes, empties button index of the current
// group with its shortcut. False for an invalid index or any other answer.
bool ClearButton(HWND mainWindow, int index);

// For tests: stands in for ExtractAssociatedIconW where a button's icon is
// its file's own (index 0); null goes back to the system's.
using AssociatedIconFunction = HICON(WINAPI*)(HINSTANCE instance, LPWSTR path, LPWORD index);
void OverrideAssociatedIcon(AssociatedIconFunction function);
