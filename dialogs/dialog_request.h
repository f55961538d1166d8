#pragma once
// What the button settings dialog and the group and general settings dialog
// are opened for: which group and button, and whether a file is proposed for
// it. Each dialog is handed its request by value when it opens.
#include <string>

struct DialogRequest {
    int group = 0;        // the group the bar shows when the dialog opens: it stays the dialog's
    int targetIndex = 0;  // the button 0..9 of the button settings dialog
    bool preset = false;  // presetPath is a new file for the target (dropped, chosen, found)
    std::wstring presetPath;  // with preset: the proposed file; without: the file stored, or none
};
