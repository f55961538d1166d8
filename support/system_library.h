#pragma once
// Libraries come from the system folder only. A portable launcher lives in
// folders that other files reach easily (Downloads, a shared stick); a DLL
// planted there under the name of a library the launcher loads must never run.
#include "support/seam_guard.h"

#include <windows.h>

// Limits every later library load of the process, including those the shell
// and the common dialogs make on its behalf, to the system folder. Where the
// system lacks that switch, at least the current folder leaves the search.
void RestrictLibrarySearch();

// Loads a library by file name from the system folder, never from the
// program's own folder; null when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* fileName);

// Test seam: the two calls that choose where libraries are looked for (a
// null member: the system's SetDefaultDllDirectories or LoadLibraryExW).
struct LibrarySearchCalls {
    BOOL(WINAPI* setDefaultDirectories)(DWORD flags);
    HMODULE(WINAPI* loadLibrary)(LPCWSTR fileName, HANDLE file, DWORD flags);
};
SeamGuard OverrideLibrarySearchCalls(const LibrarySearchCalls& calls);
