#pragma once
// The icons a settings dialog previews for an icon source file. The dialogs
// show the paths as stored; the icons come from the paths as they are used
// (support/stored_path).
#include <windows.h>

// Number of icons in path (0 for an empty path or a file without icons).
int IconCountOf(const wchar_t* path);

// The icon the system associates with path; the not-found icon when there is
// none or when it comes from another file (compared without regard to case).
HICON AssociatedIconOrNotFound(const wchar_t* path);
// Icon number index of path; the not-found icon when there is none.
HICON IconAtOrNotFound(const wchar_t* path, int index);
