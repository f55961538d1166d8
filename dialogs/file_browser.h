#pragma once
// The open-file step of the settings dialogs: the system's file dialog over a
// settings dialog, its filter and title by what is chosen, and the chosen name
// kept the way a dropped file is.
#include "support/seam_guard.h"

#include <windows.h>
#include <commdlg.h>

// What the user is asked to choose; it picks the filter and the title.
enum class BrowseKind {
    FileToRun,  // IDS_FILTER_PROGRAM, IDS_BROWSE_TITLE_FILE
    IconFile,   // IDS_FILTER_ICON, IDS_BROWSE_TITLE_ICON
};

// Shows the open-file dialog over owner with initial, a path as stored, as
// the proposed file where it is used now (support/stored_path) and its
// folder as the first folder (both empty for an empty initial). The chosen
// name is kept whole; one past MAX_PATH (or size characters) is refused
// with IDS_MSG_NAME_NOT_KEPT. True with the path in file; false when nothing
// was taken.
bool BrowseForFile(HWND owner, BrowseKind kind, const wchar_t* initial, wchar_t* file, int size);

// "*.exe;*.lnk;*.*" as the open-file dialog's filter: one description and
// pattern pair per pattern, ending in two terminators. Returns false when the
// result does not fit in size.
bool BuildFileFilter(const wchar_t* patterns, wchar_t* filter, int size);

// For tests: stands in for the call that shows the open-file dialog (null: GetOpenFileNameW).
using OpenFileFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);
SeamGuard OverrideOpenFileDialog(OpenFileFunction function);
