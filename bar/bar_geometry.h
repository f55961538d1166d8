#pragma once
// The bar's fixed geometry: a 44-pixel column of thirteen controls.
#include <windows.h>

constexpr int kBarWidth = 44;
constexpr int kBarExpandedHeight = 434;   // group button, arrow row, ten buttons
constexpr int kBarCollapsedHeight = 38;   // the group button alone

// Control ids of the bar; a control's command id is its control id.
constexpr int kGroupButtonId = 1000;
constexpr int kPreviousGroupId = 1001;
constexpr int kNextGroupId = 1002;
constexpr int kFirstLauncherId = 1003;  // launcher button i has id 1003 + i
constexpr int kLastLauncherId = 1012;
constexpr int kLauncherButtonCount = 10;

// Icon resources of the bar, all shown at 32 x 32.
constexpr int kIconFace = 103;      // group button until the first group is shown
constexpr int kIconEmpty = 137;     // a button with neither file nor icon file
constexpr int kIconNotFound = 138;  // no icon from the source, or the file is gone
constexpr int kIconPrevious = 139;
constexpr int kIconNext = 140;
constexpr int kBarIconSize = 32;

// One control of the bar: where it stands and what it first shows.
struct BarControl {
    int id;
    int x, y, width, height;
    DWORD extraStyle;
    int icon;
};

// The thirteen controls in creation order: group button, arrows, launcher buttons.
constexpr int kBarControlCount = 13;
inline BarControl BarControlAt(int position)
{
    if (position == 0)
        return BarControl{kGroupButtonId, 0, 0, 44, 38, BS_PUSHLIKE | BS_AUTOCHECKBOX, kIconFace};
    if (position == 1)
        return BarControl{kPreviousGroupId, 0, 38, 22, 16, 0, kIconPrevious};
    if (position == 2)
        return BarControl{kNextGroupId, 22, 38, 22, 16, 0, kIconNext};
    const int i = position - 3;
    return BarControl{kFirstLauncherId + i, 0, 54 + 38 * i, 44, 38, 0, kIconEmpty};
}

inline bool IsLauncherButtonId(int id)
{
    return id >= kFirstLauncherId && id <= kLastLauncherId;
}

// Outer window size for the given system metrics.
inline SIZE BarWindowSize(int smallCaption, int frameX, int frameY, bool expanded)
{
    return SIZE{kBarWidth + 2 * frameX,
                (expanded ? kBarExpandedHeight : kBarCollapsedHeight) + smallCaption + 2 * frameY};
}

// The same from the running system's metrics.
inline SIZE BarWindowSize(bool expanded)
{
    return BarWindowSize(GetSystemMetrics(SM_CYSMCAPTION), GetSystemMetrics(SM_CXDLGFRAME),
                         GetSystemMetrics(SM_CYDLGFRAME), expanded);
}
