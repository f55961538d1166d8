#include "app/main_window.h"

#include "app/activation.h"
#include "app/archive_jobs.h"
#include "app/commands.h"
#include "app/held_input.h"
#include "app/launcher_load.h"
#include "app/placement.h"
#include "app/tray_icon.h"
#include "app/window_state.h"
#include "bar/bar_geometry.h"
#include "bar/bar_keys.h"
#include "bar/bar_pictures.h"
#include "bar/bar_tooltips.h"
#include "bar/button_bar.h"
#include "bar/button_icons.h"
#include "bar/button_mouse.h"
#include "bar/button_operations.h"
#include "bar/message_guard.h"
#include "bar/start_with_launcher.h"
#include "data/generations.h"
#include "data/launcher.h"
#include "data/window_positions.h"
#include "menus/folder_menu.h"
#include "menus/launcher_menus.h"
#include "menus/menu_paint.h"
#include "resources/resource_ids.h"
#include "shortcuts/hotkeys.h"
#include "shortcuts/refused_hotkeys.h"
#include "shortcuts/saved_changes.h"
#include "shortcuts/shortcut_file.h"
#include "support/dialog_base.h"
#include "support/display_scale.h"
#include "support/messages.h"
#include "support/program_files.h"
#include "support/startup_link.h"

#include <imm.h>
#include <shellapi.h>

namespace {
void InsertSystemMenuItem(HMENU menu, UINT textId, UINT command, bool isDefault)
{
    wchar_t text[64];
    LoadText(textId, text, 64);
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE;
    item.wID = command;
    item.fState = isDefault ? MFS_DEFAULT : 0;
    item.dwTypeData = text;
    InsertMenuItemW(menu, 0, TRUE, &item);
}

// The system menu holds just "move" and "close" (the default).
void RebuildSystemMenu(HWND window)
{
    HMENU menu = GetSystemMenu(window, FALSE);
    if (!menu)
        return;
    while (GetMenuItemCount(menu) > 0)
        DeleteMenu(menu, 0, MF_BYPOSITION);
    InsertSystemMenuItem(menu, IDS_SYSMENU_CLOSE, SC_CLOSE, true);
    InsertSystemMenuItem(menu, IDS_SYSMENU_MOVE, SC_MOVE, false);
}

// Once, at start: the hotkeys the system refused, in a balloon that blocks nothing.
void TellRefusedHotkeys(const MainWindowState& state)
{
    wchar_t text[ARRAYSIZE(NOTIFYICONDATAW{}.szInfo)];
    wchar_t title[ARRAYSIZE(NOTIFYICONDATAW{}.szInfoTitle)];
    if (DescribeRefusedHotkeys(state.launcher, text, ARRAYSIZE(text)) &&
        LoadText(IDS_REFUSED_HOTKEYS_TITLE, title, ARRAYSIZE(title)))
        ShowTrayBalloon(&state.trayIcon, title, text);
}

// The window at its place on the screen as it is now (app/placement.h).
void Place(MainWindowState& state)
{
    PlaceWindow(state.bar.window, &state.launcher.Positions(), &state.lastDesktop);
}

LRESULT OnCreate(HWND window)
{
    MainWindowState* state = WindowState(window);
    if (!state)
        return -1;
    state->created = false;
    SetProgramFolderVariable();  // before any stored path is used, and for the programs started
    ImmAssociateContext(window, nullptr);
    if (!CreateButtonBar(state->bar)) {
        // Nothing was loaded: the window goes without a record, so that its
        // destruction writes nothing over the user's files and posts no quit
        // that would close the start-up's message at once.
        ReleaseButtonBar(state->bar);
        DetachWindowState(window);
        return -1;
    }
    RebuildSystemMenu(window);
    Launcher& launcher = state->launcher;
    launcher.History().TellFirstFailureTo(window, WM_GENERATION_NOT_KEPT);
    LoadDataFile(window, launcher);
    const AppSettings settings = launcher.Settings();
    ClearPositions(&launcher.Positions());
    TellHeldFile(window, LoadPositions(&launcher.Positions(), launcher.Files()).held);
    TellHeldFile(window, LoadShortcutTable(launcher).held);  // no file yet: an empty table, written at the first change
    SetWindowPos(window, nullptr, settings.windowX, settings.windowY, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (settings.alwaysOnTop)
        SetTopmost(window, true);
    Place(*state);
    state->bar.iconFile.Read();  // the start group's icons from one file where it still holds them
    ShowGroup(state->bar, launcher.CurrentGroup());  // the start group the load chose, 0 when out of range
    CheckDlgButton(window, IDC_GROUP_BUTTON, BST_CHECKED);
    DragAcceptFiles(window, TRUE);
    state->created = true;
    PostMessageW(window, WM_FINISH_START, 0, 0);
    return 0;
}

// The start's second half, once the bar is up: nothing here shows on the bar.
void FinishStart(HWND window)
{
    MainWindowState* state = WindowState(window);
    if (!state || !state->created || state->ready)
        return;
    RegisterAllHotkeys(window, state->launcher);  // a combination taken elsewhere stays unregistered
    CreateBarTooltips(state->bar);
    state->timer = SetTimer(window, kHoverTimerId, kHoverTimerPeriod, nullptr);
    if (RenewBorrowedBarIcons(state->bar))  // the icon file's that may have changed with another file
        ShowGroup(state->bar, state->launcher.CurrentGroup());
    SaveBarIconFile(state->bar);  // the icons the file lacked or held wrongly, for the next start
    // Last: another process that sees the tray icon knows the start is complete.
    AddTrayIcon(&state->trayIcon, window, IDI_PROGRAM, IDS_TITLE_APP, WM_TRAYNOTIFY);
    TellRefusedHotkeys(*state);
    state->catalog = std::make_unique<ProgramCatalog>(window, WM_PROGRAMS_READ);  // off this thread
    state->ready = true;
}

// Once the bar of a first start is on the screen: the Startup folder's
// shortcut renewed when the launcher starts with Windows (it may have moved),
// then the buttons started with it.
void OnLauncherStarted(HWND window)
{
    const MainWindowState* state = WindowState(window);
    if (!state)
        return;
    if (state->launcher.Options().startWithWindows && !RenewStartupLink())
        ShowMessageId(window, IDS_MSG_STARTUP_LINK_FAILED, MB_OK | MB_ICONEXCLAMATION);
    StartMarkedButtons(window, state->launcher);
}

void OnDestroy(HWND window)
{
    MainWindowState* state = WindowState(window);
    if (!state)
        return;
    if (!state->created) {
        // A creation that failed on its way: nothing was loaded, so nothing
        // is written over the user's files, and no quit is posted.
        ReleaseButtonBar(state->bar);
        return;
    }
    state->created = false;
    Launcher& launcher = state->launcher;
    launcher.History().TellFirstFailureTo(nullptr, 0);  // no notice at exit
    GenerationScope oneGeneration(launcher.History());  // what the last save left, once
    state->ready = false;
    state->catalog.reset();  // its thread ends before the window it tells goes
    UnregisterAllHotkeys(window, launcher);
    RemoveTrayIcon(&state->trayIcon);
    if (state->timer) {
        KillTimer(window, kHoverTimerId);
        state->timer = 0;
    }
    // The user's files first: the icon file may look at the icons' files.
    SaveDataChanges(window, launcher);
    SavePositions(&launcher.Positions(), launcher.Files());
    SaveShortcutChanges(window, launcher);
    SaveBarIconFile(state->bar);  // the groups shown in this run, while the bar still holds their icons
    ReleaseButtonBar(state->bar);
    PostQuitMessage(0);
}

void OnHotkey(HWND window, int id)
{
    if (id == kActivationHotkeyId)
        ToggleActivation(window);
    else if (id == IDHK_SEARCH)
        OnCommand(window, IDM_SEARCH_BUTTONS);
    else if (id >= 0 && id < kButtonCount)
        LaunchHotkeyButton(window, id);
}

// A close while dialogs are open ends them first, the one in front at a
// time, as their cancel buttons would (a message box as if answered with
// its cancel), so that nothing unconfirmed is saved. False when no dialog
// is open.
bool CancelDialogInFront(HWND window)
{
    HWND dialog = DialogInFront(window);
    if (!dialog)
        return false;
    if (!SendMessageW(dialog, WM_CANCEL_REQUEST, 0, 0))
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return true;
}

// A session end cannot wait for the dialogs' loops: every open dialog is
// cancelled at once, front to back (a cancel hides its dialog and gives the
// one below back its input), before the files are written.
void CancelEveryDialog(HWND window)
{
    for (int open = 0; open < 16 && CancelDialogInFront(window); ++open) {
    }
}

void OnMinMaxInfo(HWND window, MINMAXINFO* info)
{
    // Keep the bar's exact geometry: the window may be narrower than the
    // system's minimum tracking size.
    const SIZE collapsed = BarWindowSize(false, WindowDpi(window));
    info->ptMinTrackSize.x = collapsed.cx;
    info->ptMinTrackSize.y = collapsed.cy;
}

void OnHoverTimer(HWND window)
{
    if (MainWindowState* state = WindowState(window))
        WatchDragHover(state->bar);
}

void OnPlaceChange(HWND window)
{
    if (MainWindowState* state = WindowState(window))
        Place(*state);
}

void OnTrayNotify(HWND window, LPARAM mouseMessage)
{
    const MainWindowState* state = WindowState(window);
    if (!state)
        return;
    HandleTrayNotify(window, static_cast<UINT>(mouseMessage), state->launcher.Settings().alwaysOnTop != 0);
    if (mouseMessage == WM_LBUTTONUP)
        FocusBar(window);  // raised from the tray: the keys work on the bar at once
}

void OnDpiChanged(HWND window, const RECT& suggested)
{
    if (MainWindowState* state = WindowState(window))
        RescaleButtonBar(state->bar, suggested);
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
}  // namespace

HWND CreateMainWindow(HINSTANCE instance, const wchar_t* className, Launcher& launcher)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_PROGRAM));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON,
        GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));  // the system's
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return nullptr;
    return CreateWindowExW(WS_EX_TOOLWINDOW, className, L"",
                           WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           nullptr, nullptr, instance, &launcher);
}

bool MainWindowReady(HWND mainWindow)
{
    const MainWindowState* state = WindowState(mainWindow);
    return state && state->ready;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // A creation that threw fails (WM_NCCREATE's 0 is FALSE, WM_CREATE's -1).
    const LRESULT failed = message == WM_CREATE ? -1 : 0;
    return AnswerWithoutThrowing([&] { return HandleMessage(window, message, wParam, lParam); }, failed);
}

namespace {
LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (RefusedWhileHeld(window, message, wParam))
        return 0;
    switch (message) {
    case WM_NCCREATE: {
        auto* launcher = static_cast<Launcher*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (!launcher || !AttachWindowState(window, *launcher))
            return FALSE;
        break;
    }
    case WM_NCDESTROY:
        DetachWindowState(window);
        break;
    case WM_CREATE:
        return OnCreate(window);
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    case WM_CLOSE:
        // During an archive job the job stops first (removing its partial
        // output) and the close follows when it has ended; open dialogs
        // are cancelled first, and the close is asked again once the one in
        // front has gone.
        if (StopArchiveJobThenClose(window))
            return 0;
        if (CancelDialogInFront(window)) {
            PostMessageW(window, WM_CLOSE, 0, 0);
            return 0;
        }
        break;
    case WM_ENDSESSION:
        // Logoff or shutdown: save everything as a normal exit does, after
        // stopping a running archive job and waiting for its end (which ends
        // its own windows), or cancelling the open dialogs. A cancelled
        // session end keeps the launcher running.
        if (wParam) {
            if (!StopArchiveJobForSessionEnd(window))
                CancelEveryDialog(window);
            DestroyWindow(window);
        }
        return 0;
    case WM_ACTIVATEAPP:
        if (!wParam)
            ForgetPreviousForeground(window);
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
        OnShortcutKey(window, static_cast<int>(wParam));
        break;
    case WM_DROPFILES:
        OnDropFiles(window, reinterpret_cast<HDROP>(wParam));
        DragFinish(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kHoverTimerId)
            OnHoverTimer(window);
        break;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
        // High contrast on or off: the bar's pictures again in the colours now chosen.
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        if (message == WM_SYSCOLORCHANGE)
            return 0;
        OnPlaceChange(window);
        return 0;
    case WM_MOVE:
    case WM_DISPLAYCHANGE:
        OnPlaceChange(window);
        return 0;
    case WM_CONTEXTMENU:
        OnContextMenu(window, reinterpret_cast<HWND>(wParam), lParam);
        break;
    case WM_LAUNCHER_STARTED:
        OnLauncherStarted(window);
        return 0;
    case WM_FINISH_START:
        FinishStart(window);
        return 0;
    case WM_ARCHIVE_JOB_ENDED:
        OnArchiveJobEnded(window);
        return 0;
    case WM_PROGRAMS_READ:  // for the search window, when it is open
        if (HWND dialog = DialogInFront(window))
            PostMessageW(dialog, WM_PROGRAMS_READ, 0, 0);
        return 0;
    case WM_GENERATION_NOT_KEPT:
        ShowMessageId(window, IDS_MSG_GENERATION_NOT_KEPT, MB_OK | MB_ICONEXCLAMATION);
        return 0;
    case WM_TRAYNOTIFY:
        if (wParam == kTrayIconId)
            OnTrayNotify(window, lParam);
        return 0;
    case WM_NOTIFY: {
        const auto* draw = reinterpret_cast<const NMCUSTOMDRAW*>(lParam);
        if (draw->hdr.code == NM_CUSTOMDRAW && IsBarControlId(static_cast<int>(draw->hdr.idFrom)) &&
            GetParent(draw->hdr.hwndFrom) == window)
            return DrawBarPicture(*draw);
        break;
    }
    case WM_MEASUREITEM:
        return HandleMenuMeasureItem(window, wParam, lParam);
    case WM_DRAWITEM:
        return HandleMenuDrawItem(window, wParam, lParam);
    case WM_INITMENUPOPUP:
        if (HandleFolderMenuInit(window, reinterpret_cast<HMENU>(wParam)))
            return 0;
        break;
    case WM_MENUCHAR: {
        bool handled = false;
        const LRESULT answer = HandleFolderMenuChar(wParam, lParam, &handled);
        if (handled)
            return answer;
        break;
    }
    case WM_GETMINMAXINFO:
        OnMinMaxInfo(window, reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_DPICHANGED:
        // Moved to a screen of another scale: the bar at the new scale,
        // where the system suggests.
        if (lParam)
            OnDpiChanged(window, *reinterpret_cast<const RECT*>(lParam));
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace
