#pragma once
// The bar's fixed geometry: a 44-pixel column of thirteen controls.
#include "resources/resource_ids.h"

#include <windows.h>

constexpr int kBarWidth = 44;
constexpr int kBarExpandedHeight = 434;   // group button, arrow row, ten buttons
constexpr int kBarCollapsedHeight = 38;   // the group button alone

// The controls' ids (IDC_GROUP_BUTTON ...) and icons are in resources/resource_ids.h.
constexpr int kLauncherButtonCount = 10;
constexpr int kLastLauncherId = IDC_FIRST_LAUNCHER + kLauncherButtonCount - 1;
constexpr int kBarIconSize = 32;  // every icon of the bar

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
        return BarControl{IDC_GROUP_BUTTON, 0, 0, 44, 38, BS_PUSHLIKE | BS_AUTOCHECKBOX, IDI_FACE};
    if (position == 1)
        return BarControl{IDC_PREVIOUS_GROUP, 0, 38, 22, 16, 0, IDI_PREVIOUS_GROUP};
    if (position == 2)
        return BarControl{IDC_NEXT_GROUP, 22, 38, 22, 16, 0, IDI_NEXT_GROUP};
    const int i = position - 3;
    return BarControl{IDC_FIRST_LAUNCHER + i, 0, 54 + 38 * i, 44, 38, 0, IDI_EMPTY_BUTTON};
}

inline bool IsLauncherButtonId(int id)
{
    return id >= IDC_FIRST_LAUNCHER && id <= kLastLauncherId;
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
