#pragma once
// The bar's geometry: a column of thirteen controls, 44 pixels wide at 96
// DPI, every length scaled by the window's DPI as an edge.
#include "resources/resource_ids.h"
#include "support/display_scale.h"

#include <windows.h>

// At 96 DPI.
constexpr int kBarWidth = 44;
constexpr int kBarExpandedHeight = 434;   // group button, arrow row, ten buttons
constexpr int kBarCollapsedHeight = 38;   // the group button alone

// The controls' ids (IDC_GROUP_BUTTON ...) and icons are in resources/resource_ids.h.
constexpr int kLauncherButtonCount = 10;
constexpr int kLastLauncherId = IDC_FIRST_LAUNCHER + kLauncherButtonCount - 1;
constexpr int kBarIconSize = 32;  // every icon of the bar at 96 DPI

inline int BarIconSize(int dpi)
{
    return ScaleForDpi(kBarIconSize, dpi);
}

// One control of the bar: where it stands and what it first shows.
struct BarControl {
    int id;
    int x, y, width, height;
    DWORD extraStyle;
    int icon;
};

// The thirteen controls in creation order (group button, arrows, launcher
// buttons) at dpi: each edge is scaled on its own, so the controls tile the
// client area at any scale.
constexpr int kBarControlCount = 13;
inline BarControl BarControlAt(int position, int dpi = kBaseDpi)
{
    BarControl c;
    if (position == 0)
        c = BarControl{IDC_GROUP_BUTTON, 0, 0, 44, 38, BS_PUSHLIKE | BS_AUTOCHECKBOX, IDI_FACE};
    else if (position == 1)
        c = BarControl{IDC_PREVIOUS_GROUP, 0, 38, 22, 16, 0, IDI_PREVIOUS_GROUP};
    else if (position == 2)
        c = BarControl{IDC_NEXT_GROUP, 22, 38, 22, 16, 0, IDI_NEXT_GROUP};
    else
        c = BarControl{IDC_FIRST_LAUNCHER + position - 3, 0, 54 + 38 * (position - 3), 44, 38, 0, IDI_EMPTY_BUTTON};
    const int right = ScaleForDpi(c.x + c.width, dpi);
    const int bottom = ScaleForDpi(c.y + c.height, dpi);
    c.x = ScaleForDpi(c.x, dpi);
    c.y = ScaleForDpi(c.y, dpi);
    c.width = right - c.x;
    c.height = bottom - c.y;
    return c;
}

inline bool IsLauncherButtonId(int id)
{
    return id >= IDC_FIRST_LAUNCHER && id <= kLastLauncherId;
}

inline bool IsBarControlId(int id)
{
    return id >= IDC_GROUP_BUTTON && id <= kLastLauncherId;
}

// Outer window size for the given system metrics (at the same dpi).
inline SIZE BarWindowSize(int smallCaption, int frameX, int frameY, bool expanded, int dpi = kBaseDpi)
{
    const int client = expanded ? kBarExpandedHeight : kBarCollapsedHeight;
    return SIZE{ScaleForDpi(kBarWidth, dpi) + 2 * frameX, ScaleForDpi(client, dpi) + smallCaption + 2 * frameY};
}

// The same from the system's metrics at dpi.
inline SIZE BarWindowSize(bool expanded, int dpi)
{
    return BarWindowSize(SystemMetricForDpi(SM_CYSMCAPTION, dpi), SystemMetricForDpi(SM_CXDLGFRAME, dpi),
                         SystemMetricForDpi(SM_CYDLGFRAME, dpi), expanded, dpi);
}
