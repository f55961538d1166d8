#include "dialogs/shell_link.h"

#include "resources/resource_ids.h"
#include "support/stored_path.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace {
constexpr int kPathBufferSize = 270;

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
    T** Out() { return &p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};
}  // namespace

bool IsShellLinkPath(const char* path)
{
    if (!path)
        return false;
    const int length = lstrlenA(path);
    return length > 3 && lstrcmpiA(path + length - 3, "lnk") == 0;
}

bool ResolveShellLink(HWND dialog, char* path)
{
    // A button's stored link is read where it is now (variables, the launcher's drive).
    char linkFile[kResolvedPathSize];
    if (!ResolveStoredPath(path, linkFile, sizeof linkFile))
        return false;
    CoInitialize(nullptr);  // every time; the thread stays initialised

    ComRef<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(link.Out()))))
        return false;
    ComRef<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Out()))))
        return false;

    WCHAR widePath[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, linkFile, -1, widePath, MAX_PATH))
        return false;
    if (FAILED(file->Load(widePath, STGM_READ)))
        return false;
    if (FAILED(link->Resolve(dialog, SLR_ANY_MATCH)))
        return false;

    char target[MAX_PATH] = "";
    bool ok = link->GetPath(target, MAX_PATH, nullptr, SLGP_UNCPRIORITY) == S_OK && target[0] != '\0';
    char text[MAX_PATH] = "";
    if (link->GetArguments(text, MAX_PATH) == S_OK)
        SetDlgItemTextA(dialog, IDC_BUTTON_PARAMS, text);
    else
        ok = false;
    text[0] = '\0';
    if (link->GetWorkingDirectory(text, MAX_PATH) == S_OK)
        SetDlgItemTextA(dialog, IDC_BUTTON_WORK_DIR, text);
    else
        ok = false;

    if (ok)
        lstrcpynA(path, target, kPathBufferSize);
    return ok;
}
