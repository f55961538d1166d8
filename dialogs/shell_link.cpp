#include "dialogs/shell_link.h"

#include "data/launcher_records.h"
#include "resources/resource_ids.h"
#include "support/shell_link_file.h"
#include "support/stored_path.h"

namespace {
// Room for a target past MAX_PATH, so that one too long is told apart from a cut one.
constexpr int kTargetSize = 2 * kFieldSize;
}  // namespace

bool ResolveShellLink(HWND dialog, wchar_t* path)
{
    // A button's stored link is read where it is now (variables, the launcher's drive).
    wchar_t linkFile[kResolvedPathSize];
    if (!ResolveStoredPath(path, linkFile, kResolvedPathSize))
        return false;
    ComRef<IShellLinkW> link;
    if (!LoadShellLink(linkFile, link))
        return false;
    if (FAILED(link->Resolve(dialog, SLR_ANY_MATCH)))
        return false;

    // The target whole, or not at all: a cut name would reach another file.
    wchar_t target[kTargetSize] = L"";
    bool ok = ReadLinkTarget(link.Get(), target, kTargetSize) && lstrlenW(target) < kFieldSize;
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
