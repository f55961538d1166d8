#include "dialogs/shell_link.h"

#include "data/launcher_records.h"
#include "resources/resource_ids.h"
#include "support/stored_path.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace {
// Room for a target past MAX_PATH, so that one too long is told apart from a cut one.
constexpr int kTargetSize = 2 * kFieldSize;

// Releases a COM interface when the scope ends.
template <typename T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef()
    {
        if (p_)
            p_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T* operator->() const { return p_; }
    T* Get() const { return p_; }
    T** Out() { return &p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

// The link's target, whole. Its ID list names it in UTF-16 wherever the link
// was made (Wine's GetPath hands back the system code page's form, "?" for
// what that lacks); GetPath serves a link without one.
bool ReadLinkTarget(IShellLinkW* link, wchar_t (&target)[kTargetSize])
{
    PIDLIST_ABSOLUTE ids = nullptr;
    if (SUCCEEDED(link->GetIDList(&ids)) && ids) {
        const bool found = SHGetPathFromIDListW(ids, target) && target[0] != L'\0';
        CoTaskMemFree(ids);
        if (found)
            return true;
    }
    return link->GetPath(target, kTargetSize, nullptr, SLGP_UNCPRIORITY) == S_OK && target[0] != L'\0';
}
}  // namespace

bool IsShellLinkPath(const wchar_t* path)
{
    if (!path)
        return false;
    const int length = lstrlenW(path);
    return length > 3 && lstrcmpiW(path + length - 3, L"lnk") == 0;
}

bool ResolveShellLink(HWND dialog, wchar_t* path)
{
    // A button's stored link is read where it is now (variables, the launcher's drive).
    wchar_t linkFile[kResolvedPathSize];
    if (!ResolveStoredPath(path, linkFile, kResolvedPathSize))
        return false;
    CoInitialize(nullptr);  // every time; the thread stays initialised

    ComRef<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(link.Out()))))
        return false;
    ComRef<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Out()))))
        return false;
    if (FAILED(file->Load(linkFile, STGM_READ)))
        return false;
    if (FAILED(link->Resolve(dialog, SLR_ANY_MATCH)))
        return false;

    // The target whole, or not at all: a cut name would reach another file.
    wchar_t target[kTargetSize] = L"";
    bool ok = ReadLinkTarget(link.Get(), target) && lstrlenW(target) < kFieldSize;
    wchar_t text[kFieldSize] = L"";
    if (link->GetArguments(text, kFieldSize) == S_OK)
        SetDlgItemTextW(dialog, IDC_BUTTON_PARAMS, text);
    else
        ok = false;
    text[0] = L'\0';
    if (link->GetWorkingDirectory(text, kFieldSize) == S_OK)
        SetDlgItemTextW(dialog, IDC_BUTTON_WORK_DIR, text);
    else
        ok = false;

    if (ok)
        lstrcpynW(path, target, kFieldSize);
    return ok;
}
