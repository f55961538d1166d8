#include "dialogs/file_browser.h"

#include "data/launcher_records.h"
#include "resources/resource_ids.h"
#include "support/kept_path.h"
#include "support/messages.h"
#include "support/path_text.h"
#include "support/stored_path.h"

#include <cstring>

namespace {
constexpr int kChosenSize = 1024;

OpenFileFunction g_openFile = nullptr;

// ANSI text of the program's code page as UTF-16, for the wide dialog.
class WideText {
public:
    explicit WideText(const char* text, int length = -1)
    {
        const int units = MultiByteToWideChar(CP_ACP, 0, text, length, text_, kSize - 1);
        text_[units > 0 ? units : 0] = L'\0';
    }
    const wchar_t* Text() const { return text_; }

private:
    static constexpr int kSize = 512;
    wchar_t text_[kSize];
};

// Bytes of a filter up to and including its closing pair of terminators.
int FilterLength(const char* filter)
{
    int length = 0;
    while (filter[length] || filter[length + 1])
        ++length;
    return length + 2;
}
}  // namespace

bool BuildFileFilter(const char* patterns, char* filter, int size)
{
    if (!patterns || !filter || size < 2)
        return false;
    int used = 0;
    const char* start = patterns;
    for (;;) {
        const char* end = start;
        while (*end && *end != ';')
            end = CharNextA(end);
        const int length = static_cast<int>(end - start);
        if (length > 0) {
            // Description and pattern are the same text.
            if (used + 2 * (length + 1) + 1 > size)
                return false;
            for (int copy = 0; copy < 2; ++copy) {
                std::memcpy(filter + used, start, length);
                used += length;
                filter[used++] = '\0';
            }
        }
        if (!*end)
            break;
        start = end + 1;
    }
    if (used == 0)
        filter[used++] = '\0';
    filter[used] = '\0';
    return true;
}

void OverrideOpenFileDialog(OpenFileFunction function)
{
    g_openFile = function;
}

bool BrowseForFile(HWND owner, BrowseKind kind, const char* initial, char* file, int size)
{
    // The browser opens where the stored file is now; what it hands back is a real path.
    const char* stored = initial ? initial : "";
    char proposed[kResolvedPathSize];
    if (!ResolveStoredPath(stored, proposed, sizeof proposed))
        lstrcpynA(proposed, stored, sizeof proposed);
    char folder[kResolvedPathSize];
    CopyFolderOf(proposed, folder, sizeof folder);

    const bool toRun = kind == BrowseKind::FileToRun;
    char patterns[128];
    LoadText(toRun ? IDS_FILTER_PROGRAM : IDS_FILTER_ICON, patterns, sizeof patterns);
    char filter[512];
    if (!BuildFileFilter(patterns, filter, sizeof filter))
        filter[0] = filter[1] = '\0';
    char title[256];
    LoadText(toRun ? IDS_BROWSE_TITLE_FILE : IDS_BROWSE_TITLE_ICON, title, sizeof title);

    // The wide dialog: it hands over every name as it is, and the choice then
    // goes through the same rule as a dropped file.
    WideText wideFilter(filter, FilterLength(filter));
    WideText wideTitle(title);
    WideText wideFolder(folder);
    wchar_t chosen[kChosenSize] = L"";
    MultiByteToWideChar(CP_ACP, 0, proposed, -1, chosen, kChosenSize);
    wchar_t fileTitle[MAX_PATH] = L"";

    OPENFILENAMEW open = {};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner;
    open.lpstrFilter = wideFilter.Text();
    open.nFilterIndex = 1;
    open.lpstrFile = chosen;
    open.nMaxFile = kChosenSize;
    open.lpstrFileTitle = fileTitle;
    open.nMaxFileTitle = MAX_PATH;
    open.lpstrInitialDir = folder[0] ? wideFolder.Text() : nullptr;
    open.lpstrTitle = wideTitle.Text();
    // The process keeps its folder: a button without a working folder starts from it.
    open.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NONETWORKBUTTON | OFN_NOCHANGEDIR;
    const OpenFileFunction show = g_openFile ? g_openFile : GetOpenFileNameW;
    if (!show(&open))
        return false;
    if (KeepPath(chosen, file, size) == KeptPath::None) {
        ShowMessageId(owner, IDS_MSG_NAME_NOT_KEPT, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}
