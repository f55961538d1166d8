#include "bar/bar_input.h"

#include "bar/bar_geometry.h"
#include "bar/bar_keys.h"
#include "bar/button_operations.h"
#include "bar/launch.h"
#include "bar/start_count.h"
#include "shortcuts/key_names.h"
#include "shortcuts/shortcut_table.h"
#include "support/file_kind.h"
#include "support/key_state.h"
#include "support/max_path.h"
#include "support/messages.h"
#include "support/scoped_handle.h"

namespace {
int ControlAtDropPoint(HWND mainWindow, HDROP drop)
{
    POINT point;
    DragQueryPoint(drop, &point);
    HWND child = ChildWindowFromPoint(mainWindow, point);
    if (!child || child == mainWindow)
        return 0;
    return GetDlgCtrlID(child);
}

// The item exists and the system has an icon for it. A folder (a drive's
// root too) always has the folder's, which Wine's call does not hand out.
bool HasAssociatedIcon(const wchar_t* path)
{
    if (IsFolder(path))
        return true;
    wchar_t copy[MAX_PATH];  // the call may write the icon's file over it
    lstrcpynW(copy, path, MAX_PATH);
    WORD index = 0;
    return static_cast<bool>(ScopedIcon(ExtractAssociatedIconW(GetModuleHandleW(nullptr), copy, &index)));
}

// The first dropped item's whole path; empty when nothing was dropped. A
// path the launcher cannot keep whole (longer than a field, or than the
// system's calls take) is refused, after saying so: false.
bool TakeDroppedPath(HWND mainWindow, HDROP drop, wchar_t (&path)[kFieldSize])
{
    path[0] = L'\0';
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    if (length == 0)
        return true;
    if (length <= kFieldLength && DragQueryFileW(drop, 0, path, kFieldSize) == length && PathFitsMaxPath(path))
        return true;
    path[0] = L'\0';
    ShowMessageId(mainWindow, IDS_MSG_NAME_NOT_KEPT, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

// A folder menu opens under its button, at the button's left edge.
POINT FolderMenuPoint(HWND mainWindow, int index)
{
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(GetDlgItem(mainWindow, IDC_FIRST_LAUNCHER + index), &rect);
    return POINT{rect.left, rect.bottom};
}

// Every button whose shortcut is key with modifiers starts (a folder menu
// opens at the cursor); false when no shortcut holds the combination.
bool StartShortcutButtons(ButtonBar& bar, int key, int modifiers, const BarActions& actions)
{
    Launcher& launcher = bar.launcher;
    bool matched = false;
    for (int group = 0; group < kGroupCount; ++group) {
        for (int i = 0; i < kButtonsPerGroup; ++i) {
            const ShortcutEntry* entry = GetShortcutEntry(launcher.Shortcuts(), group, i);
            if (!entry || entry->key != key || entry->flag != modifiers)
                continue;
            matched = true;
            const ButtonRecord* button = launcher.ButtonAt(group, i);
            LaunchFailure failure;
            if (!button || actions.openFolderMenu(bar.window, *button, nullptr))
                continue;
            if (StartButtonFile(bar.window, *button, &failure))
                CountStart(bar.launcher, *button);
            else
                TellLaunchFailure(bar.window, failure);
        }
    }
    return matched;
}
}  // namespace

void LaunchButton(ButtonBar& bar, int index, const BarActions& actions)
{
    const ButtonRecord* button = bar.launcher.CurrentButton(index);
    if (!button)
        return;
    if (button->file[0] == L'\0') {
        actions.openButtonSettings(bar.window, index, false, nullptr);
        return;
    }
    if (KeyHeld(VK_SHIFT) || KeyHeld(VK_LSHIFT)) {
        actions.openButtonSettings(bar.window, index, false, button->file);
        return;
    }
    if (KeyHeld(VK_ESCAPE)) {
        ClearButton(bar, index);
        return;
    }
    const POINT at = FolderMenuPoint(bar.window, index);
    if (!actions.openFolderMenu(bar.window, *button, &at))
        LaunchAsClick(bar, *button);
}

void HandleShortcutKey(ButtonBar& bar, int key, const BarActions& actions)
{
    if (key == 0)
        return;
    const int modifiers = GetModifierState();
    const int index = DigitToIndex(key);
    if (index >= 0) {
        if (IsCtrlDigit(key, modifiers)) {
            const int id = IDC_FIRST_LAUNCHER + index;
            PostMessageW(bar.window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(bar.window, id)));
        } else if (IsPlainDigit(key, modifiers) && index < ClampGroupCount(bar.launcher.Settings().groupCount)) {
            ShowGroup(bar, index);
        }
        return;
    }
    if (!StartShortcutButtons(bar, key, modifiers, actions) && modifiers == 0)  // a shortcut on an arrow keeps it
        HandleBarKey(bar.window, key);
}

void HandleBarDrop(ButtonBar& bar, HDROP drop, const BarActions& actions)
{
    SetForegroundWindow(bar.window);
    const int id = ControlAtDropPoint(bar.window, drop);
    wchar_t path[kFieldSize];
    if (id == IDC_GROUP_BUTTON) {
        // Archives first; what they leave is proposed as the group's icon.
        if (!actions.handleArchiveDrop(bar.window, drop) && TakeDroppedPath(bar.window, drop, path))
            actions.openGroupSettings(bar.window, path);
        return;
    }
    const int index = id - IDC_FIRST_LAUNCHER;
    const ButtonRecord* button = bar.launcher.CurrentButton(index);
    if (!button) {
        ShowMessageId(bar.window, IDS_MSG_DROP_REFUSED, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!TakeDroppedPath(bar.window, drop, path) || path[0] == L'\0' || !HasAssociatedIcon(path))
        return;
    if (button->file[0] == L'\0') {
        actions.openButtonSettings(bar.window, index, true, path);
        return;
    }
    OpenWithButton(bar, *button, path);
}
