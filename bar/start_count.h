#pragma once
// Counting the starts the launcher makes (a click, a key, a hotkey, the
// search window, a folder menu) for the search window's order: by the path
// started (data/usage_file.h CountedPath), into the usage file beside the
// data file, read at the first need and written after each start.
#include <windows.h>

struct ButtonRecord;
class UsageLog;

// One more start of button's target, written at once.
void CountStart(HWND mainWindow, const ButtonRecord& button);

// The usage counted so far; null for a window without its record.
const UsageLog* StartUsage(HWND mainWindow);

// What was counted for the path from counts for the path to from now on, written at once.
void CarryUsage(HWND mainWindow, const wchar_t* from, const wchar_t* to);
