#include "archive/archive_drop.h"

#include "archive/archive_name_dialog.h"
#include "archive/progress_dialog.h"
#include "archive/zip_extract.h"
#include "archive/zip_packer.h"
#include "resources/resource_ids.h"
#include "support/messages.h"
#include "support/path_text.h"
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

bool PackDrop(HWND window, HDROP drop, UINT count, const char* desktop, const char* baseName)
{
    ArchiveNameDialog nameDialog;
    nameDialog.SetName(baseName);
    if (nameDialog.Run(window) == 0)
        return false;

    TextBuffer archivePath;
    archivePath.Assign(desktop);
    archivePath.Append("\\");
    archivePath.Append(nameDialog.GetName());
    archivePath.Append(".zip");
    if (!archivePath.GetText())
        return false;

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
    if (g_desktopOverridden)
        lstrcpynA(path, g_desktopOverride, sizeof path);
    else if (FAILED(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path)))
        path[0] = '\0';
    const size_t length = std::strlen(path);
    if (length == 0 || length >= size)
        return false;
    std::memcpy(buffer, path, length + 1);
    return true;
}

bool HandleArchiveDrop(HWND window, HDROP drop)
{
    if (!drop)
        return false;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    char first[kPathSize] = "";
    const UINT firstLength = count ? DragQueryFileA(drop, 0, first, sizeof first) : 0;

    char baseName[kPathSize];
    CopyNameWithoutExtension(first, baseName, sizeof baseName);
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
