#include "bar/button_bar.h"

#include "bar/bar_geometry.h"
#include "bar/bar_tooltips.h"
#include "bar/button_icons.h"
#include "bar/button_mouse.h"
#include "bar/button_operations.h"
#include "support/messages.h"

namespace {
bool g_refuseControls = false;

HWND CreateBarControl(HWND mainWindow, const BarControl& c)
{
    if (g_refuseControls)
        return nullptr;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_ICON | c.extraStyle;
    return CreateWindowExW(0, L"BUTTON", L"", style, c.x, c.y, c.width, c.height, mainWindow,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), GetModuleHandleW(nullptr), nullptr);
}
}  // namespace

bool CreateButtonBar(ButtonBar& bar)
{
    HWND mainWindow = bar.window;
    const int dpi = WindowDpi(mainWindow);
    const SIZE size = BarWindowSize(true, dpi);
    SetWindowPos(mainWindow, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    for (int position = 0; position < kBarControlCount; ++position) {
        if (!CreateBarControl(mainWindow, BarControlAt(position, dpi))) {
            ShowMessageId(mainWindow, IDS_MSG_WINDOW_FAILED, MB_OK | MB_ICONERROR);
            return false;
        }
    }
    // The controls keep their pictures through the bar's procedures.
    SubclassBarControls(bar);
    // The group button and the launcher buttons get their images from ShowGroup.
    for (int position = 0; position < kBarControlCount; ++position) {
        const BarControl c = BarControlAt(position, dpi);
        if (c.id != IDC_GROUP_BUTTON && !IsLauncherButtonId(c.id))
            SetButtonImage(bar, c.id, LoadResourceIcon(c.icon, BarIconSize(dpi)));
    }
    return true;
}

SeamGuard OverrideBarControlsRefused(bool refused)
{
    return OverrideSeam(g_refuseControls, refused);
}

void ReleaseButtonBar(ButtonBar& bar)
{
    ReleaseBarTooltips(bar);
    for (int position = 0; position < kBarControlCount; ++position)
        SetButtonImage(bar, BarControlAt(position).id, nullptr);
    RestoreBarControls(bar);
    bar.icons.Clear();
    bar.iconFile.Forget();
}

void SetBarExpanded(HWND mainWindow, bool expanded)
{
    RECT rect;
    GetWindowRect(mainWindow, &rect);
    const SIZE size = BarWindowSize(expanded, WindowDpi(mainWindow));
    SetWindowPos(mainWindow, nullptr, 0, 0, rect.right - rect.left, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void RescaleButtonBar(ButtonBar& bar, const RECT& suggested)
{
    HWND mainWindow = bar.window;
    const int dpi = WindowDpi(mainWindow);
    const bool expanded = IsDlgButtonChecked(mainWindow, IDC_GROUP_BUTTON) == BST_CHECKED;
    const SIZE size = BarWindowSize(expanded, dpi);
    SetWindowPos(mainWindow, nullptr, suggested.left, suggested.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    for (int position = 0; position < kBarControlCount; ++position) {
        const BarControl c = BarControlAt(position, dpi);
        SetWindowPos(GetDlgItem(mainWindow, c.id), nullptr, c.x, c.y, c.width, c.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetButtonImage(bar, IDC_PREVIOUS_GROUP, LoadResourceIcon(IDI_PREVIOUS_GROUP, BarIconSize(dpi)));
    SetButtonImage(bar, IDC_NEXT_GROUP, LoadResourceIcon(IDI_NEXT_GROUP, BarIconSize(dpi)));
    bar.icons.Clear();  // icons kept at the old size would never be asked for again
    ShowGroup(bar, bar.launcher.CurrentGroup());  // the group's icons at the new size, tips with the new rectangles
    ScaleBarTooltips(bar);
}

void SetTopmost(HWND mainWindow, bool on)
{
    SetWindowPos(mainWindow, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
