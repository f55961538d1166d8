#include "bar/shell_commands.h"

#include "bar/shell_calls.h"
#include "data/launcher_records.h"
#include "resources/resource_ids.h"
#include "support/messages.h"
#include "support/scoped_handle.h"
#include "support/shell_link_file.h"
#include "support/stored_path.h"

#include <shellapi.h>
#include <shlobj.h>

namespace {
// The file whose place is shown: a shortcut's target when it can be read,
// else the file itself. False when the stored path cannot be used.
bool LocatedFile(const ButtonRecord& button, wchar_t (&path)[kResolvedPathSize])
{
    if (!ResolveStoredPath(button.file, path, kResolvedPathSize))
        return false;
    if (!IsShellLinkPath(path))
        return true;
    ComRef<IShellLinkW> link;
    wchar_t target[kResolvedPathSize] = L"";
    if (LoadShellLink(path, link) && ReadLinkTarget(link.Get(), target, kResolvedPathSize))
        lstrcpynW(path, target, kResolvedPathSize);
    return true;
}

// Explorer shows the folder path lies in with path selected.
bool SelectInFolder(const wchar_t* path)
{
    CoInitialize(nullptr);  // every time; the thread stays initialised
    PIDLIST_ABSOLUTE parsed = nullptr;
    if (FAILED(SHParseDisplayName(path, nullptr, &parsed, 0, nullptr)))
        return false;
    const ScopedIdList item(parsed);
    const ScopedIdList folder(ILClone(parsed));
    if (!folder || !ILRemoveLastID(folder.Get()))
        return false;
    PCUITEMID_CHILD child = ILFindLastID(item.Get());
    return SUCCEEDED(CurrentShellCalls().openFolderAndSelect(folder.Get(), 1, &child, 0));
}

// The shell's properties sheet of file, owned by owner.
bool OpenPropertiesSheet(HWND owner, const wchar_t* file)
{
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_FLAG_NO_UI;  // the launcher tells a failure itself
    info.hwnd = owner;
    info.lpVerb = L"properties";
    info.lpFile = file;
    info.nShow = SW_SHOW;
    return CurrentShellCalls().execute(&info) != FALSE;
}
}  // namespace

bool ShowButtonFileLocation(HWND mainWindow, const ButtonRecord& button)
{
    wchar_t path[kResolvedPathSize] = L"";
    if (LocatedFile(button, path) && SelectInFolder(path))
        return true;
    ShowMessageId(mainWindow, IDS_MSG_FOLDER_FAILED, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

bool ShowButtonProperties(HWND mainWindow, const ButtonRecord& button)
{
    wchar_t file[kResolvedPathSize] = L"";
    if (ResolveStoredPath(button.file, file, kResolvedPathSize) && OpenPropertiesSheet(mainWindow, file))
        return true;
    ShowMessageId(mainWindow, IDS_MSG_PROPERTIES_FAILED, MB_OK | MB_ICONEXCLAMATION);
    return false;
}
