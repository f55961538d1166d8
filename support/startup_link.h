#pragma once
// The shortcut in the user's Startup folder that starts the launcher with
// Windows: named with the program's title (IDS_STARTUP_LINK_NAME), leading to
// the running executable and started in its folder. Only a link of that name
// that leads to a launcher executable is ever replaced or removed.
#include "support/seam_guard.h"

#include <windows.h>

// Writes the link anew unless it is there and leads to the running
// executable (the launcher moved, or it is missing). False when it cannot
// be written.
bool RenewStartupLink();

// Removes the link when it leads to an executable of the running one's name;
// any other file of that name stays. False when it cannot be removed.
bool RemoveStartupLink();

// Brings the link in line with the option: on, written or renewed; turned
// off (it was on), removed. False when that fails.
bool FollowStartWithWindows(bool wasOn, bool on);

// For tests: folder stands in for the user's Startup folder (null: the system's).
SeamGuard OverrideStartupFolder(const wchar_t* folder);
