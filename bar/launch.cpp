#include "bar/launch.h"

#include "bar/button_bar.h"
#include "bar/shell_calls.h"
#include "bar/start_count.h"
#include "data/launcher_records.h"
#include "resources/resource_ids.h"
#include "support/messages.h"
#include "support/path_text.h"
#include "support/stored_path.h"

#include <cwchar>

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

void CollapseAfterLaunch(const ButtonBar& bar)
{
    if (!bar.launcher.Settings().collapseOnLaunch)
        return;
    CheckDlgButton(bar.window, IDC_GROUP_BUTTON, BST_UNCHECKED);
    SetBarExpanded(bar.window, false);
}
}  // namespace

bool StartButtonFile(HWND owner, const ButtonRecord& button, LaunchFailure* failure)
{
    return ShellOpen(owner, button.file, OrNull(button.params), OrNull(button.workDir), failure);
}

void LaunchAsClick(ButtonBar& bar, const ButtonRecord& button)
{
    LaunchFailure failure;
    if (!StartButtonFile(bar.window, button, &failure)) {
        TellLaunchFailure(bar.window, failure);
        return;
    }
    CountStart(bar.launcher, button);
    CollapseAfterLaunch(bar);
}

void LaunchAsAdministrator(ButtonBar& bar, const ButtonRecord& button)
{
    LaunchFailure failure;
    if (ShellRun(bar.window, L"runas", button.file, OrNull(button.params), OrNull(button.workDir), &failure)) {
        CountStart(bar.launcher, button);
        CollapseAfterLaunch(bar);
    } else if (failure.error != ERROR_CANCELLED)  // the user said no to the elevation
        TellLaunchFailure(bar.window, failure);
}

void OpenWithButton(ButtonBar& bar, const ButtonRecord& button, const wchar_t* dropped)
{
    wchar_t quoted[2 * kFieldSize + 3];
    LaunchFailure failure;
    const bool started = QuoteForCommandLine(dropped, quoted, ARRAYSIZE(quoted))
                             ? ShellOpen(bar.window, button.file, quoted, OrNull(button.workDir), &failure)
                             : Failed(&failure, dropped, ERROR_FILENAME_EXCED_RANGE);
    if (started) {
        CountStart(bar.launcher, button);
        CollapseAfterLaunch(bar);
    } else {
        TellLaunchFailure(bar.window, failure);
    }
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
