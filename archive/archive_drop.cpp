#include "archive/archive_drop.h"

#include "app/messages.h"
#include "archive/archive_ids.h"
#include "archive/archive_messages.h"
#include "archive/archive_name_dialog.h"
#include "archive/archive_pack.h"
#include "archive/path_identity.h"
#include "archive/progress_dialog.h"
#include "archive/zip_extract.h"
#include "archive/zip_packer.h"
#include "resources/string_ids.h"
#include "support/text_buffer.h"

#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

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

// The dropped paths in drop order.
std::vector<std::string> DroppedItems(HDROP drop, UINT count)
{
    std::vector<std::string> items;
    for (UINT i = 0; i < count; ++i) {
        char path[kPathSize];
        if (DragQueryFileA(drop, i, path, sizeof path))
            items.push_back(path);
    }
    return items;
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

// The own name of a path, for the messages.
struct ShownName {
    explicit ShownName(const char* path)
    {
        const char* own = path ? GetFileNamePart(path) : nullptr;
        if (!MultiByteToWideChar(CP_ACP, 0, own ? own : (path ? path : ""), -1, text, MAX_PATH))
            text[0] = L'\0';
    }
    wchar_t text[MAX_PATH];
};

void ShowNumber(unsigned long long number, wchar_t* text)
{
    wsprintfW(text, L"%I64u", number);
}

void ReportPacking(HWND window, const char* archivePath, const PackReport& report)
{
    const ShownName archive(archivePath);
    wchar_t number[32];
    switch (report.result) {
    case kPackDone:
        if (report.skipped) {
            ShowNumber(report.skipped, number);
            ShowArchiveMessage(window, IDS_MSG_PACK_SKIPPED, MB_OK | MB_ICONEXCLAMATION, archive.text, number);
        }
        break;
    case kPackFailed:
        ShowArchiveMessage(window, IDS_MSG_PACK_FAILED, MB_OK | MB_ICONERROR, archive.text,
                           ShownName(report.item).text);
        break;
    case kPackCreateFailed:
        ShowMessageId(window, IDS_MSG_ARCHIVE_CREATE_FAILED, MB_OK | MB_ICONERROR);
        break;
    case kPackCancelled:
        break;
    }
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
    PackReport report;
    PackIntoArchive(archivePath.GetText(), DroppedItems(drop, count), window, &report);
    ReportPacking(window, archivePath.GetText(), report);
    return true;
}

// Extracts the one dropped file into folder, tells what went wrong and opens
// the folder when it was extracted; a damaged archive is told by the caller,
// which packs it instead when CTRL is held.
ExtractResult ExtractDrop(HWND window, const char* archivePath, const char* folder)
{
    ExtractReport report;
    const ExtractResult result = ExtractArchive(archivePath, folder, window, &report);
    const ShownName archive(archivePath);
    if (result == kExtractFailed) {
        ShowArchiveMessage(window, IDS_MSG_EXTRACT_STOPPED, MB_OK | MB_ICONERROR, archive.text,
                           ShownName(report.entry).text, ShownName(folder).text);
    } else if (result == kExtractDone) {
        if (report.skipped) {
            wchar_t number[32];
            ShowNumber(report.skipped, number);
            ShowArchiveMessage(window, IDS_MSG_EXTRACT_SKIPPED, MB_OK | MB_ICONEXCLAMATION, archive.text, number);
        }
        if (IsFolder(folder))
            g_openFolder(window, folder);
    }
    return result;
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
        switch (folder.GetText() ? ExtractDrop(window, first, folder.GetText()) : kExtractNotArchive) {
        case kExtractDone:
        case kExtractFailed:
            return true;
        case kExtractCancelled:
            return false;
        case kExtractRefused:
            // With CTRL held a damaged archive is packed like any other file.
            if (!ControlHeld()) {
                ShowArchiveMessage(window, IDS_MSG_ARCHIVE_DAMAGED, MB_OK | MB_ICONERROR, ShownName(first).text);
                return true;
            }
            break;
        case kExtractNotArchive:
            pack = ControlHeld();
            break;
        }
    }
    if (!pack || count == 0)
        return false;
    if (!haveDesktop) {
        ShowMessageId(window, IDS_MSG_NO_DESKTOP, MB_OK | MB_ICONERROR);
        return true;
    }
    return PackDrop(window, drop, count, desktop, baseName);
}
