#include "bar/bar_keys.h"

#include "bar/bar_geometry.h"
#include "support/key_state.h"

namespace {
bool IsBarKey(WPARAM key)
{
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN || key == VK_RETURN ||
           key == VK_ESCAPE;
}

// Position (0..12, creation order) of the bar control that has the focus; -1 for none.
int FocusedPosition(HWND mainWindow)
{
    HWND focus = GetFocus();
    if (!focus || GetParent(focus) != mainWindow)
        return -1;
    const int id = GetDlgCtrlID(focus);
    return IsBarControlId(id) ? id - IDC_GROUP_BUTTON : -1;
}

void ShowFocusMark(HWND mainWindow)
{
    SendMessageW(mainWindow, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

// A folded bar shows its group button alone: the keys stay on it.
bool BarFolded(HWND mainWindow)
{
    return IsDlgButtonChecked(mainWindow, IDC_GROUP_BUTTON) != BST_CHECKED;
}

void MoveFocus(HWND mainWindow, bool forward)
{
    if (BarFolded(mainWindow)) {
        SetFocus(GetDlgItem(mainWindow, IDC_GROUP_BUTTON));
        ShowFocusMark(mainWindow);
        return;
    }
    const int position = FocusedPosition(mainWindow);
    const int next = position < 0 ? 3 : (position + (forward ? 1 : kBarControlCount - 1)) % kBarControlCount;
    SetFocus(GetDlgItem(mainWindow, BarControlAt(next).id));
    ShowFocusMark(mainWindow);
}
}  // namespace

LRESULT BarDialogCode(const MSG* message, LRESULT standard)
{
    if (message && message->message == WM_KEYDOWN && IsBarKey(message->wParam))
        return standard | DLGC_WANTMESSAGE;
    return standard;
}

bool OpenMenuByKey(HWND control, UINT message, WPARAM key)
{
    const bool apps = key == VK_APPS && (message == WM_KEYDOWN || message == WM_KEYUP);
    const bool shiftF10 = key == VK_F10 && message == WM_SYSKEYDOWN && KeyHeld(VK_SHIFT);
    if (!apps && !shiftF10)
        return false;
    if (message != WM_KEYUP)
        SendMessageW(GetParent(control), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), -1);
    return true;
}

bool HandleBarKey(HWND mainWindow, int key)
{
    if (key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN) {
        MoveFocus(mainWindow, key == VK_RIGHT || key == VK_DOWN);
        return true;
    }
    const int position = FocusedPosition(mainWindow);
    if (key != VK_RETURN || position < 0)
        return false;
    // As a click: the group button's check flips first.
    SendMessageW(GetDlgItem(mainWindow, BarControlAt(position).id), BM_CLICK, 0, 0);
    return true;
}

void FocusBar(HWND mainWindow)
{
    SetFocus(GetDlgItem(mainWindow, BarFolded(mainWindow) ? IDC_GROUP_BUTTON : IDC_FIRST_LAUNCHER));
    ShowFocusMark(mainWindow);
}
