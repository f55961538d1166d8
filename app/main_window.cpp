#include "app/main_window.h"

#include "app/about_box.h"
#include "app/activation.h"
#include "app/help.h"
#include "app/messages.h"
#include "app/placement.h"
#include "app/tray_icon.h"
#include "archive/archive_job.h"
#include "bar/bar_geometry.h"
#include "bar/button_bar.h"
#include "bar/button_icons.h"
#include "bar/button_mouse.h"
#include "bar/launch.h"
#include "dialogs/dialog_request.h"
#include "data/launcher_data.h"
#include "dialogs/group_settings_dialog.h"
#include "menus/launcher_menus.h"
#include "menus/menu_skin.h"
#include "shortcuts/hotkeys.h"
#include "shortcuts/shortcut_file.h"
#include "shortcuts/shortcut_settings_dialog.h"
#include "data/window_positions.h"

#include <imm.h>
#include <shellapi.h>

namespace {
constexpr UINT kSysMenuMove = 110;
constexpr UINT kSysMenuClose = 111;

// Menu commands.
constexpr int kCmdSettings = 40011;
constexpr int kCmdShortcuts = 40012;
constexpr int kCmdMoveUp = 40013;
constexpr int kCmdMoveDown = 40014;
constexpr int kCmdDelete = 40015;
constexpr int kCmdHelp = 40016;
constexpr int kCmdAbout = 40017;
constexpr int kCmdTopmost = 40020;
constexpr int kCmdClose = 40021;
constexpr int kCmdFirstGroup = 6000;
constexpr int kCmdLastGroup = 6009;

UINT_PTR g_timer = 0;
NOTIFYICONDATAA g_trayIcon;  // size field 0 until the icon is added
int g_selectedButton = 0;
int g_hoveredControl = 0;  // control under the cursor at the previous timer tick
bool g_created = false;    // WM_CREATE went through: there is something to save

bool KeyDown(int key)
{
    return (GetAsyncKeyState(key) & 0x8000) != 0;
}

void InsertSystemMenuItem(HMENU menu, UINT textId, UINT command, bool isDefault)
{
    char text[64];
    LoadText(textId, text, sizeof text);
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE;
    item.wID = command;
    item.fState = isDefault ? MFS_DEFAULT : 0;
    item.dwTypeData = text;
    InsertMenuItemA(menu, 0, TRUE, &item);
}

// The system menu holds just "move" and "close" (the default).
void RebuildSystemMenu(HWND window)
{
    HMENU menu = GetSystemMenu(window, FALSE);
    if (!menu)
        return;
    while (GetMenuItemCount(menu) > 0)
        DeleteMenu(menu, 0, MF_BYPOSITION);
    InsertSystemMenuItem(menu, kSysMenuClose, SC_CLOSE, true);
    InsertSystemMenuItem(menu, kSysMenuMove, SC_MOVE, false);
}

LRESULT OnCreate(HWND window)
{
    g_created = false;
    ImmAssociateContext(window, nullptr);
    if (!CreateButtonBar(window))
        return -1;
    AddTrayIcon(&g_trayIcon, window, 101, 1, WM_TRAYNOTIFY);
    RebuildSystemMenu(window);
    LoadLauncherData(window);
    const AppSettings settings = GetSettings();
    ClearPositions(WindowPositions());
    ForgetLastDesktopSize();
    LoadPositions(WindowPositions());
    LoadShortcutTable();  // no file yet: an empty table, created at exit
    RegisterAllHotkeys(window);  // a combination taken elsewhere stays unregistered
    SetWindowPos(window, nullptr, settings.windowX, settings.windowY, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (settings.alwaysOnTop)
        SetTopmost(window, true);
    PlaceWindow(window, WindowPositions());
    ShowGroup(window, CurrentGroupIndex());  // the start group the load chose, 0 when out of range
    CheckDlgButton(window, kGroupButtonId, BST_CHECKED);
    CreateBarTooltips(window);
    DragAcceptFiles(window, TRUE);
    g_timer = SetTimer(window, kHoverTimerId, kHoverTimerPeriod, nullptr);
    g_created = true;
    return 0;
}

void OnDestroy(HWND window)
{
    if (!g_created) {
        // Windows destroys a window whose WM_CREATE refused: nothing was
        // loaded, so nothing is written over the user's files, and no quit is
        // posted that would close the start-up's message at once.
        ReleaseButtonBar(window);
        return;
    }
    g_created = false;
    UnregisterAllHotkeys(window);
    ReleaseButtonBar(window);
    RemoveTrayIcon(&g_trayIcon);
    SaveLauncherData(window);
    if (g_timer) {
        KillTimer(window, kHoverTimerId);
        g_timer = 0;
    }
    SavePositions(WindowPositions());
    SaveShortcutTable();
    DestroyShortcutTable();
    PostQuitMessage(0);
}

// The group button's click has already toggled its check state; the keys held
// now decide what the click means.
void OnGroupButton(HWND window)
{
    const bool checked = IsDlgButtonChecked(window, kGroupButtonId) == BST_CHECKED;
    const UINT before = checked ? BST_UNCHECKED : BST_CHECKED;
    if (KeyDown(VK_ESCAPE) || KeyDown(VK_RSHIFT)) {
        ShowAboutBox(window);
        CheckDlgButton(window, kGroupButtonId, before);
    } else if (KeyDown(VK_SHIFT) || KeyDown(VK_LSHIFT)) {
        ShowGroupSettingsDialog(window);
        CheckDlgButton(window, kGroupButtonId, before);
    } else if (KeyDown(VK_CONTROL)) {
        StepGroup(window, true);
        CheckDlgButton(window, kGroupButtonId, before);
    } else {
        SetBarExpanded(window, checked);
    }
}

bool OnCommand(HWND window, int id)
{
    if (id >= kCmdFirstGroup && id <= kCmdLastGroup) {
        ShowGroup(window, id - kCmdFirstGroup);
        return true;
    }
    if (IsLauncherButtonId(id)) {
        LaunchButton(window, id - kFirstLauncherId);
        return true;
    }
    switch (id) {
    case kGroupButtonId:
        OnGroupButton(window);
        return true;
    case kPreviousGroupId:
        StepGroup(window, false);
        return true;
    case kNextGroupId:
        StepGroup(window, true);
        return true;
    case kCmdSettings:
        SetDialogRequest(g_selectedButton, 0, nullptr);
        if (IsValidButtonIndex(g_selectedButton))
            RunButtonSettingsDialog(window);
        else
            RunGroupSettingsDialog(window);
        return true;
    case kCmdMoveUp:
        MoveButton(window, g_selectedButton, g_selectedButton - 1);
        return true;
    case kCmdMoveDown:
        MoveButton(window, g_selectedButton, g_selectedButton + 1);
        return true;
    case kCmdDelete:
        ClearButton(window, g_selectedButton);
        return true;
    case kCmdShortcuts:
        ShowShortcutSettings(window, LauncherImage(), CurrentGroupIndex(), g_selectedButton);
        UpdateBarTooltips(window);
        return true;
    case kCmdHelp:
        ShowHelp(window);
        return true;
    case kCmdAbout:
        ShowAboutBox(window);
        return true;
    case kCmdTopmost:
        SetAlwaysOnTop(!GetAlwaysOnTop());
        SetTopmost(window, GetAlwaysOnTop());
        return true;
    case kCmdClose:
        PostMessageA(window, WM_CLOSE, 0, 0);
        return true;
    default:
        return false;
    }
}

void OnHotkey(HWND window, int id)
{
    if (id == kActivationHotkeyId)
        ToggleActivation(window);
    else if (id >= 0 && id < kButtonCount)
        LaunchHotkeyButton(id);
}

// While an archive job runs, its progress updates still hand this window
// its messages: a close waits for the job (see WM_CLOSE), while launches,
// hotkeys, menus and further drops are ignored until the job has ended.
bool IgnoredDuringArchiveJob(UINT message, WPARAM wParam)
{
    if (!ArchiveJobRunning())
        return false;
    switch (message) {
    case WM_HOTKEY:
    case WM_KEYDOWN:
    case WM_BUTTONKEYDOWN:
    case WM_CONTEXTMENU:
    case WM_DROPFILES:
        return true;
    case WM_COMMAND:
        return LOWORD(wParam) != kCmdClose;
    default:
        return false;
    }
}

void OnMinMaxInfo(MINMAXINFO* info)
{
    // Keep the bar's exact geometry: the window may be narrower than the
    // system's minimum tracking size.
    const SIZE collapsed = BarWindowSize(false);
    info->ptMinTrackSize.x = collapsed.cx;
    info->ptMinTrackSize.y = collapsed.cy;
}
}  // namespace

HWND CreateMainWindow(HINSTANCE instance, const char* className)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(101));
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(101), IMAGE_ICON,
        GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className;
    if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return nullptr;
    return CreateWindowExA(WS_EX_TOOLWINDOW, className, "",
                           WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           nullptr, nullptr, instance, nullptr);
}

void SetBarExpanded(HWND window, bool expanded)
{
    RECT rect;
    GetWindowRect(window, &rect);
    const SIZE size = BarWindowSize(expanded);
    SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetTopmost(HWND window, bool on)
{
    SetWindowPos(window, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

int SelectedButton()
{
    return g_selectedButton;
}

void SetSelectedButton(int index)
{
    g_selectedButton = index;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IgnoredDuringArchiveJob(message, wParam)) {
        if (message == WM_DROPFILES)
            DragFinish(reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    case WM_CLOSE:
        // During an archive job the job stops first (removing its partial
        // output) and the close follows when it has ended.
        if (StopArchiveJobThenClose(window))
            return 0;
        break;
    case WM_ENDSESSION:
        // Logoff or shutdown: save everything as a normal exit does, after
        // telling a running archive job to stop. A cancelled session end
        // keeps the launcher running.
        if (wParam) {
            StopArchiveJob();
            DestroyWindow(window);
        }
        return 0;
    case WM_ACTIVATEAPP:
        if (!wParam)
            ForgetPreviousForeground();
        break;
    case WM_COMMAND:
        if (OnCommand(window, LOWORD(wParam)))
            return 0;
        break;
    case WM_HOTKEY:
        OnHotkey(window, static_cast<int>(wParam));
        break;
    case WM_KEYDOWN:
    case WM_BUTTONKEYDOWN:
        HandleShortcutKey(window, static_cast<int>(wParam));
        break;
    case WM_DROPFILES:
        HandleBarDrop(window, reinterpret_cast<HDROP>(wParam));
        DragFinish(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kHoverTimerId)
            g_hoveredControl = WatchDragHover(window, g_hoveredControl);
        break;
    case WM_MOVE:
    case WM_SETTINGCHANGE:
    case WM_DISPLAYCHANGE:
        PlaceWindow(window, WindowPositions());
        return 0;
    case WM_CONTEXTMENU:
        ShowContextMenu(window, reinterpret_cast<HWND>(wParam));
        break;
    case WM_TRAYNOTIFY:
        HandleTrayNotify(window, static_cast<UINT>(wParam), static_cast<UINT>(lParam), GetAlwaysOnTop());
        return 0;
    case WM_MEASUREITEM:
        return HandleMenuMeasureItem(window, wParam, lParam);
    case WM_DRAWITEM:
        return HandleMenuDrawItem(window, wParam, lParam);
    case WM_GETMINMAXINFO:
        OnMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
