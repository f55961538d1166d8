#pragma once
// Counting the starts the launcher makes (a click, a key, a hotkey, the
// search window, a folder menu) for the search window's order: by the path
// started (data/usage_file.h CountedPath), into the usage file beside the
// data file, read at the first need and written after each start.
class Launcher;
class UsageLog;
struct ButtonRecord;

// One more start of button's target, written at once.
void CountStart(Launcher& launcher, const ButtonRecord& button);

// The usage counted so far.
const UsageLog& StartUsage(Launcher& launcher);

// What was counted for the path from counts for the path to from now on, written at once.
void CarryUsage(Launcher& launcher, const wchar_t* from, const wchar_t* to);
