#include "dialogs/file_browser.h"

#include "resources/resource_ids.h"
#include "support/max_path.h"
#include "support/messages.h"
#include "support/path_text.h"
#include "support/stored_path.h"

#include <cwchar>

namespace {
constexpr int kChosenSize = 1024;

OpenFileFunction g_openFile = nullptr;

// A chosen name is kept whole when the file calls can take it and it fits
// the caller's buffer; a longer one is refused.
bool KeepChosen(HWND owner, const wchar_t* chosen, wchar_t* file, int size)
{
    if (!PathFitsMaxPath(chosen) || std::wcslen(chosen) >= static_cast<size_t>(size)) {
        ShowMessageId(owner, IDS_MSG_NAME_NOT_KEPT, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    lstrcpynW(file, chosen, size);
    return true;
}
}  // namespace

bool BuildFileFilter(const wchar_t* patterns, wchar_t* filter, int size)
{
    if (!patterns || !filter || size < 2)
        return false;
    int used = 0;
    const wchar_t* start = patterns;
    for (;;) {
        const wchar_t* end = start;
        while (*end && *end != L';')
            ++end;
        const int length = static_cast<int>(end - start);
        if (length > 0) {
            // Description and pattern are the same text.
            if (used + 2 * (length + 1) + 1 > size)
                return false;
            for (int copy = 0; copy < 2; ++copy) {
                std::wmemcpy(filter + used, start, static_cast<size_t>(length));
                used += length;
                filter[used++] = L'\0';
            }
        }
        if (!*end)
            break;
        start = end + 1;
    }
    if (used == 0)
        filter[used++] = L'\0';
    filter[used] = L'\0';
    return true;
}

SeamGuard OverrideOpenFileDialog(OpenFileFunction function)
{
    return OverrideSeam(g_openFile, function);
}

bool BrowseForFile(HWND owner, BrowseKind kind, const wchar_t* initial, wchar_t* file, int size)
{
    // The browser opens where the stored file is now; what it hands back is a real path.
    const wchar_t* stored = initial ? initial : L"";
    wchar_t chosen[kChosenSize] = L"";
    if (!ResolveStoredPath(stored, chosen, kChosenSize))
        lstrcpynW(chosen, stored, kChosenSize);
    wchar_t folder[kChosenSize];
    CopyFolderOf(chosen, folder, kChosenSize);

    const bool toRun = kind == BrowseKind::FileToRun;
    wchar_t patterns[128];
    LoadText(toRun ? IDS_FILTER_PROGRAM : IDS_FILTER_ICON, patterns, 128);
    wchar_t filter[512];
    if (!BuildFileFilter(patterns, filter, 512))
        filter[0] = filter[1] = L'\0';
    wchar_t title[256];
    LoadText(toRun ? IDS_BROWSE_TITLE_FILE : IDS_BROWSE_TITLE_ICON, title, 256);
    wchar_t fileTitle[MAX_PATH] = L"";

    OPENFILENAMEW open = {};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner;
    open.lpstrFilter = filter;
    open.nFilterIndex = 1;
    open.lpstrFile = chosen;
    open.nMaxFile = kChosenSize;
    open.lpstrFileTitle = fileTitle;
    open.nMaxFileTitle = MAX_PATH;
    open.lpstrInitialDir = folder[0] ? folder : nullptr;
    open.lpstrTitle = title;
    // The process keeps its folder: a button without a working folder starts from it.
    open.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NONETWORKBUTTON | OFN_NOCHANGEDIR;
    const OpenFileFunction show = g_openFile ? g_openFile : GetOpenFileNameW;
    if (!show(&open))
        return false;
    return KeepChosen(owner, chosen, file, size);
}
