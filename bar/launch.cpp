#include "bar/launch.h"

#include "bar/bar_geometry.h"
#include "bar/bar_keys.h"
#include "bar/button_bar.h"
#include "bar/button_icons.h"
#include "bar/shell_calls.h"
#include "bar/start_count.h"
#include "data/launcher_data.h"
#include "shortcuts/key_names.h"
#include "shortcuts/shortcut_table.h"
#include "support/key_state.h"
#include "support/max_path.h"
#include "support/messages.h"
#include "support/path_text.h"
#include "support/scoped_handle.h"
#include "support/stored_path.h"

#include <cwchar>
#include <string>

namespace {
const wchar_t* OrNull(const wchar_t* field)
{
    return field[0] ? field : nullptr;
}

bool Failed(LaunchFailure* failure, const wchar_t* tried, DWORD error)
{
    if (failure) {
        lstrcpynW(failure->tried, tried ? tried : L"", MAX_PATH + 1);
        failure->error = error;
    }
    return false;
}

// A stored path that cannot be used is not there, or too long to be used.
bool Unusable(LaunchFailure* failure, const wchar_t* stored)
{
    return Failed(failure, stored, stored[0] ? ERROR_FILENAME_EXCED_RANGE : ERROR_FILE_NOT_FOUND);
}

// The error a refused ShellExecuteExW leaves; where the system sets none,
// the one its old-style answer stands for.
DWORD ShellExecuteError(const SHELLEXECUTEINFOW& info)
{
    const DWORD last = GetLastError();
    if (last != ERROR_SUCCESS)
        return last;
    const INT_PTR answer = reinterpret_cast<INT_PTR>(info.hInstApp);
    if (answer == SE_ERR_NOASSOC)
        return ERROR_NO_ASSOCIATION;
    return answer > 0 && answer <= ERROR_BAD_FORMAT ? static_cast<DWORD>(answer) : ERROR_GEN_FAILURE;
}

// The stored file and working folder as they are used here (variables
// expanded, moved to the launcher's drive) handed to the shell with verb;
// one that counts as missing is not started. The options go to the program
// as written, as Windows' shell hands them over.
bool ShellRun(HWND owner, const wchar_t* verb, const wchar_t* file, const wchar_t* params,
              const wchar_t* directory, LaunchFailure* failure = nullptr)
{
    wchar_t usedFile[kResolvedPathSize];
    wchar_t usedFolder[kResolvedPathSize];
    if (!ResolveStoredPath(file, usedFile, kResolvedPathSize))
        return Unusable(failure, file);
    if (directory && !ResolveStoredPath(directory, usedFolder, kResolvedPathSize))
        return Unusable(failure, directory);
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;  // the launcher tells a failure itself
    info.hwnd = owner;
    info.lpVerb = verb;
    info.lpFile = usedFile;
    info.lpParameters = params;
    info.lpDirectory = directory ? usedFolder : nullptr;
    info.nShow = SW_SHOWNORMAL;
    SetLastError(ERROR_SUCCESS);
    if (CurrentShellCalls().execute(&info))
        return true;
    return Failed(failure, usedFile, ShellExecuteError(info));
}

bool ShellOpen(HWND owner, const wchar_t* file, const wchar_t* params, const wchar_t* directory,
               LaunchFailure* failure = nullptr)
{
    return ShellRun(owner, L"open", file, params, directory, failure);
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

bool IsFolder(const wchar_t* path)
{
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
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

void OpenWithButton(HWND mainWindow, const ButtonRecord& button, const wchar_t* dropped)
{
    wchar_t quoted[2 * kFieldSize + 3];
    LaunchFailure failure;
    const bool started = QuoteForCommandLine(dropped, quoted, ARRAYSIZE(quoted))
                             ? ShellOpen(mainWindow, button.file, quoted, OrNull(button.workDir), &failure)
                             : Failed(&failure, dropped, ERROR_FILENAME_EXCED_RANGE);
    if (started)
        CollapseAfterLaunch(mainWindow);
    else
        TellLaunchFailure(mainWindow, failure);
}

// The system's words for error about path, without the line break they end
// with, its own line breaks as the notice's, and "%1" (ERROR_BAD_EXE_FORMAT …)
// standing for path; the code itself when the system has none.
std::wstring SystemReason(DWORD error, const wchar_t* path)
{
    wchar_t text[512] = L"";
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                  text, ARRAYSIZE(text), nullptr);
    while (length > 0 && (text[length - 1] == L'\r' || text[length - 1] == L'\n' || text[length - 1] == L' '))
        text[--length] = L'\0';
    if (length == 0)
        std::swprintf(text, ARRAYSIZE(text), L"0x%08lX", static_cast<unsigned long>(error));
    std::wstring reason = text;
    for (size_t at; (at = reason.find(L"\r\n")) != std::wstring::npos;)
        reason.erase(at, 1);
    const size_t insert = reason.find(L"%1");
    if (insert != std::wstring::npos)
        reason.replace(insert, 2, FileNameOf(path));
    return reason;
}

// The second paragraph of the failed-launch notice.
std::wstring LaunchFailureDetail(const LaunchFailure& failure)
{
    wchar_t format[256] = L"";
    if (!LoadText(IDS_MSG_LAUNCH_FAILED_WHY, format, ARRAYSIZE(format)))
        return L"";
    const std::wstring reason = SystemReason(failure.error, failure.tried);
    const DWORD_PTR inserts[] = {reinterpret_cast<DWORD_PTR>(failure.tried),
                                 reinterpret_cast<DWORD_PTR>(reason.c_str())};
    wchar_t detail[1024] = L"";
    FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY, format, 0, 0, detail,
                   ARRAYSIZE(detail), reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(inserts)));
    return detail;
}

// A folder menu opens under its button, at the button's left edge.
POINT FolderMenuPoint(HWND mainWindow, int index)
{
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(GetDlgItem(mainWindow, IDC_FIRST_LAUNCHER + index), &rect);
    return POINT{rect.left, rect.bottom};
}
}  // namespace

bool StartButtonFile(HWND owner, const ButtonRecord& button, LaunchFailure* failure)
{
    return ShellOpen(owner, button.file, OrNull(button.params), OrNull(button.workDir), failure);
}

void TellLaunchFailure(HWND owner, const LaunchFailure& failure)
{
    wchar_t notice[128] = L"";
    LoadText(IDS_MSG_LAUNCH_FAILED, notice, ARRAYSIZE(notice));
    const std::wstring detail = LaunchFailureDetail(failure);
    std::wstring text = notice;
    if (!detail.empty())
        text += L"\n\n" + detail;
    ShowMessage(owner, text.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void LaunchButton(HWND mainWindow, int index, const BarActions& actions)
{
    const ButtonRecord* button = CurrentButton(index);
    if (!button)
        return;
    if (button->file[0] == L'\0') {
        actions.openButtonSettings(mainWindow, index, false, nullptr);
        return;
    }
    if (KeyHeld(VK_SHIFT) || KeyHeld(VK_LSHIFT)) {
        actions.openButtonSettings(mainWindow, index, false, button->file);
        return;
    }
    if (KeyHeld(VK_ESCAPE)) {
        ClearButton(mainWindow, index);
        return;
    }
    const POINT at = FolderMenuPoint(mainWindow, index);
    if (!actions.openFolderMenu(mainWindow, *button, &at))
        LaunchAsClick(mainWindow, *button);
}

void LaunchAsClick(HWND mainWindow, const ButtonRecord& button)
{
    LaunchFailure failure;
    if (!StartButtonFile(mainWindow, button, &failure)) {
        TellLaunchFailure(mainWindow, failure);
        return;
    }
    CountStart(mainWindow, button);
    CollapseAfterLaunch(mainWindow);
}

void LaunchAsAdministrator(HWND mainWindow, const ButtonRecord& button)
{
    LaunchFailure failure;
    if (ShellRun(mainWindow, L"runas", button.file, OrNull(button.params), OrNull(button.workDir), &failure)) {
        CountStart(mainWindow, button);
        CollapseAfterLaunch(mainWindow);
    } else if (failure.error != ERROR_CANCELLED)  // the user said no to the elevation
        TellLaunchFailure(mainWindow, failure);
}

bool ShowButtonFolder(HWND mainWindow, const ButtonRecord& button)
{
    // The file where a click would start it from (variables expanded, moved
    // to the launcher's drive), and its folder.
    wchar_t file[kResolvedPathSize] = L"";
    bool found = false;
    ResolveStoredPath(button.file, file, kResolvedPathSize, &found);
    wchar_t folder[kResolvedPathSize] = L"";
    CopyFolderOf(file, folder, kResolvedPathSize);
    bool shown = false;
    if (found) {
        // Explorer from the system's own folder, never one found beside the launcher.
        wchar_t explorer[MAX_PATH + 16] = L"";
        const UINT length = GetWindowsDirectoryW(explorer, MAX_PATH);
        wchar_t params[2 * kResolvedPathSize + 16] = L"/select,";
        const size_t prefix = std::wcslen(params);
        if (length > 0 && length < MAX_PATH &&
            QuoteForCommandLine(file, params + prefix, ARRAYSIZE(params) - prefix)) {
            lstrcatW(explorer, L"\\explorer.exe");
            shown = ShellOpen(mainWindow, explorer, params, nullptr);
        }
    } else if (folder[0] && StoredPathExists(folder)) {
        shown = ShellOpen(mainWindow, folder, nullptr, nullptr);
    }
    if (!shown)
        ShowMessageId(mainWindow, IDS_MSG_FOLDER_FAILED, MB_OK | MB_ICONEXCLAMATION);
    return shown;
}

void HandleShortcutKey(HWND mainWindow, int key, const BarActions& actions)
{
    if (key == 0)
        return;
    const int modifiers = GetModifierState();
    const int index = DigitToIndex(key);
    if (index >= 0) {
        if (IsCtrlDigit(key, modifiers)) {
            const int id = IDC_FIRST_LAUNCHER + index;
            PostMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(mainWindow, id)));
        } else if (IsPlainDigit(key, modifiers) && index < ClampGroupCount(GetSettings().groupCount)) {
            ShowGroup(mainWindow, index);
        }
        return;
    }
    bool matched = false;
    for (int group = 0; group < kGroupCount; ++group) {
        for (int i = 0; i < kButtonsPerGroup; ++i) {
            const ShortcutEntry* entry = GetShortcutEntry(group, i);
            if (!entry || entry->key != key || entry->flag != modifiers)
                continue;
            matched = true;
            const ButtonRecord* button = ButtonAt(group, i);
            LaunchFailure failure;
            if (!button || actions.openFolderMenu(mainWindow, *button, nullptr))
                continue;
            if (StartButtonFile(mainWindow, *button, &failure))
                CountStart(mainWindow, *button);
            else
                TellLaunchFailure(mainWindow, failure);
        }
    }
    if (!matched && modifiers == 0)  // a shortcut on an arrow keeps it
        HandleBarKey(mainWindow, key);
}

void HandleBarDrop(HWND mainWindow, HDROP drop, const BarActions& actions)
{
    SetForegroundWindow(mainWindow);
    const int id = ControlAtDropPoint(mainWindow, drop);
    wchar_t path[kFieldSize];
    if (id == IDC_GROUP_BUTTON) {
        // Archives first; what they leave is proposed as the group's icon.
        if (!actions.handleArchiveDrop(mainWindow, drop) && TakeDroppedPath(mainWindow, drop, path))
            actions.openGroupSettings(mainWindow, path);
        return;
    }
    const int index = id - IDC_FIRST_LAUNCHER;
    const ButtonRecord* button = CurrentButton(index);
    if (!button) {
        ShowMessageId(mainWindow, IDS_MSG_DROP_REFUSED, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!TakeDroppedPath(mainWindow, drop, path) || path[0] == L'\0' || !HasAssociatedIcon(path))
        return;
    if (button->file[0] == L'\0') {
        actions.openButtonSettings(mainWindow, index, true, path);
        return;
    }
    OpenWithButton(mainWindow, *button, path);
}
