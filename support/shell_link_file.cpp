#include "support/shell_link_file.h"

#include "support/path_lookup.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

bool IsShellLinkPath(const wchar_t* path)
{
    if (!path)
        return false;
    const int length = lstrlenW(path);
    return length > 3 && lstrcmpiW(path + length - 3, L"lnk") == 0;
}

namespace {
bool MakeShellLinkObject(ComRef<IShellLinkW>& link)
{
    CoInitialize(nullptr);  // every time; the thread stays initialised
    return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                      reinterpret_cast<void**>(link.Out())));
}
}  // namespace

bool LoadShellLink(const wchar_t* linkFile, ComRef<IShellLinkW>& link)
{
    if (!MakeShellLinkObject(link))
        return false;
    ComRef<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Out()))))
        return false;
    return SUCCEEDED(file->Load(linkFile, STGM_READ));
}

// Its ID list names the target in UTF-16 wherever the link was made (Wine's
// GetPath hands back the system code page's form, "?" for what that lacks);
// GetPath serves a link without one. SHGetPathFromIDListW writes MAX_PATH
// characters at most.
bool ReadLinkTarget(IShellLinkW* link, wchar_t* target, int size)
{
    if (size < MAX_PATH)
        return false;
    PIDLIST_ABSOLUTE ids = nullptr;
    if (SUCCEEDED(link->GetIDList(&ids)) && ids) {
        const bool found = SHGetPathFromIDListW(ids, target) && target[0] != L'\0';
        CoTaskMemFree(ids);
        if (found)
            return true;
    }
    return link->GetPath(target, size, nullptr, SLGP_UNCPRIORITY) == S_OK && target[0] != L'\0';
}

bool LinkLeadsOffThisMachine(const wchar_t* linkFile)
{
    ComRef<IShellLinkW> link;
    if (!LoadShellLink(linkFile, link))
        return false;
    wchar_t target[MAX_PATH] = L"";
    if (link->GetPath(target, MAX_PATH, nullptr, SLGP_UNCPRIORITY) == S_OK && IsNetworkPath(target))
        return true;
    wchar_t icon[MAX_PATH] = L"";
    int index = 0;
    if (FAILED(link->GetIconLocation(icon, MAX_PATH, &index)) || !icon[0])
        return false;
    wchar_t expanded[MAX_PATH] = L"";
    const DWORD length = ExpandEnvironmentStringsW(icon, expanded, MAX_PATH);
    return length > 0 && length <= MAX_PATH && IsNetworkPath(expanded);
}

bool SaveShellLink(const wchar_t* linkFile, const wchar_t* target, const wchar_t* folder)
{
    ComRef<IShellLinkW> link;
    if (!MakeShellLinkObject(link) || FAILED(link->SetPath(target)) || FAILED(link->SetWorkingDirectory(folder)))
        return false;
    ComRef<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Out()))))
        return false;
    return SUCCEEDED(file->Save(linkFile, TRUE));
}
