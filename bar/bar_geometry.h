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
