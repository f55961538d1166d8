#include "bar/launch.h"

#include "bar/bar_geometry.h"
#include "bar/button_bar.h"
#include "bar/button_icons.h"
#include "data/launcher_data.h"
#include "shortcuts/key_names.h"
#include "shortcuts/shortcut_table.h"
#include "support/kept_path.h"
#include "support/key_state.h"
#include "support/max_path.h"
#include "support/messages.h"
#include "support/path_text.h"
#include "support/scoped_handle.h"
#include "support/stored_path.h"

#include <cstring>

namespace {
// A fixed text field as a terminated string.
struct Field {
    explicit Field(const char* field)
    {
        std::memcpy(text, field, kTextFieldSize);
        text[kTextFieldSize - 1] = '\0';
    }
    const char* OrNull() const { return text[0] ? text : nullptr; }
    char text[kTextFieldSize];
};

// The stored file and working folder as they are used here (variables
// expanded, moved to the launcher's drive); one that counts as missing is
// not started. The options go to the program as written, as Windows' shell
// hands them over.
bool ShellOpen(HWND owner, const char* file, const char* params, const char* directory)
{
    char usedFile[kResolvedPathSize];
    char usedFolder[kResolvedPathSize];
    if (!ResolveStoredPath(file, usedFile, sizeof usedFile) ||
        (directory && !ResolveStoredPath(directory, usedFolder, sizeof usedFolder)))
        return false;
    const HINSTANCE result =
        ShellExecuteA(owner, "open", usedFile, params, directory ? usedFolder : nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

void CollapseAfterLaunch(HWND mainWindow)
{
    if (!GetSettings().collapseOnLaunch)
        return;
    CheckDlgButton(mainWindow, IDC_GROUP_BUTTON, BST_UNCHECKED);
    SetBarExpanded(mainWindow, false);
}

int ControlAtDropPoint(HWND mainWindow, HDROP drop)
{
    POINT point;
    DragQueryPoint(drop, &point);
    HWND child = ChildWindowFromPoint(mainWindow, point);
    if (!child || child == mainWindow)
        return 0;
    return GetDlgCtrlID(child);
}

bool IsFolder(const char* path)
{
    wchar_t wide[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH);
    const DWORD attributes = GetFileAttributesW(wide);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The item exists and the system has an icon for it. A folder (a drive's
// root too) always has the folder's, which Wine's call does not hand out.
bool HasAssociatedIcon(const char* path)
{
    if (!PathFitsMaxPath(path))
        return false;
    if (IsFolder(path))
        return true;
    char copy[kTextFieldSize];
    lstrcpynA(copy, path, sizeof copy);
    WORD index = 0;
    return static_cast<bool>(ScopedIcon(ExtractAssociatedIconA(GetModuleHandleA(nullptr), copy, &index)));
}

// The first dropped item as a path the launcher can keep (its own name, or
// its short name for one the code page cannot hold). False, after saying so,
// when there is none.
bool TakeDroppedPath(HWND mainWindow, HDROP drop, char* path, int size)
{
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    if (length == 0)
        return false;
    wchar_t wide[1024] = L"";
    if (length < 1024)
        DragQueryFileW(drop, 0, wide, 1024);
    if (KeepPath(wide, path, size) != KeptPath::None)
        return true;
    ShowMessageId(mainWindow, IDS_MSG_NAME_NOT_KEPT, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void OpenWithButton(HWND mainWindow, const ButtonRecord& button, const char* dropped)
{
    char quoted[2 * kTextFieldSize + 3];
    const Field file(button.file);
    const Field workDir(button.workDir);
    if (!QuoteForCommandLine(dropped, quoted, sizeof quoted) ||
        !ShellOpen(mainWindow, file.text, quoted, workDir.OrNull())) {
        ShowMessageId(mainWindow, IDS_MSG_LAUNCH_FAILED, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CollapseAfterLaunch(mainWindow);
}

}  // namespace

bool StartButtonFile(HWND owner, const ButtonRecord& button)
{
    const Field file(button.file);
    const Field params(button.params);
    const Field workDir(button.workDir);
    return ShellOpen(owner, file.text, params.OrNull(), workDir.OrNull());
}

void LaunchButton(HWND mainWindow, int index, const BarActions& actions)
{
    const ButtonRecord* button = CurrentButton(index);
    if (!button)
        return;
    if (button->file[0] == '\0') {
        actions.openButtonSettings(mainWindow, index, false, nullptr);
        return;
    }
    if (KeyHeld(VK_SHIFT) || KeyHeld(VK_LSHIFT)) {
        const Field file(button->file);
        actions.openButtonSettings(mainWindow, index, false, file.text);
        return;
    }
    if (KeyHeld(VK_ESCAPE)) {
        ClearButton(mainWindow, index);
        return;
    }
    LaunchAsClick(mainWindow, *button);
}

void LaunchAsClick(HWND mainWindow, const ButtonRecord& button)
{
    if (!StartButtonFile(mainWindow, button)) {
        ShowMessageId(mainWindow, IDS_MSG_LAUNCH_FAILED, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CollapseAfterLaunch(mainWindow);
}

bool ShowButtonFolder(HWND mainWindow, const ButtonRecord& button)
{
    // The file where a click would start it from (variables expanded, moved
    // to the launcher's drive), and its folder.
    const Field stored(button.file);
    char file[kResolvedPathSize] = "";
    bool found = false;
    ResolveStoredPath(stored.text, file, sizeof file, &found);
    char folder[kResolvedPathSize] = "";
    CopyFolderOf(file, folder, sizeof folder);
    bool shown = false;
    if (found) {
        // Explorer from the system's own folder, never one found beside the launcher.
        char explorer[MAX_PATH + 16] = "";
        const UINT length = GetWindowsDirectoryA(explorer, MAX_PATH);
        char params[2 * kResolvedPathSize + 16] = "/select,";
        const size_t prefix = std::strlen(params);
        if (length > 0 && length < MAX_PATH && QuoteForCommandLine(file, params + prefix, sizeof params - prefix)) {
            lstrcatA(explorer, "\\explorer.exe");
            shown = ShellOpen(mainWindow, explorer, params, nullptr);
        }
    } else if (folder[0] && StoredPathExists(folder)) {
        shown = ShellOpen(mainWindow, folder, nullptr, nullptr);
    }
    if (!shown)
        ShowMessageId(mainWindow, IDS_MSG_FOLDER_FAILED, MB_OK | MB_ICONEXCLAMATION);
    return shown;
}

void HandleShortcutKey(HWND mainWindow, int key)
{
    if (key == 0)
        return;
    const int modifiers = GetModifierState();
    const int index = DigitToIndex(key);
    if (index >= 0) {
        if (IsCtrlDigit(key, modifiers)) {
            const int id = IDC_FIRST_LAUNCHER + index;
            PostMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(mainWindow, id)));
        } else if (IsPlainDigit(key, modifiers) && index < ClampGroupCount(GetSettings().groupCount)) {
            ShowGroup(mainWindow, index);
        }
        return;
    }
    for (int group = 0; group < kGroupCount; ++group) {
        for (int i = 0; i < kButtonsPerGroup; ++i) {
            const ShortcutEntry* entry = GetShortcutEntry(group, i);
            if (!entry || entry->key != key || entry->flag != modifiers)
                continue;
            const ButtonRecord* button = ButtonAt(group, i);
            if (button && !StartButtonFile(mainWindow, *button))
                ShowMessageId(mainWindow, IDS_MSG_LAUNCH_FAILED, MB_OK | MB_ICONEXCLAMATION);
        }
    }
}

void HandleBarDrop(HWND mainWindow, HDROP drop, const BarActions& actions)
{
    SetForegroundWindow(mainWindow);
    const int id = ControlAtDropPoint(mainWindow, drop);
    char path[kTextFieldSize] = "";
    if (!DragQueryFileA(drop, 0, path, sizeof path))
        path[0] = '\0';

    if (id == IDC_GROUP_BUTTON) {
        // Archives first; what they leave is proposed as the group's icon.
        if (!actions.handleArchiveDrop(mainWindow, drop))
            actions.openGroupSettings(mainWindow, path);
        return;
    }
    const int index = id - IDC_FIRST_LAUNCHER;
    const ButtonRecord* button = CurrentButton(index);
    if (!button) {
        ShowMessageId(mainWindow, IDS_MSG_DROP_REFUSED, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!TakeDroppedPath(mainWindow, drop, path, sizeof path) || !HasAssociatedIcon(path))
        return;
    if (button->file[0] == '\0') {
        actions.openButtonSettings(mainWindow, index, true, path);
        return;
    }
    OpenWithButton(mainWindow, *button, path);
}
