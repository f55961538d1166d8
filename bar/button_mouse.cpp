#include "bar/button_mouse.h"

#include "bar/bar_geometry.h"
#include "bar/bar_keys.h"
#include "bar/bar_pictures.h"
#include "bar/button_operations.h"
#include "bar/message_guard.h"
#include "resources/resource_ids.h"
#include "support/key_state.h"

#include <commctrl.h>

namespace {
constexpr unsigned kDragThreshold = 3;
constexpr UINT_PTR kBarSubclassId = 1;

LRESULT CALLBACK KeyForwardingProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR bar);
LRESULT CALLBACK LauncherButtonProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR bar);

// The bar's procedures: every control forwards its keys; the launcher buttons also drag.
SUBCLASSPROC BarProcedureFor(int id)
{
    return IsLauncherButtonId(id) ? LauncherButtonProc : KeyForwardingProc;
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

void OnLauncherButtonDown(ButtonBar& bar)
{
    bar.dragMoves = 0;
    bar.dragSourceGroup = bar.launcher.CurrentGroup();
}

// A move with the button held; true once the moves make a drag.
bool OnLauncherButtonMove(ButtonBar& bar)
{
    return ++bar.dragMoves >= kDragThreshold;
}

// A drop on another button swaps the two, or copies with SHIFT held.
void OnLauncherButtonUp(ButtonBar& bar, HWND control)
{
    const bool dragged = bar.dragMoves >= kDragThreshold && bar.dragSourceGroup != -1;
    bar.dragMoves = 0;
    if (dragged) {
        const int a = GetDlgCtrlID(control);
        const int b = BarControlUnderCursor(bar.window);
        const MoveKind kind = KeyHeld(VK_SHIFT) ? MoveKind::Copy : MoveKind::Swap;
        if (IsLauncherButtonId(a) && (b != a || bar.dragSourceGroup != bar.launcher.CurrentGroup()))
            MoveButton(bar, ButtonMove{bar.dragSourceGroup, a - IDC_FIRST_LAUNCHER, b - IDC_FIRST_LAUNCHER, kind});
    }
    bar.dragSourceGroup = -1;
}
}  // namespace

void SubclassBarControls(ButtonBar& bar)
{
    for (int position = 0; position < kBarControlCount; ++position) {
        const int id = BarControlAt(position).id;
        SetWindowSubclass(GetDlgItem(bar.window, id), BarProcedureFor(id), kBarSubclassId,
                          reinterpret_cast<DWORD_PTR>(&bar));
    }
}

void RestoreBarControls(ButtonBar& bar)
{
    for (int position = 0; position < kBarControlCount; ++position) {
        const int id = BarControlAt(position).id;
        if (HWND control = GetDlgItem(bar.window, id))
            RemoveWindowSubclass(control, BarProcedureFor(id), kBarSubclassId);
    }
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
    if (OpenMenuByKey(control, message, wParam))
        return 0;
    if (message == WM_KEYDOWN)
        SendMessageW(MainWindowOf(control), WM_BUTTONKEYDOWN, wParam, lParam);
    const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
    return message == WM_GETDLGCODE ? BarDialogCode(reinterpret_cast<const MSG*>(lParam), result) : result;
}

LRESULT HandleLauncherButton(ButtonBar& bar, HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT answer;
    if (AnswerImageMessage(control, message, wParam, lParam, &answer))
        return answer;
    if (OpenMenuByKey(control, message, wParam))
        return 0;
    switch (message) {
    case WM_KEYDOWN:
        SendMessageW(MainWindowOf(control), WM_BUTTONKEYDOWN, wParam, lParam);
        if (GetCapture() == control)
            UpdateDragCursor(bar, control);
        break;
    case WM_KEYUP:
        if (GetCapture() == control)
            UpdateDragCursor(bar, control);
        break;
    case WM_GETDLGCODE:
        return BarDialogCode(reinterpret_cast<const MSG*>(lParam), DefSubclassProc(control, message, wParam, lParam));
    case WM_MOUSEMOVE:
        if (GetCapture() == control && OnLauncherButtonMove(bar))
            UpdateDragCursor(bar, control);
        break;
    case WM_LBUTTONDOWN:
        OnLauncherButtonDown(bar);
        break;
    case WM_LBUTTONUP:
        OnLauncherButtonUp(bar, control);
        break;
    default:
        break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

// The control under the cursor now; a group control held under it since the
// previous tick is clicked (the group button only to unfold the bar).
int HoverAfterTick(HWND mainWindow, int hoveredControl)
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

LRESULT CALLBACK KeyForwardingProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    return AnswerWithoutThrowing([&] { return ForwardKeys(control, message, wParam, lParam); });
}

LRESULT CALLBACK LauncherButtonProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR bar)
{
    return AnswerWithoutThrowing([&] {
        return HandleLauncherButton(*reinterpret_cast<ButtonBar*>(bar), control, message, wParam, lParam);
    });
}
}  // namespace

void UpdateDragCursor(const ButtonBar& bar, HWND pressedButton)
{
    const int a = GetDlgCtrlID(pressedButton);
    const int b = BarControlUnderCursor(bar.window);
    int cursor;
    if (!IsLauncherButtonId(b))
        cursor = IDCUR_NO_DROP;
    else if (b == a && bar.dragSourceGroup == bar.launcher.CurrentGroup())
        cursor = IDCUR_DRAG;
    else
        cursor = KeyHeld(VK_SHIFT) ? IDCUR_COPY : IDCUR_SWAP;
    if (HCURSOR handle = DragCursor(cursor, SystemMetricForDpi(SM_CXCURSOR, WindowDpi(pressedButton))))
        SetCursor(handle);
}

void WatchDragHover(ButtonBar& bar)
{
    bar.hoveredControl = HoverAfterTick(bar.window, bar.hoveredControl);
}
