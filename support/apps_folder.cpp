#include "support/apps_folder.h"

#include "support/scoped_handle.h"
#include "support/shell_link_file.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace {
StoreAppLister g_lister;

// A shell item's name of kind; empty when it has none.
std::wstring NameOf(IShellItem* item, SIGDN kind)
{
    wchar_t* name = nullptr;
    if (FAILED(item->GetDisplayName(kind, &name)) || !name)
        return L"";
    std::wstring text = name;
    CoTaskMemFree(name);
    return text;
}

// An application id ("Publisher.App_hash!App"), not a file's path or a folder's id list.
bool IsApplicationId(const std::wstring& name)
{
    return name.find(L'!') != std::wstring::npos && name.find_first_of(L"\\/:") == std::wstring::npos;
}

bool EnumerateAppsFolder(const std::atomic<bool>& stop, std::vector<StoreApp>* apps)
{
    ComRef<IShellItem> folder;
    if (FAILED(SHGetKnownFolderItem(FOLDERID_AppsFolder, KF_FLAG_DEFAULT, nullptr, IID_IShellItem,
                                    reinterpret_cast<void**>(folder.Out()))))
        return true;  // no Apps folder here
    ComRef<IEnumShellItems> items;
    if (FAILED(folder->BindToHandler(nullptr, BHID_EnumItems, IID_IEnumShellItems,
                                     reinterpret_cast<void**>(items.Out()))))
        return true;
    for (;;) {
        if (stop.load())
            return false;
        ComRef<IShellItem> item;
        if (items->Next(1, item.Out(), nullptr) != S_OK)
            return true;
        const std::wstring id = NameOf(item.Get(), SIGDN_PARENTRELATIVEPARSING);
        const std::wstring name = NameOf(item.Get(), SIGDN_NORMALDISPLAY);
        if (IsApplicationId(id) && !name.empty())
            apps->push_back({name, id});
    }
}
}  // namespace

bool ListStoreApps(const std::atomic<bool>& stop, std::vector<StoreApp>* apps)
{
    apps->clear();
    return g_lister ? g_lister(stop, apps) : EnumerateAppsFolder(stop, apps);
}

HICON LoadStoreAppIcon(const std::wstring& appId, int size)
{
    CoInitialize(nullptr);  // every time; the thread stays initialised
    PIDLIST_ABSOLUTE ids = nullptr;
    if (FAILED(SHParseDisplayName((L"shell:AppsFolder\\" + appId).c_str(), nullptr, &ids, 0, nullptr)))
        return nullptr;
    const ScopedIdList owned(ids);
    SHFILEINFOW info = {};
    const UINT which = size > GetSystemMetrics(SM_CXSMICON) ? SHGFI_LARGEICON : SHGFI_SMALLICON;
    if (!SHGetFileInfoW(reinterpret_cast<LPCWSTR>(ids), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_ICON | which))
        return nullptr;
    return info.hIcon;
}

SeamGuard OverrideStoreApps(StoreAppLister lister)
{
    return OverrideSeam(g_lister, std::move(lister));
}
