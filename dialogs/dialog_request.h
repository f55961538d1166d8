#pragma once
// The input of the button settings dialog and the group and general
// settings dialog: which button, and whether a file is proposed for it.
#include "data/launcher_records.h"

struct DialogRequest {
    int targetIndex;  // the selected button: 0..9, above 9 for the group button
    int presetFlag;   // 1: presetPath is a new file for the target; 0: edit what is stored
    wchar_t presetPath[kFieldSize];
};

// Clears the path, stores index and flag and copies at most 260 characters of path
// (null or empty: no path).
void SetDialogRequest(int targetIndex, int presetFlag, const wchar_t* path);
// The request, changed in place by the dialogs.
DialogRequest& GetDialogRequest();
// Back to (0, 0, empty), as both dialogs do when they close.
void ResetDialogRequest();
