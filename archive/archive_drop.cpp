#include "archive/archive_drop.h"

#include "archive/archive_job.h"
#include "archive/archive_messages.h"
#include "archive/archive_name_dialog.h"
#include "archive/archive_pack.h"
#include "archive/entry_path.h"
#include "archive/path_identity.h"
#include "archive/size_text.h"
#include "archive/zip_extract.h"
#include "archive/zip_packer.h"
#include "resources/resource_ids.h"
#include "support/key_state.h"
#include "support/messages.h"
#include "support/path_text.h"

#include <shlobj.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

bool g_desktopOverridden = false;
wchar_t g_desktopOverride[MAX_PATH];

void ShellOpenFolder(HWND window, const wchar_t* folder)
{
    ShellExecuteW(window, L"open", folder, nullptr, folder, SW_SHOWNORMAL);
}

FolderOpenFunction g_openFolder = ShellOpenFolder;

bool IsFolder(const wchar_t* path)
{
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const wchar_t* path)
{
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The name a new folder or archive takes from the dropped item path: its
// name without extension, made safe to stand directly below the desktop.
void NameAfterItem(const wchar_t* path, wchar_t* name, size_t size)
{
    wchar_t base[MAX_PATH];
    CopyNameWithoutExtension(path, base, MAX_PATH);
    wchar_t fallback[MAX_PATH] = L"";
    LoadStringW(GetModuleHandleW(nullptr), IDS_ARCHIVE_FALLBACK_NAME, fallback, MAX_PATH);
    MakeSafeItemName(base, fallback, name, size);
}

// The dropped paths in drop order.
std::vector<std::wstring> DroppedItems(HDROP drop, UINT count)
{
    std::vector<std::wstring> items;
    for (UINT i = 0; i < count; ++i) {
        wchar_t path[MAX_PATH];
        if (DragQueryFileW(drop, i, path, MAX_PATH))
            items.push_back(path);
    }
    return items;
}

// True when path is one of the dropped items or lies inside a dropped folder.
bool HitsDroppedItem(const std::vector<std::wstring>& items, const wchar_t* path)
{
    for (const std::wstring& item : items) {
        if (IsSameOrInside(path, item.c_str()))
            return true;
    }
    return false;
}

// The own name of a path, for the messages.
const wchar_t* ShownName(const wchar_t* path)
{
    return FileNameOf(path);
}

void ReportPacking(HWND window, const wchar_t* archivePath, const PackReport& report)
{
    if (ArchiveJobStopping())
        return;  // the launcher is closing
    wchar_t files[32];
    wchar_t others[32];
    wsprintfW(files, L"%u", report.skipped);
    wsprintfW(others, L"%u", report.leftOut);
    const UINT left = MB_OK | MB_ICONEXCLAMATION;
    switch (report.result) {
    case kPackDone:
        if (report.skipped && report.leftOut)
            ShowArchiveMessage(window, IDS_MSG_PACK_BOTH_LEFT_OUT, left, ShownName(archivePath), files, others);
        else if (report.skipped)
            ShowArchiveMessage(window, IDS_MSG_PACK_SKIPPED, left, ShownName(archivePath), files);
        else if (report.leftOut)
            ShowArchiveMessage(window, IDS_MSG_PACK_LEFT_OUT, left, ShownName(archivePath), others);
        break;
    case kPackFailed:
        ShowArchiveMessage(window, IDS_MSG_PACK_FAILED, MB_OK | MB_ICONERROR, ShownName(archivePath),
                           ShownName(report.item));
        break;
    case kPackCreateFailed:
        ShowMessageId(window, IDS_MSG_ARCHIVE_CREATE_FAILED, MB_OK | MB_ICONERROR);
        break;
    case kPackCancelled:
        break;
    }
}

bool AgreesToReplace(HWND window, const wchar_t* archivePath)
{
    return ShowArchiveMessage(window, IDS_MSG_ARCHIVE_REPLACE, MB_YESNO | MB_ICONQUESTION, ShownName(archivePath)) ==
           IDYES;
}

bool PackDrop(HWND window, const std::vector<std::wstring>& items, const wchar_t* desktop, const wchar_t* baseName)
{
    // Every name would land inside what was dropped: no point in asking.
    if (HitsDroppedItem(items, desktop)) {
        ShowMessageId(window, IDS_MSG_DESKTOP_DROPPED, MB_OK | MB_ICONERROR);
        return true;
    }
    ArchiveNameDialog nameDialog;
    nameDialog.SetName(baseName);
    std::wstring archivePath;
    for (;;) {
        if (nameDialog.Run(window) == 0)
            return false;
        // A typed name that is no single file name (a "..\\", a device,
        // a "|") would write elsewhere or nowhere: it is asked again.
        if (!IsSafeItemName(nameDialog.GetName())) {
            nameDialog.SetNotice(IDS_ARCHIVE_NAME_UNUSABLE);
            continue;
        }
        archivePath = std::wstring(desktop) + L'\\' + nameDialog.GetName() + L".zip";
        // A dropped item is never opened for writing: the name is asked again.
        if (HitsDroppedItem(items, archivePath.c_str())) {
            nameDialog.SetNotice(IDS_ARCHIVE_NAME_TAKEN);
            continue;
        }
        // An archive of that name is replaced only when the user says so;
        // otherwise the name is asked again.
        if (!IsFile(archivePath.c_str()) || AgreesToReplace(window, archivePath.c_str()))
            break;
        if (ArchiveJobStopping())
            return false;
    }
    PackReport report;
    PackIntoArchive(archivePath.c_str(), items, window, &report);
    ReportPacking(window, archivePath.c_str(), report);
    return true;
}

void ReportNoRoom(HWND window, const wchar_t* archivePath, const ExtractReport& report)
{
    wchar_t needed[32];
    wchar_t available[32];
    FormatByteSize(report.needed, needed, 32);
    FormatByteSize(report.available, available, 32);
    ShowArchiveMessage(window, IDS_MSG_EXTRACT_NO_ROOM, MB_OK | MB_ICONERROR, ShownName(archivePath), needed,
                       available);
}

// Extracts the one dropped file into a new folder named after wanted, tells
// what went wrong and opens the folder when it was extracted; a damaged
// archive is told by the caller, which packs it instead when CTRL is held.
ExtractResult ExtractDrop(HWND window, const wchar_t* archivePath, const wchar_t* wanted)
{
    ExtractReport report;
    const ExtractResult result = ExtractArchive(archivePath, wanted, window, &report, kIntoNewFolder);
    if (ArchiveJobStopping())
        return result;  // the launcher is closing: nothing more is shown
    const wchar_t* folder = report.folder;
    if (result == kExtractNoRoom) {
        ReportNoRoom(window, archivePath, report);
    } else if (result == kExtractNoFolder) {
        ShowArchiveMessage(window, IDS_MSG_EXTRACT_NO_FOLDER, MB_OK | MB_ICONERROR, ShownName(archivePath),
                           ShownName(wanted));
    } else if (result == kExtractFailed) {
        ShowArchiveMessage(window, IDS_MSG_EXTRACT_STOPPED, MB_OK | MB_ICONERROR, ShownName(archivePath),
                           report.entry, ShownName(folder));
    } else if (result == kExtractDone) {
        if (report.skipped) {
            wchar_t number[32];
            wsprintfW(number, L"%I64u", report.skipped);
            ShowArchiveMessage(window, IDS_MSG_EXTRACT_SKIPPED, MB_OK | MB_ICONEXCLAMATION, ShownName(archivePath),
                               number);
        }
        if (*folder && IsFolder(folder))
            g_openFolder(window, folder);
    }
    return result;
}

}  // namespace

void OverrideDesktopFolder(const wchar_t* path)
{
    g_desktopOverridden = path != nullptr;
    if (path)
        lstrcpynW(g_desktopOverride, path, MAX_PATH);
}

void OverrideFolderOpener(FolderOpenFunction opener)
{
    g_openFolder = opener ? opener : ShellOpenFolder;
}

bool GetDesktopFolder(wchar_t* buffer, DWORD size)
{
    if (!buffer || size == 0)
        return false;
    wchar_t path[MAX_PATH] = L"";
    if (g_desktopOverridden)
        lstrcpynW(path, g_desktopOverride, MAX_PATH);
    else if (FAILED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path)))
        path[0] = L'\0';
    const size_t length = std::wcslen(path);
    if (length == 0 || length >= size)
        return false;
    wmemcpy(buffer, path, length + 1);
    return true;
}

namespace {

// Extraction, packing or neither, by what was dropped and the keys held.
bool DealWithDrop(HWND window, HDROP drop)
{
    const std::vector<std::wstring> items = DroppedItems(drop, DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0));
    const wchar_t* first = items.empty() ? L"" : items[0].c_str();
    wchar_t baseName[MAX_PATH];
    NameAfterItem(first, baseName, MAX_PATH);
    wchar_t desktop[MAX_PATH];
    const bool haveDesktop = GetDesktopFolder(desktop, MAX_PATH);

    bool pack = true;
    if (items.size() == 1 && !IsFolder(first)) {
        if (!haveDesktop) {
            // Only an archive or a CTRL drop needs the desktop; a plain file
            // goes on to be offered as the group's icon.
            if (!IsZipArchive(first) && !KeyHeld(VK_CONTROL))
                return false;
            ShowMessageId(window, IDS_MSG_NO_DESKTOP, MB_OK | MB_ICONERROR);
            return true;
        }
        // The folder is named after the archive, through the wide API: a name
        // outside code page 932 stays as it is.
        const std::wstring folder = std::wstring(desktop) + L'\\' + baseName;
        switch (ExtractDrop(window, first, folder.c_str())) {
        case kExtractDone:
        case kExtractFailed:
        case kExtractNoRoom:
        case kExtractNoFolder:
            return true;
        case kExtractCancelled:
            return false;
        case kExtractRefused:
            // With CTRL held a damaged archive is packed like any other file.
            if (!KeyHeld(VK_CONTROL)) {
                ShowArchiveMessage(window, IDS_MSG_ARCHIVE_DAMAGED, MB_OK | MB_ICONERROR, ShownName(first));
                return true;
            }
            break;
        case kExtractNotArchive:
            pack = KeyHeld(VK_CONTROL);
            break;
        }
    }
    if (!pack || items.empty())
        return false;
    if (!haveDesktop) {
        ShowMessageId(window, IDS_MSG_NO_DESKTOP, MB_OK | MB_ICONERROR);
        return true;
    }
    return PackDrop(window, items, desktop, baseName);
}

}  // namespace

bool HandleArchiveDrop(HWND window, HDROP drop)
{
    if (!drop)
        return false;
    ArchiveJobScope job;
    const bool dealt = DealWithDrop(window, drop);
    // A job stopped for a close counts as dealt with: nothing more may
    // happen on the way out (no icon offer to a closing window).
    return dealt || ArchiveJobStopping();
}
