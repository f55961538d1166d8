#pragma once
// What a drop on the group button does with archives: one ZIP archive is
// extracted into a new desktop folder that then opens; several items, a
// folder, or one other file with CTRL held are packed into a new archive on
// the desktop under a name the user confirms.
#include <windows.h>
#include <shellapi.h>

// True when the drop was dealt with (extracted and opened, packed, or
// refused with a message); false when it was not, including every cancel.
bool HandleArchiveDrop(HWND window, HDROP drop);

// The file-system path of the user's desktop; false when it is unknown or
// does not fit in size (the buffer is written only on success).
bool GetDesktopFolder(char* buffer, DWORD size);

// Seams for tests: a desktop folder in place of the user's ("" = unknown,
// null = the real one) and the call that opens the extracted folder.
void OverrideDesktopFolder(const char* path);
using FolderOpenFunction = void (*)(HWND window, const char* folder);
void OverrideFolderOpener(FolderOpenFunction opener);
