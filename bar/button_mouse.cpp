#include "bar/button_mouse.h"

#include "bar/bar_geometry.h"
#include "bar/bar_keys.h"
#include "bar/bar_pictures.h"
#include "bar/bar_tooltips.h"
#include "bar/button_icons.h"
#include "bar/icon_cache.h"
#include "bar/message_guard.h"
#include "bar/window_state.h"
#include "resources/resource_ids.h"
#include "shortcuts/hotkeys.h"
#include "shortcuts/saved_changes.h"
#include "shortcuts/shortcut_table.h"
#include "support/key_state.h"
#include "support/messages.h"

namespace {
constexpr unsigned kDragThreshold = 3;

WNDPROC g_buttonProcedure = nullptr;  // group button and launcher buttons (one class)
WNDPROC g_previousArrowProcedure = nullptr;
WNDPROC g_nextArrowProcedure = nullptr;
bool g_released = false;  // the bar's procedures only pass messages on

WNDPROC BarProcedureFor(int id)
{
    return IsLauncherButtonId(id) ? LauncherButtonProc : KeyForwardingProc;
}

WNDPROC Subclass(HWND control, WNDPROC procedure)
{
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

// A drag cursor at size pixels. At the system's cursor size the shared one,
// as LoadCursor gives it; at other sizes each one is loaded once and kept for
// the program's life: the one on the screen is never destroyed under it.
HCURSOR DragCursor(int cursor, int size)
{
    if (size == GetSystemMetrics(SM_CXCURSOR))
        return LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(cursor));
    struct Loaded {
        int cursor, size;
        HCURSOR handle;
    };
    static Loaded loaded[16] = {};
    for (const Loaded& l : loaded)
        if (l.handle && l.cursor == cursor && l.size == size)
            return l.handle;
    HCURSOR handle = static_cast<HCURSOR>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(cursor), IMAGE_CURSOR, size, size, 0));
    for (Loaded& l : loaded)
        if (!l.handle) {
            l = Loaded{cursor, size, handle};
            break;
        }
    return handle;  // with every place taken (many scales in one run) it stays unkept
}

HWND MainWindowOf(HWND control)
{
    return GetParent(control);
}

// The drag of the main window's record; none when the window has no record.
MainWindowState* DragStateOf(HWND control)
{
    return WindowState(MainWindowOf(control));
}

// The group a drag started in; -1 when no drag is in progress.
int DragSourceGroup(HWND mainWindow)
{
    const MainWindowState* state = WindowState(mainWindow);
    return state ? state->dragSourceGroup : -1;
}

void EndDrag(HWND mainWindow)
{
    if (MainWindowState* state = WindowState(mainWindow))
        state->dragSourceGroup = -1;
}

// The images of the bar's controls live with the bar (bar_pictures): the
// button's own image messages are answered there.
bool AnswerImageMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if ((message != BM_SETIMAGE && message != BM_GETIMAGE) || wParam != IMAGE_ICON)
        return false;
    *result = reinterpret_cast<LRESULT>(message == BM_GETIMAGE ? BarPicture(control)
                                                               : PutBarPicture(control, reinterpret_cast<HICON>(lParam)));
    return true;
}

void OnLauncherButtonDown(HWND control)
{
    if (MainWindowState* state = DragStateOf(control)) {
        state->dragMoves = 0;
        state->dragSourceGroup = state->launcher.CurrentGroup();
    }
}

// A move with the button held; true once the moves make a drag.
bool OnLauncherButtonMove(HWND control)
{
    MainWindowState* state = DragStateOf(control);
    return state && ++state->dragMoves >= kDragThreshold;
}

void OnLauncherButtonUp(HWND control)
{
    HWND mainWindow = MainWindowOf(control);
    MainWindowState* state = WindowState(mainWindow);
    if (!state)
        return;
    const bool dragged = state->dragMoves >= kDragThreshold && state->dragSourceGroup != -1;
    state->dragMoves = 0;
    if (dragged) {
        const int a = GetDlgCtrlID(control);
        const int b = BarControlUnderCursor(mainWindow);
        if (IsLauncherButtonId(a) && (b != a || state->dragSourceGroup != state->launcher.CurrentGroup()))
            MoveButton(mainWindow, a - IDC_FIRST_LAUNCHER, b - IDC_FIRST_LAUNCHER);
    }
    EndDrag(mainWindow);
}

// The bar's images after a move: the bar shows the current group only, so
// only target (and, in a same-group swap, source) change.
void MoveImages(HWND mainWindow, int a, int b, bool acrossGroups, bool overwrite, const ButtonRecord& moved)
{
    HWND controlA = GetDlgItem(mainWindow, IDC_FIRST_LAUNCHER + a);
    HWND controlB = GetDlgItem(mainWindow, IDC_FIRST_LAUNCHER + b);
    if (!controlA || !controlB)
        return;
    HICON icon;
    if (acrossGroups) {
        icon = LoadRecordIcon(moved, BarIconSize(WindowDpi(mainWindow)));
    } else if (overwrite) {
        HICON imageA = BarPicture(controlA);
        icon = imageA ? CopyIcon(imageA) : nullptr;
    } else {
        HICON imageA = BarPicture(controlA);
        PutBarPicture(controlA, BarPicture(controlB));  // now owned by a
        icon = imageA;
    }
    HICON replaced = PutBarPicture(controlB, icon);
    if (replaced && replaced != icon && (acrossGroups || overwrite))
        ReleaseIcon(replaced);
}
}  // namespace

void SubclassBarControls(HWND mainWindow)
{
    g_released = false;
    for (int position = 0; position < kBarControlCount; ++position) {
        const int id = BarControlAt(position).id;
        const WNDPROC previous = Subclass(GetDlgItem(mainWindow, id), BarProcedureFor(id));
        if (id == IDC_PREVIOUS_GROUP)
            g_previousArrowProcedure = previous;
        else if (id == IDC_NEXT_GROUP)
            g_nextArrowProcedure = previous;
        else
            g_buttonProcedure = previous;
    }
}

void RestoreBarControls(HWND mainWindow)
{
    g_released = true;
    for (int position = 0; position < kBarControlCount; ++position) {
        const int id = BarControlAt(position).id;
        HWND control = GetDlgItem(mainWindow, id);
        const WNDPROC previous = PreviousBarProcedure(id);
        if (control && previous &&
            reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC)) == BarProcedureFor(id))
            Subclass(control, previous);
    }
}

WNDPROC PreviousBarProcedure(int controlId)
{
    if (controlId == IDC_PREVIOUS_GROUP)
        return g_previousArrowProcedure;
    if (controlId == IDC_NEXT_GROUP)
        return g_nextArrowProcedure;
    return g_buttonProcedure;
}

int BarControlUnderCursor(HWND mainWindow)
{
    POINT point;
    if (!GetCursorPos(&point) || !ScreenToClient(mainWindow, &point))
        return 0;
    HWND child = ChildWindowFromPoint(mainWindow, point);
    if (!child || child == mainWindow)
        return 0;
    return GetDlgCtrlID(child);
}

namespace {
LRESULT ForwardKeys(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT answer;
    if (AnswerImageMessage(control, message, wParam, lParam, &answer))
        return answer;
    if (!g_released && OpenMenuByKey(control, message, wParam))
        return 0;
    if (message == WM_KEYDOWN && !g_released)
        SendMessageW(MainWindowOf(control), WM_BUTTONKEYDOWN, wParam, lParam);
    const LRESULT result = CallWindowProcW(PreviousBarProcedure(GetDlgCtrlID(control)), control, message, wParam,
                                           lParam);
    return message == WM_GETDLGCODE ? BarDialogCode(reinterpret_cast<const MSG*>(lParam), result) : result;
}

LRESULT HandleLauncherButton(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    const WNDPROC previous = PreviousBarProcedure(GetDlgCtrlID(control));
    LRESULT answer;
    if (AnswerImageMessage(control, message, wParam, lParam, &answer))
        return answer;
    if (g_released)
        return CallWindowProcW(previous, control, message, wParam, lParam);
    if (OpenMenuByKey(control, message, wParam))
        return 0;
    switch (message) {
    case WM_KEYDOWN:
        SendMessageW(MainWindowOf(control), WM_BUTTONKEYDOWN, wParam, lParam);
        if (GetCapture() == control)
            UpdateDragCursor(control);
        break;
    case WM_KEYUP:
        if (GetCapture() == control)
            UpdateDragCursor(control);
        break;
    case WM_GETDLGCODE:
        return BarDialogCode(reinterpret_cast<const MSG*>(lParam),
                             CallWindowProcW(previous, control, message, wParam, lParam));
    case WM_MOUSEMOVE:
        if (GetCapture() == control && OnLauncherButtonMove(control))
            UpdateDragCursor(control);
        break;
    case WM_LBUTTONDOWN:
        OnLauncherButtonDown(control);
        break;
    case WM_LBUTTONUP:
        OnLauncherButtonUp(control);
        break;
    default:
        break;
    }
    return CallWindowProcW(previous, control, message, wParam, lParam);
}
}  // namespace

LRESULT CALLBACK KeyForwardingProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AnswerWithoutThrowing([&] { return ForwardKeys(control, message, wParam, lParam); });
}

LRESULT CALLBACK LauncherButtonProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AnswerWithoutThrowing([&] { return HandleLauncherButton(control, message, wParam, lParam); });
}

void UpdateDragCursor(HWND pressedButton)
{
    HWND mainWindow = MainWindowOf(pressedButton);
    const int a = GetDlgCtrlID(pressedButton);
    const int b = BarControlUnderCursor(mainWindow);
    int cursor;
    if (!IsLauncherButtonId(b))
        cursor = IDCUR_NO_DROP;
    else if (b == a && DragSourceGroup(mainWindow) == LauncherOf(mainWindow).CurrentGroup())
        cursor = IDCUR_DRAG;
    else
        cursor = KeyHeld(VK_SHIFT) ? IDCUR_COPY : IDCUR_SWAP;
    if (HCURSOR handle = DragCursor(cursor, SystemMetricForDpi(SM_CXCURSOR, WindowDpi(pressedButton))))
        SetCursor(handle);
}

int WatchDragHover(HWND mainWindow, int hoveredControl)
{
    if (!KeyHeld(VK_LBUTTON))
        return hoveredControl;
    HWND capture = GetCapture();
    if (capture && (capture == mainWindow || capture == GetDlgItem(mainWindow, IDC_PREVIOUS_GROUP) ||
                    capture == GetDlgItem(mainWindow, IDC_NEXT_GROUP)))
        return hoveredControl;

    int x = BarControlUnderCursor(mainWindow);
    if (x == hoveredControl && x < IDC_FIRST_LAUNCHER) {
        if (x == IDC_GROUP_BUTTON) {
            if (IsDlgButtonChecked(mainWindow, IDC_GROUP_BUTTON) == BST_CHECKED)
                return hoveredControl;
            CheckDlgButton(mainWindow, IDC_GROUP_BUTTON, BST_CHECKED);
        }
        if (x != 0)
            PostMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(x, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(mainWindow, x)));
        x = 0;
    }
    return x;
}

bool MoveButton(HWND mainWindow, int a, int b)
{
    if (!IsValidButtonIndex(a) || !IsValidButtonIndex(b))
        return false;
    bool overwrite = KeyHeld(VK_SHIFT);
    Launcher& launcher = LauncherOf(mainWindow);
    const int current = launcher.CurrentGroup();
    const int dragged = DragSourceGroup(mainWindow);
    const int sourceGroup = dragged == -1 ? current : dragged;
    ButtonRecord* source = launcher.ButtonAt(sourceGroup, a);
    ButtonRecord* destination = launcher.ButtonAt(current, b);
    if (!source || !destination)
        return false;
    ShortcutEntry* sourceKey = GetShortcutEntry(launcher.Shortcuts(), sourceGroup, a);
    ShortcutEntry* destinationKey = GetShortcutEntry(launcher.Shortcuts(), current, b);
    const ButtonRecord saved = *source;

    if (overwrite && destination->file[0] != '\0') {
        const int answer = ShowMessageId(mainWindow, IDS_ASK_OVERWRITE_BUTTON, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer != IDYES && answer != IDNO) {
            EndDrag(mainWindow);
            return true;
        }
        if (answer == IDNO)
            overwrite = false;
    }
    if (!overwrite) {
        *source = *destination;
        if (sourceKey && destinationKey) {
            const ShortcutEntry savedKey = *sourceKey;
            *sourceKey = *destinationKey;
            *destinationKey = savedKey;
        }
    }
    *destination = saved;

    MoveImages(mainWindow, a, b, sourceGroup != current, overwrite, saved);
    RenewButtonHotkeys(mainWindow, launcher);  // the system hotkeys follow the moved entries
    EndDrag(mainWindow);
    UpdateBarTooltips(mainWindow);
    SaveChanges(mainWindow, launcher);  // the keys moved with the buttons
    return true;
}
