#include "archive/archive_drop.h"

#include "app/messages.h"
#include "archive/archive_ids.h"
#include "archive/archive_name_dialog.h"
#include "archive/path_identity.h"
#include "archive/progress_dialog.h"
#include "archive/zip_extract.h"
#include "archive/zip_packer.h"
#include "resources/string_ids.h"
#include "support/text_buffer.h"

#include <shlobj.h>

#include <cstring>

namespace {

constexpr DWORD kPathSize = 260;

bool g_desktopOverridden = false;
char g_desktopOverride[MAX_PATH];

void ShellOpenFolder(HWND window, const char* folder)
{
    ShellExecuteA(window, "open", folder, nullptr, folder, SW_SHOWNORMAL);
}

FolderOpenFunction g_openFolder = ShellOpenFolder;

bool IsFolder(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ControlHeld()
{
    return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
}

// One pass over the dropped items; false when the archive could not be created.
bool RunPackingPass(HDROP drop, UINT count, const char* archivePath, ProgressDialog& progress, unsigned* counter,
                    int countOnly)
{
    ZipPacker packer;
    if (!packer.Open(archivePath))
        return false;
    *counter = 0;
    for (UINT i = 0; i < count; ++i) {
        char path[kPathSize];
        if (DragQueryFileA(drop, i, path, sizeof path))
            packer.PackItem(path, 1, 0, &progress, counter, countOnly);
    }
    return packer.Close();
}

// True when path is one of the dropped items or lies inside a dropped folder.
bool HitsDroppedItem(HDROP drop, UINT count, const char* path)
{
    wchar_t wide[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH))
        return true;
    for (UINT i = 0; i < count; ++i) {
        wchar_t item[MAX_PATH];
        if (DragQueryFileW(drop, i, item, MAX_PATH) && IsSameOrInside(wide, item))
            return true;
    }
    return false;
}

bool PackDrop(HWND window, HDROP drop, UINT count, const char* desktop, const char* baseName)
{
    // Every name would land inside what was dropped: no point in asking.
    if (HitsDroppedItem(drop, count, desktop)) {
        ShowMessageId(window, IDS_MSG_DESKTOP_DROPPED, MB_OK | MB_ICONERROR);
        return true;
    }
    ArchiveNameDialog nameDialog;
    nameDialog.SetName(baseName);
    char notice[256];
    LoadText(IDS_ARCHIVE_NAME_TAKEN, notice, sizeof notice);
    TextBuffer archivePath;
    for (;;) {
        if (nameDialog.Run(window) == 0)
            return false;
        archivePath.Assign(desktop);
        archivePath.Append("\\");
        archivePath.Append(nameDialog.GetName());
        archivePath.Append(".zip");
        if (!archivePath.GetText())
            return false;
        // A dropped item is never opened for writing: the name is asked again.
        if (!HitsDroppedItem(drop, count, archivePath.GetText()))
            break;
        nameDialog.SetNotice(notice);
    }

    bool created = false;
    {
        ProgressDialog progress;
        progress.Show(window);
        unsigned counter = 0;
        if (RunPackingPass(drop, count, archivePath.GetText(), progress, &counter, 1)) {
            progress.SetRange(0, static_cast<int>(counter));
            created = RunPackingPass(drop, count, archivePath.GetText(), progress, &counter, 0);
        }
    }
    if (!created)
        ShowMessageId(window, IDS_MSG_ARCHIVE_CREATE_FAILED, MB_OK | MB_ICONERROR);
    return true;
}

}  // namespace

void OverrideDesktopFolder(const char* path)
{
    g_desktopOverridden = path != nullptr;
    if (path)
        lstrcpynA(g_desktopOverride, path, sizeof g_desktopOverride);
}

void OverrideFolderOpener(FolderOpenFunction opener)
{
    g_openFolder = opener ? opener : ShellOpenFolder;
}

bool GetDesktopFolder(char* buffer, DWORD size)
{
    if (!buffer || size == 0)
        return false;
    char path[MAX_PATH] = "";
    if (g_desktopOverridden) {
        lstrcpynA(path, g_desktopOverride, sizeof path);
    } else {
        IMalloc* allocator = nullptr;
        if (FAILED(SHGetMalloc(&allocator)) || !allocator)
            return false;
        LPITEMIDLIST items = nullptr;
        if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &items)) && items) {
            if (!SHGetPathFromIDListA(items, path))
                path[0] = '\0';
            allocator->Free(items);
        }
        allocator->Release();
    }
    const size_t length = std::strlen(path);
    if (length == 0 || length >= size)
        return false;
    std::memcpy(buffer, path, length + 1);
    return true;
}

void FormArchiveBaseName(const char* path, char* buffer, size_t size)
{
    if (!buffer || size == 0)
        return;
    buffer[0] = '\0';
    if (!path)
        return;
    const char* own = GetFileNamePart(path);
    lstrcpynA(buffer, own ? own : path, static_cast<int>(size));
    char* dot = nullptr;
    for (char* p = buffer; *p; p = CharNextA(p)) {
        if (*p == '.')
            dot = p;
    }
    if (dot && dot != buffer)
        *dot = '\0';
}

bool HandleArchiveDrop(HWND window, HDROP drop)
{
    if (!drop)
        return false;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    char first[kPathSize] = "";
    const UINT firstLength = count ? DragQueryFileA(drop, 0, first, sizeof first) : 0;

    char baseName[kPathSize];
    FormArchiveBaseName(first, baseName, sizeof baseName);
    char desktop[kPathSize];
    const bool haveDesktop = GetDesktopFolder(desktop, sizeof desktop);

    bool pack = true;
    if (count == 1 && firstLength != 0 && !IsFolder(first)) {
        if (!haveDesktop) {
            // Only an archive or a CTRL drop needs the desktop; a plain file
            // goes on to be offered as the group's icon.
            if (!IsZipArchive(first) && !ControlHeld())
                return false;
            ShowMessageId(window, IDS_MSG_NO_DESKTOP, MB_OK | MB_ICONERROR);
            return true;
        }
        TextBuffer folder;
        folder.Assign(desktop);
        folder.Append("\\");
        folder.Append(baseName);
        int cancelled = 0;
        if (folder.GetText() && ExtractArchive(first, folder.GetText(), window, &cancelled)) {
            if (cancelled)
                return false;
            if (IsFolder(folder.GetText()))
                g_openFolder(window, folder.GetText());
            return true;
        }
        pack = ControlHeld();
    }
    if (!pack || count == 0)
        return false;
    if (!haveDesktop) {
        ShowMessageId(window, IDS_MSG_NO_DESKTOP, MB_OK | MB_ICONERROR);
        return true;
    }
    return PackDrop(window, drop, count, desktop, baseName);
}
