#pragma once
// The two shell calls through which the bar hands a button's file to the
// shell: ShellExecuteExW (every start, "runas", the properties sheet) and
// SHOpenFolderAndSelectItems (the file's place in Explorer). Tests put
// stand-ins in their place to see what the shell was asked.
#include "support/seam_guard.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

struct ShellCalls {
    BOOL(WINAPI* execute)(SHELLEXECUTEINFOW* info);
    HRESULT(WINAPI* openFolderAndSelect)(PCIDLIST_ABSOLUTE folder, UINT count, PCUITEMID_CHILD_ARRAY items,
                                         DWORD flags);
};

// For tests: calls stand in for the system's (null: the system's).
SeamGuard OverrideShellCalls(const ShellCalls* calls);

// The calls in use.
const ShellCalls& CurrentShellCalls();
