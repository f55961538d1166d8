#pragma once
// What a drop on the group button does with archives: one ZIP archive is
// extracted into a new desktop folder that then opens; several items, a
// folder, or one other file with CTRL held are packed into a new archive on
// the desktop under a name the user confirms. The dropped paths are taken
// through the wide API, so names outside code page 932 reach the archive
// code intact.
#include <windows.h>
#include <shellapi.h>

// True when the drop was dealt with (extracted, packed, or refused with a
// message); false when it was not: no archive, an extraction cancelled, the
// name dialog closed.
bool HandleArchiveDrop(HWND window, HDROP drop);

// The file-system path of the user's desktop; false when it is unknown or
// does not fit in size characters (the buffer is written only on success).
bool GetDesktopFolder(wchar_t* buffer, DWORD size);

// Seams for tests: a desktop folder in place of the user's (L"" = unknown,
// null = the real one) and the call that opens the extracted folder.
void OverrideDesktopFolder(const wchar_t* path);
using FolderOpenFunction = void (*)(HWND window, const wchar_t* folder);
void OverrideFolderOpener(FolderOpenFunction opener);
