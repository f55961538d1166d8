#pragma once
// What the user is told when a start fails: the launcher's notice, the path
// that was tried and the system's own words for the error.
#include <windows.h>

// Why a start failed: the path that was tried (as used, or as stored when it
// could not be used) and the system's error code.
struct LaunchFailure {
    wchar_t tried[MAX_PATH + 1] = L"";
    DWORD error = ERROR_SUCCESS;
};

// IDS_MSG_LAUNCH_FAILED, with the path tried and the system's own words for
// the error in a second paragraph (IDS_MSG_LAUNCH_FAILED_WHY).
void TellLaunchFailure(HWND owner, const LaunchFailure& failure);
