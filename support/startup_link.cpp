#include "support/startup_link.h"

#include "support/messages.h"
#include "support/path_text.h"
#include "support/program_files.h"
#include "support/shell_link_file.h"

#include <knownfolders.h>
#include <shlobj.h>

#include <cwchar>

namespace {
const wchar_t* g_startupFolder = nullptr;

bool StartupFolder(wchar_t* buffer, DWORD size)
{
    if (g_startupFolder)
        return lstrcpynW(buffer, g_startupFolder, static_cast<int>(size)) && std::wcslen(g_startupFolder) < size;
    PWSTR folder = nullptr;
    const bool found = SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Startup, 0, nullptr, &folder)) &&
                       std::wcslen(folder) < size;
    if (found)
        lstrcpynW(buffer, folder, static_cast<int>(size));
    CoTaskMemFree(folder);
    return found;
}

// "<Startup folder>\<title>.lnk".
bool StartupLinkPath(wchar_t (&path)[MAX_PATH])
{
    wchar_t name[64] = L"";
    if (!StartupFolder(path, MAX_PATH) || !LoadText(IDS_STARTUP_LINK_NAME, name, ARRAYSIZE(name)))
        return false;
    return std::wcslen(path) + std::wcslen(name) + 6 <= MAX_PATH &&
           lstrcatW(lstrcatW(lstrcatW(path, L"\\"), name), L".lnk");
}

// The link's target; empty when there is no link or none to be read.
void LinkTarget(const wchar_t* link, wchar_t (&target)[MAX_PATH])
{
    target[0] = L'\0';
    ComRef<IShellLinkW> loaded;
    if (GetFileAttributesW(link) == INVALID_FILE_ATTRIBUTES || !LoadShellLink(link, loaded) ||
        !ReadLinkTarget(loaded.Get(), target, MAX_PATH))
        target[0] = L'\0';
}

// The link's path, the running program's and where the link leads now.
struct StartupLinkState {
    wchar_t link[MAX_PATH];
    wchar_t program[MAX_PATH];
    wchar_t target[MAX_PATH];
};

bool LookAtStartupLink(StartupLinkState* state)
{
    if (!StartupLinkPath(state->link) || GetProgramPath(state->program, MAX_PATH) == 0)
        return false;
    LinkTarget(state->link, state->target);
    return true;
}
}  // namespace

bool RenewStartupLink()
{
    StartupLinkState state;
    if (!LookAtStartupLink(&state))
        return false;
    if (lstrcmpiW(state.target, state.program) == 0)
        return true;
    wchar_t folder[MAX_PATH];
    CopyFolderOf(state.program, folder, MAX_PATH);
    return SaveShellLink(state.link, state.program, folder);
}

bool RemoveStartupLink()
{
    StartupLinkState state;
    if (!LookAtStartupLink(&state))
        return false;
    if (!state.target[0] || lstrcmpiW(FileNameOf(state.target), FileNameOf(state.program)) != 0)
        return true;
    return DeleteFileW(state.link) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool FollowStartWithWindows(bool wasOn, bool on)
{
    return on ? RenewStartupLink() : !wasOn || RemoveStartupLink();
}

SeamGuard OverrideStartupFolder(const wchar_t* folder)
{
    return OverrideSeam(g_startupFolder, folder);
}
