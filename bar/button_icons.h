#pragma once
// Icons of the bar: the one way a control's image is replaced, the rule that
// turns an icon source into an icon, group switching and clearing a button.
//
// Ownership: an icon handed to SetButtonImage belongs to that control from then
// on. To move an image to another control, take it with BM_GETIMAGE and set it
// on the other control directly (not through SetButtonImage), so that it is not
// destroyed. The bar's controls answer those messages themselves (bar_pictures).
#include "bar/bar.h"
#include "bar/bar_geometry.h"
#include "support/seam_guard.h"

#include <windows.h>

// Sets icon (or none) as the image of the bar's control id and lets the icon
// the control showed before go (IconCache::Release: a kept icon goes back to
// the bar's icons, any other is destroyed).
void SetButtonImage(ButtonBar& bar, int controlId, HICON icon);

// The same for a button of a dialog (a settings dialog's preview): the icon
// before is destroyed.
void SetDialogButtonImage(HWND dialog, int controlId, HICON icon);

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

// The icon a launcher button of the bar shows for its record, as
// LoadRecordIcon, taken from the icons the bar keeps or the icon file where
// they still hold it.
HICON LoadBarRecordIcon(ButtonBar& bar, const ButtonRecord& record, int size);
// The group button's icon for the current group's record: its icon source's,
// or the program's default icon for the group (which the record then names).
HICON LoadGroupIcon(ButtonBar& bar, int size);

// After the start's first picture: the icons it took from the icon file that
// may come from another file than the one they are kept for (a shortcut's
// target, a document's program) are made anew (IconCacheFile::RenewBorrowed);
// true when one differs and the bar is to show them again.
bool RenewBorrowedBarIcons(ButtonBar& bar);
// Writes the icon file beside the program (bar/icon_cache_file.h) when this
// run showed an icon it lacked or held wrongly: the icons of the groups in use
// that lie on this machine. Looks at no file when the icon file is whole.
void SaveBarIconFile(ButtonBar& bar);

// For tests: stands in for ExtractAssociatedIconW where a button's icon is
// its file's own (index 0); null: the system's.
using AssociatedIconFunction = HICON(WINAPI*)(HINSTANCE instance, LPWSTR path, LPWORD index);
SeamGuard OverrideAssociatedIcon(AssociatedIconFunction function);
